#include "topmostdialog.h"

#include "app.h"
#include "windowhelpers.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>

TopmostDialog::TopmostDialog(App& app, OnClose onClose, QWidget* parent)
    // The on-top flag is there from the start, so the dialog never opens behind an on-top note.
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      m_owningApp(app), m_onClose(onClose) {}

void TopmostDialog::changeEvent(QEvent* e) {
    QDialog::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && !m_closed) {
        settopmost(this);
        activated();
    }
}

void TopmostDialog::done(int r) {
    if (m_closed) {
        QDialog::done(r);
        return;
    }
    m_closed = true;
    // Leave the on-top band while still shown (the helper would show a hidden window), then close.
    if (isVisible())
        setnottopmost(this);
    QDialog::done(r);
    if (m_onClose == OnClose::RestoreOnTopNotes)
        m_owningApp.restoreOnTopNotes();
}

QHBoxLayout* TopmostDialog::centredButtonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QPushButton* b : buttons)
        row->addWidget(b);
    row->addStretch(1);
    return row;
}
