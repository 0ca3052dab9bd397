#pragma once

#include <QMargins>

class QWidget;

namespace WindowFrame {

// The frame the window manager will put around a top-level window. Asked for before the
// window is mapped, so that it opens in its place without a jump; empty where the window
// manager cannot tell.
QMargins extents(QWidget &window);

// Moves a window so that its outer frame, the window with the given margins, is centred on
// its screen.
void centreOnScreen(QWidget &window, const QMargins &margins = {});

} // namespace WindowFrame
