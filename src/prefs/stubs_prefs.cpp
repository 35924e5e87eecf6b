// Temporary stand-ins so that every folder links while the real code is written.
#include "frmset.h"

FrmSet::FrmSet(App& app, QWidget* parent) : QDialog(parent), m_app(app) {}
FrmSet::~FrmSet() = default;
