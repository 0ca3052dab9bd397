#include "Fonts.h"

using namespace Qt::StringLiterals;

void Fonts::registerSubstitutions()
{
    QFont::insertSubstitution(u"Arial"_s, u"Liberation Sans"_s);
    QFont::insertSubstitution(u"Arial Narrow"_s, u"Liberation Sans Narrow"_s);
    QFont::insertSubstitution(u"MS Sans Serif"_s, u"Liberation Sans"_s);
    QFont::insertSubstitution(u"Courier New"_s, u"Liberation Mono"_s);
}

QFont Fonts::font(const QString &family, qreal pointSize, bool bold, bool italic)
{
    QFont result(family);
    result.setPointSizeF(pointSize);
    result.setBold(bold);
    result.setItalic(italic);
    // The windows' texts are all in the Liberation faces, so no fallback fonts are
    // looked up: that search is a large share of the start-up.
    result.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoFontMerging));
    return result;
}
