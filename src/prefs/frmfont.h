#pragma once

#include "tray/topmostdialog.h"
#include <memory>

class App;
class BusyCursor;
class FrmSet;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

// The font picker: the face, size and styles that every note shares. OK writes the font fields, the
// settings dialog's font description and the font of every live note; Cancel changes nothing.
class FrmFont : public TopmostDialog {
    Q_OBJECT
public:
    // `owner` is the settings dialog whose lblfont OK rewrites (none in tests that need no description).
    explicit FrmFont(App& app, FrmSet* owner = nullptr, QWidget* parent = nullptr);
    ~FrmFont() override;

    // The opening steps up to the font list: busy pointer, texts by language, centred.
    void opening();
    // The rest of the opening: the font list, the stored selection, the normal pointer. Runs once, after
    // the dialog was first drawn; handlers run it first if it has not run yet.
    void fillLists();
    bool listsFilled() const { return m_filled; }

    // Whether a size text can be given to the notes' font.
    static bool usableSize(const QString& size);

    QLabel* Label1 = nullptr;
    QComboBox* cbofonts = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* cboftsize = nullptr;
    QCheckBox* chkbold = nullptr;
    QCheckBox* chkitalic = nullptr;
    QPushButton* cmdok = nullptr;
    QPushButton* cmdcancel = nullptr;

    void onCmdokClicked();
    void onCmdcancelClicked();

protected:
    void showEvent(QShowEvent* e) override;

private:
    App& m_app;
    FrmSet* m_owner;
    std::unique_ptr<BusyCursor> m_busy;
    bool m_filled = false;
    bool m_fillQueued = false;
};
