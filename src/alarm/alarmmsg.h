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

protected:
    void changeEvent(QEvent* e) override;
    void done(int r) override;

private:
    App& m_app;
    bool m_unloaded = false;
};
