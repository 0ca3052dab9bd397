#include "Platform.h"

#include "Fonts.h"
#include "WindowFrame.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>
#include <QWidget>

#include <windows.h>

#include <cstdio>
#include <cstdlib>

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
        // A face Windows has only as bitmaps (the raster "MS Sans Serif") has no sizes beyond
        // 100 % and no bold of its own: it is replaced as a missing one is.
        if (installed.contains(substitution.face, Qt::CaseInsensitive) &&
            QFontDatabase::isSmoothlyScalable(substitution.face))
            continue;
        if (!loaded) {
            for (const QString &file : folder.entryList({u"*.ttf"_s}, QDir::Files))
                QFontDatabase::addApplicationFont(folder.filePath(file));
            loaded = true;
        }
        Fonts::replaceFace(substitution.face, substitution.liberation);
    }
}

void Platform::startAccessibility()
{
    // Qt switches it on when a client asks through UI Automation.
}

void Platform::markRunning()
{
    // The installer and the uninstaller look for this name; it goes when the process ends.
    CreateMutexW(nullptr, FALSE, L"Kugelfix");
}

void Platform::placeCentred(QWidget &window)
{
    // The native window, made but not yet shown, already has the frame Windows will draw.
    const auto handle = reinterpret_cast<HWND>(window.winId());
    RECT frame, client;
    POINT origin{0, 0};
    if (!GetWindowRect(handle, &frame) || !GetClientRect(handle, &client) ||
        !ClientToScreen(handle, &origin)) {
        WindowFrame::centreOnScreen(window);
        return;
    }
    const qreal ratio = window.devicePixelRatioF();
    const auto logical = [ratio](LONG pixels) { return qRound(pixels / ratio); };
    WindowFrame::centreOnScreen(window, QMargins(logical(origin.x - frame.left),
                                                 logical(origin.y - frame.top),
                                                 logical(frame.right - origin.x - client.right),
                                                 logical(frame.bottom - origin.y - client.bottom)));
}

void Platform::fixBorder(QWidget &)
{
    // The fixed-size dialog flag already leaves resizing out of the window's menu and border.
}

void Platform::endProgram()
{
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}
