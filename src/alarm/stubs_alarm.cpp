// Temporary stand-ins so that every folder links while the real code is written.
#include "alarmmsg.h"
#include "frmalarm.h"

AlarmMsg::AlarmMsg(App& app, QWidget* parent) : QDialog(parent), m_app(app) {}
AlarmMsg::~AlarmMsg() = default;
void AlarmMsg::playwave(const QString&, qint16) {}
void AlarmMsg::onCmdokClicked() {}
void AlarmMsg::onTimer1Tick() {}
void AlarmMsg::changeEvent(QEvent* e) {
    QDialog::changeEvent(e);
}
void AlarmMsg::done(int r) {
    QDialog::done(r);
}

FrmAlarm::FrmAlarm(App& app, QWidget* parent) : QDialog(parent), m_app(app) {}
FrmAlarm::~FrmAlarm() = default;
void FrmAlarm::onCmdokClicked() {}
void FrmAlarm::onCmdclearClicked() {}
void FrmAlarm::onCmdcancelClicked() {}
void FrmAlarm::onTxtdateClicked() {}
