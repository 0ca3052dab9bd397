#include "Fonts.h"

#include <QHash>
#include <QRawFont>
#include <QtEndian>

using namespace Qt::StringLiterals;

const QList<Fonts::Substitution> &Fonts::substitutions()
{
    static const QList<Substitution> table{
        {u"Arial"_s, u"Liberation Sans"_s},
        {u"Arial Narrow"_s, u"Liberation Sans Narrow"_s},
        {u"MS Sans Serif"_s, u"Liberation Sans"_s},
        {u"Courier New"_s, u"Liberation Mono"_s},
    };
    return table;
}

void Fonts::registerSubstitutions()
{
    for (const Substitution &substitution : substitutions())
        QFont::insertSubstitution(substitution.face, substitution.liberation);
}

namespace {
QHash<QString, QString> &replacedFaces()
{
    static QHash<QString, QString> replaced;
    return replaced;
}
} // namespace

void Fonts::replaceFace(const QString &face, const QString &by)
{
    replacedFaces().insert(face, by);
}

QFont Fonts::font(const QString &family, qreal pointSize, bool bold, bool italic)
{
    QFont result(replacedFaces().value(family, family));
    result.setPointSizeF(pointSize);
    result.setBold(bold);
    result.setItalic(italic);
    // The windows' texts are all in the Liberation faces, so no fallback fonts are
    // looked up: that search is a large share of the start-up.
    result.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoFontMerging));
    // Glyphs keep their designed widths, as the slight hinting of Linux desktops keeps them:
    // full hinting widens a text so that the dialog's lines break elsewhere.
    result.setHintingPreference(QFont::PreferVerticalHinting);
    return result;
}

int Fonts::baselineDrop(const QFont &font)
{
    static QHash<QString, int> known;
    const QString key = font.key();
    if (const auto found = known.constFind(key); found != known.cend())
        return *found;
    constexpr qsizetype WinAscentOffset = 74; // in the OS/2 table
    const QRawFont raw = QRawFont::fromFont(font);
    const QByteArray os2 = raw.fontTable("OS/2");
    int drop = 0;
    if (os2.size() >= WinAscentOffset + 2 && raw.unitsPerEm() > 0) {
        const quint16 winAscent = qFromBigEndian<quint16>(os2.constData() + WinAscentOffset);
        drop = qRound(winAscent * raw.pixelSize() / raw.unitsPerEm() - raw.ascent());
    }
    known.insert(key, drop);
    return drop;
}

QFont fontFromJson(const QJsonObject &font)
{
    QFont result = Fonts::font(font.value(u"name").toString(u"MS Sans Serif"_s),
                               font.value(u"size").toDouble(8.25), font.value(u"bold").toBool(),
                               font.value(u"italic").toBool());
    result.setUnderline(font.value(u"underline").toBool());
    result.setStrikeOut(font.value(u"strikethrough").toBool());
    return result;
}
