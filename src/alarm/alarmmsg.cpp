#include "alarmmsg.h"

#include "alarmui.h"
#include "tray/app.h"
#include "tray/frmmain.h"
#include "tray/windowhelpers.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSvgRenderer>
#include <QTimer>

namespace {
// sndPlaySound's flags, as the callers of playwave pass them.
constexpr qint16 sndLoop = 8;
} // namespace

AlarmMsg::AlarmMsg(App& app, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      m_app(app) {
    using alarmui::twipsRect;
    setObjectName(QStringLiteral("alarmmsg"));
    setWindowTitle(QStringLiteral("Alarm"));
    setFont(alarmui::fittedFont(315 - 60));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(twipsRect(0, 0, 480, 480));
    Image1->setAlignment(Qt::AlignCenter);
    paintBell();

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipsRect(480, 120, 4155, 315));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setTextFormat(Qt::PlainText); // a note's caption is shown as typed, never as markup
    Label1->setFont(QFont(QStringLiteral("Arial"), 9));

    cmdok = new QPushButton(QStringLiteral("OK"), this);
    cmdok->setObjectName(QStringLiteral("cmdok"));
    cmdok->setGeometry(twipsRect(1860, 540, 1110, 315));
    cmdok->setDefault(true);
    cmdok->setFocus();
    connect(cmdok, &QPushButton::clicked, this, &AlarmMsg::onCmdokClicked);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(900);
    connect(Timer1, &QTimer::timeout, this, &AlarmMsg::onTimer1Tick);
    Timer1->start();

    setFixedSize(twipsRect(0, 0, 4740, 870).size());

    // Load
    m_app.state.alarmshowing = true;
    centreOnScreen(this);
}

AlarmMsg::~AlarmMsg() {
    // Torn down without having been closed (the program ends): leave nothing behind.
    if (!m_unloaded) {
        m_unloaded = true;
        m_app.state.alarmshowing = false;
        if (m_app.state.wavedevs != 0)
            m_app.sound().stop();
    }
}

void AlarmMsg::paintBell() {
    // Drawn from the vector art at the screen's pixel density, so the bell stays sharp at any scale.
    const QSize size = Image1->size();
    const qreal dpr = devicePixelRatioF();
    QPixmap pm(size * dpr);
    pm.fill(Qt::transparent);
    QSvgRenderer bell(QStringLiteral(":/icons/alarm/bell.svg"));
    if (bell.isValid()) {
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        bell.render(&p, QRectF(QPointF(0, 0), QSizeF(size) * dpr));
    }
    pm.setDevicePixelRatio(dpr);
    Image1->setPixmap(pm);
}

void AlarmMsg::playwave(const QString& wavefile, qint16 alarmtype) {
    m_app.sound().play(wavefile, (alarmtype & sndLoop) != 0);
}

void AlarmMsg::onActivate() {
    settopmost(this);
    AppState& s = m_app.state;
    if (s.wavedevs == 0)
        m_app.sound().beep();
    else
        playwave(s.wave, s.repeatwave ? 9 : 0);
}

void AlarmMsg::onTimer1Tick() {
    QApplication::alert(this);
    Image1->setHidden(!Image1->isHidden());
}

void AlarmMsg::onCmdokClicked() {
    if (m_app.frmmainLoaded()) {
        if (QMenu* menu = m_app.frmmain().papletmenu)
            menu->setEnabled(true);
    }
    if (m_app.state.wavedevs != 0)
        m_app.sound().stop();
    accept();
}

void AlarmMsg::reject() {
    if (!m_unloaded)
        onCmdokClicked();
}

void AlarmMsg::changeEvent(QEvent* e) {
    QDialog::changeEvent(e);
    if (e->type() == QEvent::ActivationChange)
        onActivationChanged(isActiveWindow());
}

void AlarmMsg::onActivationChanged(bool active) {
    if (m_unloaded || !m_shownOnce)
        return;
    if (!active) {
        m_wasInactive = true;
        return;
    }
    if (m_wasInactive) {
        m_wasInactive = false;
        onActivate();
    } else {
        settopmost(this); // the activation that follows the window's coming up: the sound runs already
    }
}

void AlarmMsg::showEvent(QShowEvent* e) {
    fitCaption();
    QDialog::showEvent(e);
    paintBell(); // the screen, and so the pixel density, is known now
    if (!m_shownOnce && !m_unloaded) {
        // The sound must not wait for the window manager to hand over the focus (it may never do so
        // while the user is typing elsewhere).
        m_shownOnce = true;
        onActivate();
    }
}

void AlarmMsg::fitCaption() {
    // A caption longer than the designed label widens the window, up to most of the screen's width;
    // beyond that the whole caption is in the tooltip.
    const QString caption = Label1->text();
    const QFontMetrics fm(Label1->font());
    const int designWidth = alarmui::twipsRect(0, 0, 4740, 0).width();
    const int labelLeft = Label1->x();
    const int rightMargin = this->width() - (labelLeft + Label1->width());
    int maxWidth = designWidth;
    if (const QScreen* scr = screen())
        maxWidth = std::max(designWidth, scr->availableGeometry().width() * 3 / 4);
    const int wanted = labelLeft + fm.horizontalAdvance(caption) + 8 + rightMargin;
    const int width = std::clamp(wanted, designWidth, maxWidth);
    if (width != this->width()) {
        setFixedWidth(width);
        Label1->setFixedWidth(width - labelLeft - rightMargin);
        cmdok->move((width - cmdok->width()) / 2, cmdok->y());
        centreOnScreen(this);
    }
    Label1->setToolTip(wanted > width ? caption : QString());
}

void AlarmMsg::done(int r) {
    if (m_unloaded) {
        QDialog::done(r);
        return;
    }
    m_unloaded = true;
    Timer1->stop();
    m_app.state.alarmshowing = false;
    if (isVisible())
        setnottopmost(this);
    QDialog::done(r);
    m_app.restoreOnTopNotes();
}
