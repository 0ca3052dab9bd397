#pragma once

#include <QStringView>
#include <QtGlobal>

#include <optional>

class QColor;
class QPalette;

// A colour as the program stores it: &H00BBGGRR, red in the lowest byte.
// Values &H800000nn name system colour nn and are resolved only when painting.
using OleColor = qint32;

constexpr OleColor oleColor(quint32 bits)
{
    return static_cast<OleColor>(bits);
}

namespace Colours {
inline constexpr OleColor Black = oleColor(0x00000000);
inline constexpr OleColor White = oleColor(0x00FFFFFF);
inline constexpr OleColor SystemWindow = oleColor(0x80000005);
inline constexpr OleColor SystemWindowText = oleColor(0x80000008);
inline constexpr OleColor SystemButtonText = oleColor(0x80000012);
} // namespace Colours

bool isSystemColour(OleColor colour);

// Plain colours above &H00FFFFFF (a frequency count past 4194) keep their stored
// value but have no RGB meaning; they are painted white.
QColor toQColor(OleColor colour, const QPalette &palette);

// Parses "&H00BBGGRR" (the notation of the window definitions); nullopt when malformed.
std::optional<OleColor> parseOleColor(QStringView text);
