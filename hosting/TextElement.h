#pragma once

#include "Colour.h"

#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <functional>

class QPainter;
class QPalette;

// A windowless, transparent text label inside a control, placed in float twips.
// Its text is centred and word-wrapped to its width; a single "&" underlines the
// next character and "&&" shows one "&". An auto-sizing element takes the height
// of its wrapped text whenever text, width or font change (0 for an empty text).
class TextElement
{
public:
    TextElement(const QString &text, bool visible, bool autoSize);

    const QString &text() const { return m_text; }
    // Runs the change handler only when the text really changes.
    void setText(const QString &text);
    void setChangeHandler(std::function<void()> handler) { m_changed = std::move(handler); }

    float left() const { return m_left; }
    float top() const { return m_top; }
    float width() const { return m_width; }
    float height() const;
    void setLeft(float twips) { m_left = twips; }
    void setTop(float twips) { m_top = twips; }
    // A negative width is held at 0: every word then stands on a line of its own.
    void setWidth(float twips);
    void setHeight(float twips);

    const QFont &font() const { return m_font; }
    void setFont(const QFont &font);
    OleColor foreColor() const { return m_foreColor; }
    void setForeColor(OleColor colour) { m_foreColor = colour; }

    bool isVisible() const { return m_visible; }
    QRectF rect() const;
    bool contains(QPointF pixel) const { return m_visible && rect().contains(pixel); }
    void paint(QPainter &painter, const QPalette &palette) const;

    // The text as read out: markers removed, line breaks as blanks.
    static QString plainText(const QString &text);

private:
    // Measuring loads the font, so it waits until the height is asked for:
    // a caption often gets its real font only after its text.
    void measureLater();
    QString shownText() const;

    QString m_text;
    QFont m_font;
    std::function<void()> m_changed;
    float m_left = 0;
    float m_top = 0;
    float m_width = 0;
    mutable float m_height = 0;
    mutable bool m_heightStale = false;
    OleColor m_foreColor = Colours::Black;
    bool m_visible;
    bool m_autoSize;
};
