#pragma once

#include "tray/topmostdialog.h"

class App;
struct AppState;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The settings dialog: colours, font, language, confirmation, alarm sound. Every control writes its field
// of the settings record at once; OK refreshes the tray menu and the captions, Cancel undoes nothing.
class FrmSet : public TopmostDialog {
    Q_OBJECT
public:
    explicit FrmSet(App& app, QWidget* parent = nullptr); // runs the opening steps
    ~FrmSet() override;

    // Fills the controls from the settings record. Selecting the stored entries runs the list handlers, so
    // the colours reach every live note again and the language texts are prepared for OK.
    void opening();

    // The one-line font description: face, bold and italic words, size and " pt".
    static QString fontDescription(const AppState& s, const QString& boldWord, const QString& italicWord);
    // Shows the font description of the record in lblfont, with the dialog's current bold/italic words.
    void showFontDescription();

    // Colour names by palette index.
    static QStringList colorNames(bool german);

    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* cbobackcolor = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* cboforecolor = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* lblfont = nullptr;
    QPushButton* cmdfont = nullptr;
    QGroupBox* Frame2 = nullptr;
    QLabel* Label5 = nullptr;
    QComboBox* cbolang = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* lblwave = nullptr;
    QPushButton* cmdwave = nullptr;
    QCheckBox* chkrwave = nullptr;
    QCheckBox* chkconfirm = nullptr;
    QPushButton* cmdok = nullptr;
    QPushButton* cmdcancel = nullptr;

    // Texts the dialog keeps while it is open, prepared by the language handler.
    QString boldstr;
    QString italicstr;
    QString showallstr;
    QString hideallstr;

    // Handlers, public so that tests drive them like the user does.
    void onCbobackcolorActivated(int index);
    void onCboforecolorActivated(int index);
    void onCbolangActivated(int index);
    void onChkconfirmClicked();
    void onChkrwaveClicked();
    void onCmdokClicked();
    void onCmdcancelClicked();
    void onCmdfontClicked();
    void onCmdwaveClicked();

protected:
private:
    void buildControls();
    void setOpeningTexts();
    void setLanguageTexts();
    void fillColorList(QComboBox* list, bool german);
    void applyBackcolor(int index);
    void applyForecolor(int index);

    App& m_app;
};
