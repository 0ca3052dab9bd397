#include "Fonts.h"
#include "Form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // A Wayland client can neither centre itself nor drop the minimise button; through
    // XWayland the window keeps its look. Plain Wayland only where there is no X server.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb;wayland");

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kugelfix"));
    QApplication::setDesktopFileName(QStringLiteral("org.example.Kugelfix"));
    QApplication::setApplicationVersion(QStringLiteral(KUGELFIX_VERSION));
    QApplication::setQuitOnLastWindowClosed(false);
    Fonts::registerSubstitutions();

    auto *mainWindow = new Form1;
    mainWindow->setAttribute(Qt::WA_DeleteOnClose);
    mainWindow->show();
    return app.exec();
}
