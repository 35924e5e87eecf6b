#include "messageboxprompts.h"

#include <QMessageBox>

namespace {
// Message boxes carry the on-top flag from the start, so that they never open behind an on-top note.
void prepare(QMessageBox& box) {
    box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    box.setTextFormat(Qt::PlainText);
}
} // namespace

void MessageBoxPrompts::message(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok);
    prepare(box);
    box.exec();
}

Prompts::Answer MessageBoxPrompts::askYesNo(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No);
    prepare(box);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}
