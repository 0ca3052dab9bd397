#pragma once

#include <QFont>
#include <QString>

namespace Fonts {
// Maps the faces the windows are designed with onto the Liberation faces, so the
// program looks the same on every machine.
void registerSubstitutions();

QFont font(const QString &family, qreal pointSize, bool bold = false, bool italic = false);
} // namespace Fonts
