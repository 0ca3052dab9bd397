#include "WindowFrame.h"

#include <QScreen>
#include <QWidget>

void WindowFrame::centreOnScreen(QWidget &window, const QMargins &margins)
{
    const QScreen *screen = window.screen();
    if (!screen)
        return;
    QRect frame = QRect(QPoint(), window.size()).marginsAdded(margins);
    frame.moveCenter(screen->availableGeometry().center());
    window.setGeometry(frame.marginsRemoved(margins));
}
