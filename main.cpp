#include "Form1.h"
#include "Platform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    Platform::chooseWindowSystem();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kugelfix"));
    QApplication::setDesktopFileName(QStringLiteral("org.example.Kugelfix"));
    QApplication::setApplicationVersion(QStringLiteral(KUGELFIX_VERSION));
    QApplication::setQuitOnLastWindowClosed(false);
    Platform::registerFaces();
    Platform::startAccessibility();
    Platform::markRunning();

    auto *mainWindow = new Form1;
    mainWindow->setAttribute(Qt::WA_DeleteOnClose);
    // In its normal state, also where windows open full screen by default.
    mainWindow->showNormal();
    return app.exec();
}
