#include "core/instanceguard.h"
#include "core/settingsstore.h"
#include "tray/app.h"
#include "tray/programicon.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zovuzor"));
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(programIcon());

    SettingsStore store;
    App app(store);
    InstanceGuard guard;
    if (!app.startup(guard))
        return 0;
    return QApplication::exec();
}
