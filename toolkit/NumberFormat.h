#pragma once

#include <QString>
#include <QStringView>

// The numeric value of a text: its leading decimal number after leading blanks,
// with optional sign, fraction and exponent ("1e2" is 100); 0 when the text does
// not start with a number. A number too large for a double gives +/- infinity.
double numericValue(QStringView text);

// Formats with a pattern of zeros: "00" pads to two digits ("07"), "0" writes plainly ("7").
QString formatNumber(qint64 value, QStringView pattern);
QString formatNumber(QStringView numericText, QStringView pattern);

// The numeric value read as a 32-bit whole number, rounded half to even and
// held at the range's ends.
qint32 wholeValue(QStringView text);
