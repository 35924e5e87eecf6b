#include "frmmain.h"

#include "about/frmabout.h"
#include "alarm/frmalarm.h"
#include "app.h"
#include "core/regional.h"
#include "core/strings.h"
#include "core/twips.h"
#include "core/values.h"
#include "note/paplet.h"
#include "prefs/frmset.h"
#include "programicon.h"
#include "windowhelpers.h"

#include <QAction>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// Note numbers are 16-bit: the tray menu and the store count notes that way.
constexpr int maxNotes = std::numeric_limits<qint16>::max();

QAction* makeItem(QMenu* menu, const char* name, const QString& caption) {
    auto* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

QAction* makeSeparator(QMenu* menu, const char* name) {
    QAction* a = menu->addSeparator();
    a->setObjectName(QString::fromLatin1(name));
    return a;
}
} // namespace

FrmMain::FrmMain(App& app) : m_app(app) {
    setObjectName(QStringLiteral("frmmain"));
    setWindowTitle(QStringLiteral("Form1"));
    const QIcon icon = programIcon();
    setWindowIcon(icon);
    buildMenus();

    // Load steps.
    AppState& s = m_app.state;
    m_tray = new QSystemTrayIcon(icon, this);
    m_tray->setObjectName(QStringLiteral("trayicon"));
    m_tray->setToolTip(QString::number(s.notecount) + QStringLiteral(" Zovuzor "));
    // Queued: the icon's commands may remove the icon (exit), which the X11 tray does by deleting the very
    // widget whose mouse handler emits the signal.
    connect(m_tray, &QSystemTrayIcon::activated, this, &FrmMain::onTrayActivated, Qt::QueuedConnection);
    m_tray->show();
    keepOutOfTaskbar(this);
    s.allhiddenflag = false;
    loadlanguagedetails();
    s.deletedcount = 0;
    hide();
}

FrmMain::~FrmMain() = default;

void FrmMain::buildMenus() {
    // The tray menu is opened by the icon handler itself (not as the icon's context menu): it must stay
    // shut while an alarm shows, and its items are enabled afresh at each opening.
    papletmenu = new QMenu(QStringLiteral("papletmenu"), this);
    papletmenu->setObjectName(QStringLiteral("papletmenu"));
    papletabout = makeItem(papletmenu, "papletabout", QStringLiteral("about Zovuzor..."));
    papletsettings = makeItem(papletmenu, "papletsettings", QStringLiteral("settings..."));
    sep4 = makeSeparator(papletmenu, "sep4");
    hideall = makeItem(papletmenu, "hideall", QStringLiteral("hide all"));
    savepaplets = makeItem(papletmenu, "savepaplets", QStringLiteral("save all"));
    addpaplet = makeItem(papletmenu, "addpaplet", QStringLiteral("new"));
    sep5 = makeSeparator(papletmenu, "sep5");
    sep8 = makeSeparator(papletmenu, "sep8");
    exitpaplets = makeItem(papletmenu, "exitpaplets", QStringLiteral("E&xit"));
    addListEntry(0, false, QStringLiteral("no Zovuzor"));

    connect(papletabout, &QAction::triggered, this, &FrmMain::onPapletaboutTriggered);
    connect(papletsettings, &QAction::triggered, this, &FrmMain::onPapletsettingsTriggered);
    connect(hideall, &QAction::triggered, this, &FrmMain::onHideallTriggered);
    connect(savepaplets, &QAction::triggered, this, &FrmMain::onSavepapletsTriggered);
    connect(addpaplet, &QAction::triggered, this, &FrmMain::onAddpapletTriggered);
    connect(exitpaplets, &QAction::triggered, this, &FrmMain::onExitpapletsTriggered);

    actpaplet = new QMenu(QStringLiteral("active Paplet"), this);
    actpaplet->setObjectName(QStringLiteral("actpaplet"));
    papletalarm = makeItem(actpaplet, "papletalarm", QStringLiteral("alarm..."));
    topit = makeItem(actpaplet, "topit", QStringLiteral("set on top"));
    defsize = makeItem(actpaplet, "defsize", QStringLiteral("set size as default"));
    connect(papletalarm, &QAction::triggered, this, &FrmMain::onPapletalarmTriggered);
    connect(topit, &QAction::triggered, this, &FrmMain::onTopitTriggered);
    connect(defsize, &QAction::triggered, this, &FrmMain::onDefsizeTriggered);
}

QString FrmMain::tooltip() const {
    return m_tray ? m_tray->toolTip() : QString();
}

void FrmMain::loadlanguagedetails() {
    AppState& s = m_app.state;
    const bool german = s.language == 1;
    auto text = [german](int germanId, int englishId) { return getresstring(german ? germanId : englishId); };
    if (QAction* placeholder = listpaplets.value(0))
        placeholder->setText(text(30, 40));
    addpaplet->setText(text(31, 41));
    hidealltext = text(32, 42);
    papletsettings->setText(text(33, 43));
    savepaplets->setText(text(34, 44));
    exitpaplets->setText(text(35, 45));
    s.ontoptext = text(36, 46);
    s.notontoptext = text(37, 47);
    papletalarm->setText(text(38, 48));
    s.untitledtext = text(39, 49);
    s.mes = text(65, 66);
    showalltext = text(210, 220);
    defsize->setText(text(150, 151));
    actpaplet->setTitle(text(154, 155));
    papletabout->setText(text(156, 157));

    // The hide/show item keeps its meaning in the new language.
    const QString current = hideall->text();
    const bool showing = current == QLatin1String("hide all") || current == QLatin1String("alle verstecken");
    hideall->setText(showing ? hidealltext : showalltext);
}

void FrmMain::modifytooltip(qint16 stnumber) {
    if (m_tray)
        m_tray->setToolTip(QString::number(stnumber) + QStringLiteral(" Zovuzor"));
}

bool FrmMain::allhidden() {
    // Looks at the indices 1 .. (number of entries held - 1): with gaps left by deleted notes an index
    // without an entry counts as unchecked, and the highest entries are not looked at.
    bool result = false;
    const int c = int(listpaplets.size());
    for (int i = 1; i <= c - 1; ++i) {
        QAction* entry = listpaplets.value(i);
        if (entry && entry->isChecked())
            return false;
        result = true;
    }
    return result;
}

QAction* FrmMain::addListEntry(int n, bool checked, const QString& caption) {
    QAction* entry = listpaplets.value(n);
    if (!entry) {
        entry = new QAction(caption, papletmenu);
        entry->setObjectName(QStringLiteral("listpaplets%1").arg(n));
        // Entries stand between sep5 and sep8 in note-number order.
        auto next = listpaplets.upperBound(n);
        papletmenu->insertAction(next != listpaplets.end() ? next.value() : sep8, entry);
        listpaplets.insert(n, entry);
        if (n > 0) {
            entry->setCheckable(true);
            connect(entry, &QAction::triggered, this, [this, entry, n](bool nowChecked) {
                // The menu has already flipped the mark; the command flips it itself.
                entry->setChecked(!nowChecked);
                onListpapletsTriggered(n);
            });
        }
    } else {
        entry->setText(caption);
    }
    if (n > 0)
        entry->setChecked(checked);
    return entry;
}

void FrmMain::removeListEntry(int n) {
    if (n <= 0)
        return;
    if (QAction* entry = listpaplets.take(n)) {
        papletmenu->removeAction(entry);
        entry->deleteLater();
    }
}

void FrmMain::onTrayActivated(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::DoubleClick:
        onPapletaboutTriggered();
        break;
    case QSystemTrayIcon::Context:
        // While an alarm shows, the tray menu stays shut (the alarm watch also disables it); so it does while
        // the notes are still loading.
        if (m_app.state.alarmshowing || !papletmenu->isEnabled() || m_unloaded || m_app.loadingNotes())
            return;
        prepareTrayMenu();
        papletmenu->exec(QCursor::pos());
        break;
    default:
        break;
    }
}

void FrmMain::prepareTrayMenu() {
    const bool anyNote = m_app.state.livecount() != 0;
    savepaplets->setEnabled(anyNote);
    hideall->setEnabled(anyNote);
}

void FrmMain::onPapletaboutTriggered() {
    FrmAbout dlg(m_app);
    dlg.exec();
}

void FrmMain::onPapletsettingsTriggered() {
    FrmSet dlg(m_app);
    dlg.exec();
}

void FrmMain::onHideallTriggered() {
    AppState& s = m_app.state;
    const bool hiding = hideall->text() == hidealltext;
    for (int i = 1; i <= s.notecount; ++i) {
        Paplet* p = s.note(i);
        if (!p || p->deletedflag)
            continue;
        if (QAction* entry = listpaplets.value(i))
            entry->setChecked(!hiding);
        p->setVisible(!hiding);
    }
    hideall->setText(hiding ? showalltext : hidealltext);
    s.allhiddenflag = allhidden();
}

void FrmMain::onSavepapletsTriggered() {
    m_app.saveAll();
}

Paplet* FrmMain::onAddpapletTriggered() {
    AppState& s = m_app.state;
    if (s.notecount >= maxNotes)
        return nullptr;
    s.notecount += 1;
    const int n = s.notecount;
    s.notes.resize(std::size_t(n) + 1, nullptr);

    auto* p = new Paplet(m_app);
    s.notes[std::size_t(n)] = p;
    p->setTextBackColor(s.backColor());
    p->setTextForeColor(s.foreColor());
    p->applyNoteFont(s);
    p->notetag = QString::number(n);
    p->captstr = s.untitledtext;
    if (s.defwidthTwips() != 0 && s.defheight != 0) {
        p->setWidthTw(s.defwidthTwips());
        p->setHeightTw(s.defheight);
    }
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect g = screen->geometry();
        const double screenLeft = g.x() * twips::perPixelX();
        const double screenTop = g.y() * twips::perPixelY();
        const double screenWidth = g.width() * twips::perPixelX();
        const double screenHeight = g.height() * twips::perPixelY();
        p->setLeftTw(screenLeft + screenWidth / 2 - p->widthTw() / 2);
        p->setTopTw(screenTop + screenHeight / 2 - p->heightTw() / 2);
    }
    p->show();

    addListEntry(n, true, s.untitledtext);
    if (QAction* placeholder = listpaplets.value(0))
        placeholder->setVisible(false);
    if (QAction* entry = listpaplets.value(n)) {
        entry->setChecked(true);
        entry->setVisible(true);
        entry->setText(s.untitledtext);
    }
    modifytooltip(qint16(s.livecount()));
    s.allhiddenflag = allhidden();
    return p;
}

void FrmMain::onListpapletsTriggered(int n) {
    if (n == 0)
        return;
    AppState& s = m_app.state;
    QAction* entry = listpaplets.value(n);
    Paplet* p = s.note(n);
    if (!entry || !p || p->deletedflag)
        return;
    entry->setChecked(!entry->isChecked());
    if (p->isVisible()) {
        p->hide();
    } else {
        p->show();
        p->raise();
    }
    if (s.notecount > 0) {
        s.allhiddenflag = allhidden();
        hideall->setText(s.allhiddenflag ? showalltext : hidealltext);
    }
}

void FrmMain::onExitpapletsTriggered() {
    m_app.exitCommand();
}

void FrmMain::onPapletalarmTriggered() {
    FrmAlarm dlg(m_app);
    fillAlarmDialog(dlg);
    dlg.exec();
}

void FrmMain::fillAlarmDialog(FrmAlarm& dlg) {
    AppState& s = m_app.state;
    Paplet* p = s.note(s.activenote);
    if (!p)
        return;
    if (dlg.txtpaplet)
        dlg.txtpaplet->setPlainText(p->text());
    if (!p->alarmdate.isNull()) {
        QString ring = QString::number(p->ringearly);
        if (ring.size() == 1 && ring != QLatin1String("0"))
            ring.prepend(u'0');
        if (dlg.txtdate)
            dlg.txtdate->setText(regional::dateText(p->alarmdate));
        if (dlg.txttime)
            dlg.txttime->setText(regional::timeText(p->alarmtime));
        if (dlg.txtring)
            dlg.txtring->setText(ring);
        if (dlg.cmdclear)
            dlg.cmdclear->setEnabled(true);
    } else {
        if (dlg.txtdate)
            dlg.txtdate->setText(regional::dateText(m_app.clock().now().date()));
        if (dlg.txtring)
            dlg.txtring->setText(QStringLiteral("05"));
        if (dlg.txttime)
            dlg.txttime->setText(QString());
    }
}

void FrmMain::onTopitTriggered() {
    AppState& s = m_app.state;
    Paplet* p = s.note(s.activenote);
    if (topit->text() == s.ontoptext) {
        topit->setText(s.notontoptext);
        if (p) {
            settopmost(p);
            p->topme = true;
        }
    } else {
        topit->setText(s.ontoptext);
        if (p) {
            setnottopmost(p);
            p->topme = false;
        }
    }
}

void FrmMain::onDefsizeTriggered() {
    AppState& s = m_app.state;
    Paplet* p = s.note(s.activenote);
    if (!p)
        return;
    s.defwidth = values::numberText(p->widthTw());
    // Halves go to the even neighbour (the default rounding mode); the value stays a 16-bit height.
    const double h = std::nearbyint(p->heightTw());
    s.defheight = qint16(std::clamp(h, double(std::numeric_limits<qint16>::min()),
                                    double(std::numeric_limits<qint16>::max())));
}

void FrmMain::unload() {
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_app.saveForUnload();
    if (m_tray)
        m_tray->hide();
}

void FrmMain::closeEvent(QCloseEvent* e) {
    e->accept();
    m_app.exitProgram();
}
