// The note's alarm watch: every 20 seconds the note checks whether its own alarm is due.
#include "paplet.h"

#include "alarm/alarmmsg.h"
#include "core/regional.h"
#include "tray/app.h"
#include "tray/frmmain.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

namespace {
// While one note shows its alarm (inside a modal loop in which every other note keeps ticking), no other
// note opens a second one. The alarm window's alarmshowing says the same once that window exists; this
// also covers the moments before it is made.
int alarmsOpen = 0;
struct AlarmOpen {
    AlarmOpen() { ++alarmsOpen; }
    ~AlarmOpen() { --alarmsOpen; }
    AlarmOpen(const AlarmOpen&) = delete;
    AlarmOpen& operator=(const AlarmOpen&) = delete;
};
} // namespace

bool Paplet::alarmDue(const QDateTime& now) const {
    if (m_app.state.alarmshowing || alarmsOpen > 0)
        return false;
    if (alarmdate.isNull() || alarmdate != now.date())
        return false; // no alarm, or not today: an alarm of an earlier day never rings
    // Minutes early as the alarm dialog allows them (0 to 59); any other count rings at the alarm time.
    const int early = ringearly >= 0 && ringearly <= 59 ? ringearly : 0;
    // May fall before midnight: then the alarm is due all through its day.
    const qint64 moment = qint64(alarmtime.msecsSinceStartOfDay()) - qint64(early) * 60 * 1000;
    if (moment > now.time().msecsSinceStartOfDay())
        return false;
    return !hasrung && !deletedflag;
}

void Paplet::onTimer1Tick() {
    if (!alarmDue(m_app.clock().now()))
        return;
    AlarmOpen open;
    show();
    raise();
    FrmMain& fm = m_app.frmmain();
    const int n = notetag.toInt();
    if (n >= 1) {
        if (QAction* entry = fm.listpaplets.value(n))
            entry->setChecked(true);
    }
    if (fm.papletmenu)
        fm.papletmenu->setEnabled(false);
    hasrung = true;
    AlarmMsg msg(m_app);
    msg.setWindowTitle(QStringLiteral("Alarm ") + regional::timeText(alarmtime));
    if (msg.Label1)
        msg.Label1->setText(captstr);
    msg.exec();
}
