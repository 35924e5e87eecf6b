#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the user-interface thread (self-pipe), so that
// being asked to terminate saves the notes like the exit command. The previous handlers come back when
// the object is destroyed. Elsewhere than on Unix it does nothing.
class ExitSignals final : public QObject {
    Q_OBJECT
public:
    explicit ExitSignals(QObject* parent = nullptr);
    ~ExitSignals() override;

signals:
    void requested(int signo);

private:
    void onReadable();
    QSocketNotifier* m_notifier = nullptr;
};
