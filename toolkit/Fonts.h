#pragma once

#include <QFont>
#include <QJsonObject>
#include <QString>

#include <QList>

namespace Fonts {
// A face the windows are designed with and the Liberation face of the same metrics.
struct Substitution
{
    QString face;
    QString liberation;
};
const QList<Substitution> &substitutions();

// Draws a designed face the system lacks with its Liberation face, whose metrics are the
// same, never with whatever the font fallback would pick.
void registerSubstitutions();

// Draws a designed face with another from now on, even where the system has a face of that name.
void replaceFace(const QString &face, const QString &by);

QFont font(const QString &family, qreal pointSize, bool bold = false, bool italic = false);

// How far below Qt's first baseline Windows sets it, in pixels: a Windows text cell rises by
// the face's "win" ascent, where Qt takes the typographic one of faces that ask for it. Worked
// out once per face and size.
int baselineDrop(const QFont &font);
} // namespace Fonts

// A font as the window definitions and stored property sets write it.
QFont fontFromJson(const QJsonObject &font);
