#pragma once

#include <QDialog>

class App;

// The settings dialog: colours, font, language, confirmation, alarm sound. Every control writes its field
// of the settings record at once; OK refreshes the tray menu and the captions, Cancel undoes nothing.
class FrmSet : public QDialog {
    Q_OBJECT
public:
    explicit FrmSet(App& app, QWidget* parent = nullptr); // runs the opening steps
    ~FrmSet() override;

private:
    App& m_app;
};
