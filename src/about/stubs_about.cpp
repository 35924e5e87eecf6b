// Temporary stand-ins so that every folder links while the real code is written.
#include "frmabout.h"

FrmAbout::FrmAbout(App& app, QWidget* parent) : QDialog(parent), m_app(app) {}
FrmAbout::~FrmAbout() = default;
