#include "Platform.h"

#include "Fonts.h"
#include "WindowFrame.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>
#include <QWidget>
#include <QWindow>

using namespace Qt::StringLiterals;

void Platform::chooseWindowSystem() {}

void Platform::registerFaces()
{
    // Windows has the designed faces; a face it lacks comes from the Liberation files beside
    // the program, never from whatever the font fallback would pick.
    const QStringList installed = QFontDatabase::families();
    const QDir folder(QCoreApplication::applicationDirPath() + u"/fonts"_s);
    bool loaded = false;
    for (const Fonts::Substitution &substitution : Fonts::substitutions()) {
        if (installed.contains(substitution.face, Qt::CaseInsensitive))
            continue;
        if (!loaded) {
            for (const QString &file : folder.entryList({u"*.ttf"_s}, QDir::Files))
                QFontDatabase::addApplicationFont(folder.filePath(file));
            loaded = true;
        }
        QFont::insertSubstitution(substitution.face, substitution.liberation);
    }
}

void Platform::placeCentred(QWidget &window)
{
    // Creating the native window gives its styles, and from them Windows knows the frame.
    window.winId();
    const QWindow *handle = window.windowHandle();
    WindowFrame::centreOnScreen(window, handle ? handle->frameMargins() : QMargins());
}

void Platform::fixBorder(QWidget &)
{
    // The fixed-size dialog flag already leaves resizing out of the window's menu and border.
}
