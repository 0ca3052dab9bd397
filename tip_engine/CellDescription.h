#pragma once

#include "ColourLabel.h"

// What a screen reader says of a board cell and of a result cell, in German. A board cell
// is a check box named after its number, checked when marked green; what its colour
// means is its description.
AccessibleSpeech describeBoardCell(int number, OleColor colour);
QString describeResultCell(int index, const QString &caption);
