#pragma once

#include <QDialog>
#include <initializer_list>

class App;
class QHBoxLayout;
class QPushButton;

// A dialog of this program: a fixed frame without system menu, minimise or maximise button, and above
// every note that stays on top for as long as it is open. When it closes it leaves the on-top band again
// and, for the dialogs that sit directly above the notes, puts the on-top notes back above everything.
class TopmostDialog : public QDialog {
    Q_OBJECT
public:
    enum class OnClose { LeaveNotes, RestoreOnTopNotes };
    TopmostDialog(App& app, OnClose onClose, QWidget* parent);

    void done(int r) override;

protected:
    void changeEvent(QEvent* e) override;
    // Runs after the dialog went on top at each activation while it is open.
    virtual void activated() {}
    bool closed() const { return m_closed; }
    // The dialog's buttons side by side, centred below its controls.
    static QHBoxLayout* centredButtonRow(std::initializer_list<QPushButton*> buttons);

private:
    App& m_owningApp;
    OnClose m_onClose;
    bool m_closed = false;
};
