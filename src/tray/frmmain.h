#pragma once

#include <QMap>
#include <QSystemTrayIcon>
#include <QWidget>

class App;
class QAction;
class QMenu;
class Paplet;
class FrmAlarm;

// The hidden main window: the tray icon and its tip, the tray menu and the active-note menu with the
// commands behind them.
class FrmMain : public QWidget {
    Q_OBJECT
public:
    explicit FrmMain(App& app); // runs the load steps
    ~FrmMain() override;

    // Tray menu and its items (objectName = the item's name).
    QMenu* papletmenu = nullptr;
    QAction* papletabout = nullptr;
    QAction* papletsettings = nullptr;
    QAction* sep4 = nullptr;
    QAction* hideall = nullptr;
    QAction* savepaplets = nullptr;
    QAction* addpaplet = nullptr;
    QAction* sep5 = nullptr;
    QMap<int, QAction*> listpaplets; // 0: the "no Zovuzor" placeholder; n: note n
    QAction* sep8 = nullptr;
    QAction* exitpaplets = nullptr;
    // Active-note menu.
    QMenu* actpaplet = nullptr;
    QAction* papletalarm = nullptr;
    QAction* topit = nullptr;
    QAction* defsize = nullptr;

    QString hidealltext;
    QString showalltext;

    QSystemTrayIcon* trayIcon() const { return m_tray; }
    QString tooltip() const;

    void loadlanguagedetails();
    void modifytooltip(qint16 stnumber);
    bool allhidden();

    // Note list entries, kept in note-number order between sep5 and sep8.
    QAction* addListEntry(int n, bool checked, const QString& caption);
    void removeListEntry(int n);

    // The icon notification handler and the menu preparation it does before opening the tray menu.
    void onTrayActivated(QSystemTrayIcon::ActivationReason reason);
    void prepareTrayMenu();

    // Commands.
    void onPapletaboutTriggered();
    void onPapletsettingsTriggered();
    void onHideallTriggered();
    void onSavepapletsTriggered();
    Paplet* onAddpapletTriggered();
    void onListpapletsTriggered(int n);
    void onExitpapletsTriggered();
    void onPapletalarmTriggered();
    // Fills the alarm dialog from the active note (the first half of the alarm command).
    void fillAlarmDialog(FrmAlarm& dlg);
    void onTopitTriggered();
    void onDefsizeTriggered();

    // Unload steps: save settings and notes, remove the icon. Runs once.
    void unload();
    bool unloaded() const { return m_unloaded; }

protected:
    // The system closing the main window (the session ends) takes the exit path.
    void closeEvent(QCloseEvent* e) override;

private:
    void buildMenus();
    App& m_app;
    QSystemTrayIcon* m_tray = nullptr;
    bool m_unloaded = false;
};
