#pragma once

class QWidget;

// Where an X11 window manager puts a top-level window and what it offers for it.
namespace FramePlacement {

// Centres the window with the frame the window manager announces before mapping. Where the
// frame is not known in time, or the window manager then draws another, the window is centred
// once more when it reports the frame it draws.
void placeCentred(QWidget &window);

// Leaves resizing out of what the window manager offers for a window of fixed size.
void fixBorder(QWidget &window);

} // namespace FramePlacement
