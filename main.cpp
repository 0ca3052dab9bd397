#include "Fonts.h"
#include "Form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kugelfix"));
    QApplication::setApplicationDisplayName(QStringLiteral("Kugelfix"));
    QApplication::setApplicationVersion(QStringLiteral(KUGELFIX_VERSION));
    QApplication::setQuitOnLastWindowClosed(false);
    Fonts::registerSubstitutions();

    auto *mainWindow = new Form1;
    mainWindow->setAttribute(Qt::WA_DeleteOnClose);
    mainWindow->show();
    return app.exec();
}
