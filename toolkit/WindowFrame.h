#pragma once

#include <QMargins>

class QWidget;

namespace WindowFrame {

// Moves a window so that its outer frame, the window with the given margins, is centred on
// its screen.
void centreOnScreen(QWidget &window, const QMargins &margins = {});

} // namespace WindowFrame
