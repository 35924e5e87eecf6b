#pragma once

#include "tray/topmostdialog.h"

class App;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// Sets, changes or clears the alarm of the active note. The alarm command fills txtpaplet, txtdate,
// txttime, txtring and enables cmdclear before exec().
class FrmAlarm : public TopmostDialog {
    Q_OBJECT
public:
    explicit FrmAlarm(App& app, QWidget* parent = nullptr); // Load steps
    ~FrmAlarm() override;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QPlainTextEdit* txtpaplet = nullptr;
    QLineEdit* txtdate = nullptr;
    QLineEdit* txttime = nullptr;
    QLineEdit* txtring = nullptr;
    QPushButton* cmdok = nullptr;
    QPushButton* cmdclear = nullptr;
    QPushButton* cmdcancel = nullptr;
    QString mes;

    void onCmdokClicked();
    void onCmdclearClicked();
    void onCmdcancelClicked();
    void onTxtdateClicked();
    void onTxtdateChanged();
    void onTxttimeChanged();
    void onTxtringChanged();
    // Runs each time the dialog becomes the active window.
    void onActivate();

    // Whether the user changed the date or the time since the dialog came up (what the opener filled in
    // does not count). Only such a change re-arms an alarm that has already rung.
    bool dateChanged() const { return m_dateChanged; }
    bool timeChanged() const { return m_timeChanged; }
    void clearChangeMarks();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void activated() override;

private:
    bool acceptsTyping(QLineEdit* box, const QString& text, int typingLimit) const;
    void markError(QLineEdit* box);

    App& m_app;
    bool m_dateChanged = false;
    bool m_timeChanged = false;
    bool m_activatedOnce = false;
};
