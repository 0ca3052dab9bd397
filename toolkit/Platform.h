#pragma once

class QWidget;

// What differs between the systems the program runs on. Each has its own implementation
// file, chosen by the build.
namespace Platform {

// Chooses the window system; called before the application object exists.
void chooseWindowSystem();

// Makes the faces the windows are designed with (Arial, Arial Narrow, Courier New,
// MS Sans Serif) available, from the system or from the program's own Liberation faces.
void registerFaces();

// Lets assistive technology follow the windows' changes from the start where the platform does
// not switch that on when a screen reader asks. Called once the application object exists.
void startAccessibility();

// Marks the program as running, for as long as it runs, where the system's installer must not
// replace or remove its files meanwhile.
void markRunning();

// Centres a top-level window together with the frame the window system puts around it.
// Called before the window is first shown, so that it opens in its place.
void placeCentred(QWidget &window);

// Keeps the window system from offering to resize a window of fixed size. Called before
// the window is first shown.
void fixBorder(QWidget &window);

// Ends the program at once: no window handler, no timer and no destructor runs afterwards.
// There is nothing to save.
[[noreturn]] void endProgram();

} // namespace Platform
