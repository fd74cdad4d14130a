#include "application.h"
#include "mainwindow.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>

namespace {

// Without a display to connect to, Qt aborts with a core dump. Say what is missing instead.
bool hasGraphicalSession(int argc, char *argv[]) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (!qEnvironmentVariableIsEmpty("DISPLAY") ||
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
        !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true;
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "-platform") == 0 || qstrncmp(argv[i], "-platform=", 10) == 0)
            return true;
    }
    return false;
#else
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    return true;
#endif
}

} // namespace

int main(int argc, char *argv[]) {
    if (!hasGraphicalSession(argc, argv)) {
        std::fputs("Calcolo Tolvemar CT ha bisogno di una sessione grafica: né DISPLAY né "
                   "WAYLAND_DISPLAY sono impostati.\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    tolvemar::setUpApplication(app);
    // Sizes given, so no image is read before one is drawn.
    QIcon icon;
    for (const int size : {16, 22, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/tolvemar-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);

    tolvemar::MainWindow window;
    tolvemar::addRegister(window);
    window.load();
    window.show();
    return app.exec();
}
