#include "Colour.h"

#include <QColor>
#include <QPalette>

#include <optional>

bool isSystemColour(OleColor colour)
{
    return (static_cast<quint32>(colour) & 0xFFFFFF00u) == 0x80000000u;
}

static QPalette::ColorRole systemRole(quint32 index)
{
    switch (index) {
    case 0x05:
        return QPalette::Base;
    case 0x08:
        return QPalette::Text;
    case 0x12:
        return QPalette::ButtonText;
    case 0x0F:
        return QPalette::Button;
    default:
        return QPalette::WindowText;
    }
}

QColor toQColor(OleColor colour, const QPalette &palette)
{
    const auto bits = static_cast<quint32>(colour);
    if (isSystemColour(colour))
        return palette.color(systemRole(bits & 0xFFu));
    if (bits > 0x00FFFFFFu)
        return Qt::white;
    return QColor(int(bits & 0xFFu), int((bits >> 8) & 0xFFu), int((bits >> 16) & 0xFFu));
}

std::optional<OleColor> parseOleColor(QStringView text)
{
    // Stored colours often carry the long-integer suffix: "&H00C0C0C0&".
    if (text.endsWith(u'&') && text.size() > 3)
        text.chop(1);
    if (!text.startsWith(u"&H", Qt::CaseInsensitive) || text.size() < 3 || text.size() > 10)
        return std::nullopt;
    bool ok = false;
    const uint bits = text.mid(2).toUInt(&ok, 16);
    if (!ok)
        return std::nullopt;
    return oleColor(bits);
}
