#pragma once

#include "tray/topmostdialog.h"
#include <array>

class App;
class QLabel;
class QPushButton;

// The about box: program, author, version.
class FrmAbout : public TopmostDialog {
    Q_OBJECT
public:
    explicit FrmAbout(App& app, QWidget* parent = nullptr); // Load steps
    ~FrmAbout() override;

    QLabel* Label1 = nullptr;
    QPushButton* Command1 = nullptr;

    static inline const QString authorName = QStringLiteral("The Zovuzor developers");
    static inline const QString contactAddress = QStringLiteral("zovuzor@example.org");

    // Major, minor and revision number from the program's version record.
    static std::array<int, 3> versionNumbers();
    // The label's text for the given author word ("by" / "von"), lines joined with CR LF.
    static QString labelText(const QString& authorWord);

    void onCommand1Clicked();

protected:
private:
    App& m_app;
};
