#pragma once

#include <QGuiApplication>

// Shows the busy pointer for as long as it lives; restore() ends it early. Restoring exactly once keeps
// the application's cursor stack balanced however the dialog is left.
class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { restore(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
    void restore() {
        if (m_on) {
            m_on = false;
            QGuiApplication::restoreOverrideCursor();
        }
    }

private:
    bool m_on = true;
};
