#pragma once

#include <QDialog>

class App;
class QLabel;
class QPushButton;

// The about box: program, author, version.
class FrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit FrmAbout(App& app, QWidget* parent = nullptr); // Load steps
    ~FrmAbout() override;

    QLabel* Label1 = nullptr;
    QPushButton* Command1 = nullptr;

private:
    App& m_app;
};
