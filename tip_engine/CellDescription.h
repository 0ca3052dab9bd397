#pragma once

#include "Colour.h"

#include <QString>

// What a screen reader says of a board cell and of a result cell, in German.
QString describeBoardCell(int number, OleColor colour);
QString describeResultCell(int index, const QString &caption);
