#pragma once

#include "Colour.h"

#include <QAccessible>
#include <QImage>
#include <QPointer>
#include <QStaticText>
#include <QWidget>

#include <functional>

// What a screen reader says of a label.
struct AccessibleSpeech
{
    QString name{};
    QString description{};
    bool checked = false;
    bool operator==(const AccessibleSpeech &) const = default;
};

// A text label whose back and text colours read back exactly as they were
// written: the program keeps its state in them.
class ColourLabel : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption NOTIFY captionChanged)

public:
    explicit ColourLabel(QWidget *parent = nullptr, qint16 index = -1);

    qint16 Index() const { return m_index; }

    QString Caption() const { return m_caption; }
    void setCaption(const QString &caption);

    OleColor BackColor() const { return m_backColor; }
    void setBackColor(OleColor colour);
    OleColor ForeColor() const { return m_foreColor; }
    void setForeColor(OleColor colour);

    bool isTransparent() const { return m_transparent; }
    void setTransparent(bool transparent);
    bool hasBorder() const { return m_border; }
    void setBorder(bool border);
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool wrap);
    Qt::Alignment alignment() const { return m_alignment; }
    // Horizontal only: the text starts at the label's top.
    void setAlignment(Qt::Alignment alignment);

    // What a screen reader says of the label, computed only when asked. A label that
    // speaks as a control (any role but static text) can be pressed like one.
    using Describer = std::function<AccessibleSpeech(const ColourLabel &)>;
    void setAccessibleDescriber(Describer describer, QAccessible::Role role);
    AccessibleSpeech accessibleSpeech() const;
    QAccessible::Role accessibleRole() const { return m_accessibleRole; }

    // The control this label names for assistive technology.
    QWidget *buddy() const { return m_buddy; }
    void setBuddy(QWidget *buddy) { m_buddy = buddy; }

Q_SIGNALS:
    // Only on a real change of the text.
    void captionChanged();
    void Click(qint16 index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void announceChange();
    void announce();
    void contentChanged();
    void layoutChanged();
    // The label is drawn once per change and blitted after that: a timer tick
    // repaints many cells of which only a few have changed.
    QImage render();
    QRect textArea() const;

    QString m_caption;
    QImage m_rendered;
    // Laid out again only when text, font or size change, not for a new colour.
    QStaticText m_laidOut;
    bool m_layoutStale = true;
    Describer m_describer;
    AccessibleSpeech m_announced;
    QPointer<QWidget> m_buddy;
    QAccessible::Role m_accessibleRole = QAccessible::StaticText;
    OleColor m_backColor = Colours::SystemWindow;
    OleColor m_foreColor = Colours::SystemWindowText;
    qint16 m_index;
    bool m_transparent = false;
    bool m_border = false;
    bool m_wordWrap = false;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    bool m_pressed = false;
};
