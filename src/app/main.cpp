#include "core/instanceguard.h"
#include "core/settingsstore.h"
#include "tray/app.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zovuzor"));
    QApplication::setQuitOnLastWindowClosed(false);

    SettingsStore store;
    App app(store);
    InstanceGuard guard;
    if (!app.startup(guard))
        return 0;
    return QApplication::exec();
}
