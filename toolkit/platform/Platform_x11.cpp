#include "Platform.h"

#include "Fonts.h"
#include "FramePlacement_x11.h"

#include <QtGlobal>

void Platform::chooseWindowSystem()
{
    // A Wayland client can neither centre itself nor drop the minimise button; through
    // XWayland the window keeps its look. Plain Wayland only where there is no X server.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb;wayland");
}

void Platform::registerFaces()
{
    // The same Liberation faces on every machine, whatever else is installed.
    Fonts::registerSubstitutions();
}

void Platform::placeCentred(QWidget &window)
{
    FramePlacement::placeCentred(window);
}

void Platform::fixBorder(QWidget &window)
{
    FramePlacement::fixBorder(window);
}
