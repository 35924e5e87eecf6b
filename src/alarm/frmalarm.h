#pragma once

#include <QDialog>

class App;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// Sets, changes or clears the alarm of the active note. The alarm command fills txtpaplet, txtdate,
// txttime, txtring and enables cmdclear before exec().
class FrmAlarm : public QDialog {
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

private:
    App& m_app;
};
