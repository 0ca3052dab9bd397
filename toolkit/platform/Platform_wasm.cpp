#include "Platform.h"

#include "Fonts.h"
#include "WindowFrame.h"

#include <QDirIterator>
#include <QEvent>
#include <QFontDatabase>
#include <QWidget>
#include <QWindow>

#include <emscripten.h>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <cstdlib>

using namespace Qt::StringLiterals;

void Platform::chooseWindowSystem() {}

void Platform::registerFaces()
{
    QDirIterator faces(u":/faces"_s, QDir::Files);
    while (faces.hasNext())
        QFontDatabase::addApplicationFont(faces.next());
    Fonts::registerSubstitutions();
}

void Platform::startAccessibility()
{
    // The page builds what screen readers read only once the visitor switches it on, and then
    // follows changes only if accessibility is already active.
    if (QPlatformAccessibility *accessibility =
            QGuiApplicationPrivate::platformIntegration()->accessibility())
        accessibility->setActive(true);
}

void Platform::markRunning() {}

namespace {
// Centres a window with the frame the page draws around it, which can be measured only once the
// window is on the page: when it is first exposed, before it is painted.
class CentreWhenExposed : public QObject
{
public:
    explicit CentreWhenExposed(QWidget &window) : QObject(&window), m_window(window)
    {
        window.windowHandle()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose) {
            WindowFrame::centreOnScreen(m_window, m_window.windowHandle()->frameMargins());
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    QWidget &m_window;
};
} // namespace

void Platform::placeCentred(QWidget &window)
{
    WindowFrame::centreOnScreen(window);
    window.winId();
    new CentreWhenExposed(window);
}

void Platform::fixBorder(QWidget &) {}

void Platform::endProgram()
{
    // Stops the runtime: no callback of the program runs again, and the page, told through
    // its exit handler, takes the windows away.
    emscripten_force_exit(EXIT_SUCCESS);
}
