#pragma once

#include <QDialog>

class App;
class QLabel;
class QPushButton;
class QTimer;

// The window that announces a due alarm: on top of everything, sound, blinking bell, attention requests
// every 900 ms, until OK. The caller sets the window title ("Alarm " + time) and Label1 (the note's
// caption) before exec().
class AlarmMsg : public QDialog {
    Q_OBJECT
public:
    explicit AlarmMsg(App& app, QWidget* parent = nullptr); // Load: alarmshowing, centred
    ~AlarmMsg() override;

    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* cmdok = nullptr;
    QTimer* Timer1 = nullptr;

    // alarmtype 0: once; 9: repeated until stopped. Never blocks.
    void playwave(const QString& wavefile, qint16 alarmtype);
    void onCmdokClicked();
    void onTimer1Tick();
    // On top, and the sound (again). Runs when the window comes up, whether or not the window manager
    // makes it the active window, and each time it becomes active again after another window was.
    void onActivate();
    // The window became the active window (true) or stopped being it (false).
    void onActivationChanged(bool active);

public slots:
    // Escape and the window manager's close request acknowledge the alarm like OK: the sound must not
    // go on without a window.
    void reject() override;

protected:
    void changeEvent(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void done(int r) override;

private:
    void paintBell();
    void fitCaption();

    App& m_app;
    bool m_unloaded = false;
    bool m_shownOnce = false;
    bool m_wasInactive = false;
};
