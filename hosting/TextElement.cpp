#include "TextElement.h"

#include "Fonts.h"
#include "Twips.h"

#include <QFontMetricsF>
#include <QPainter>

using namespace Qt::StringLiterals;

static constexpr int Flags =
    Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic;

TextElement::TextElement(const QString &text, bool visible, bool autoSize)
    : m_text(text), m_visible(visible), m_autoSize(autoSize)
{
}

void TextElement::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    measureLater();
    if (m_changed)
        m_changed();
}

void TextElement::setWidth(float twips)
{
    twips = qMax(0.0f, twips);
    if (twips == m_width)
        return;
    m_width = twips;
    measureLater();
}

void TextElement::setFont(const QFont &font)
{
    if (font == m_font)
        return;
    m_font = font;
    measureLater();
}

QRectF TextElement::rect() const
{
    return Twips::rectF(m_left, m_top, m_width, height());
}

QString TextElement::shownText() const
{
    QString shown = m_text;
    shown.replace(u"\r\n"_s, u"\n"_s);
    shown.replace(u'\r', u'\n');
    return shown;
}

void TextElement::measureLater()
{
    if (m_autoSize)
        m_heightStale = true;
}

void TextElement::setHeight(float twips)
{
    m_height = twips;
    m_heightStale = false;
}

float TextElement::height() const
{
    if (m_heightStale) {
        m_heightStale = false;
        if (m_text.isEmpty()) {
            m_height = 0;
        } else {
            const QRectF room(0, 0, Twips::toPixels(m_width), 1e9);
            const QRectF used = QFontMetricsF(m_font).boundingRect(room, Flags, shownText());
            m_height = float(Twips::fromPixels(used.height() + Fonts::baselineDrop(m_font)));
        }
    }
    return m_height;
}

void TextElement::paint(QPainter &painter, const QPalette &palette) const
{
    if (!m_visible || m_text.isEmpty())
        return;
    painter.setFont(m_font);
    painter.setPen(toQColor(m_foreColor, palette));
    // Words wider than the box spill over its sides, centred.
    painter.drawText(rect().translated(0, Fonts::baselineDrop(m_font)), Flags | Qt::TextDontClip,
                     shownText());
}

QString TextElement::plainText(const QString &text)
{
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar c = text.at(i);
        if (c == u'&') {
            if (++i == text.size())
                break;
            c = text.at(i);
            if (c == u'&') {
                plain.append(c);
                continue;
            }
        }
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            c = u' ';
        }
        plain.append(c);
    }
    return plain;
}
