#pragma once

#include <QFont>
#include <QJsonObject>
#include <QString>

namespace Fonts {
// Maps the faces the windows are designed with onto the Liberation faces, so the
// program looks the same on every machine.
void registerSubstitutions();

QFont font(const QString &family, qreal pointSize, bool bold = false, bool italic = false);
} // namespace Fonts

// A font as the window definitions and stored property sets write it.
QFont fontFromJson(const QJsonObject &font);
