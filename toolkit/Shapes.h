#pragma once

#include "Colour.h"

#include <QIcon>
#include <QWidget>

class QPainter;

// A one-pixel line just inside rect. Drawn as four fills, which stay on the
// painter's fast path where an outlined rectangle does not.
void drawOutline(QPainter &painter, const QRect &rect, const QColor &colour);

// A filled rectangle with a one-pixel border; it never takes the mouse.
class Shape : public QWidget
{
    Q_OBJECT

public:
    Shape(OleColor fill, OleColor border, QWidget *parent = nullptr);

    OleColor FillColor() const { return m_fill; }
    OleColor BorderColor() const { return m_border; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    OleColor m_fill;
    OleColor m_border;
};

// A borderless container filled with its back colour.
class Frame : public QWidget
{
    Q_OBJECT

public:
    explicit Frame(OleColor back, QWidget *parent = nullptr);

    OleColor BackColor() const { return m_back; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    OleColor m_back;
};

// A container that draws nothing: it gathers controls into one group for assistive
// technology.
class Group : public QWidget
{
    Q_OBJECT

public:
    explicit Group(QWidget *parent = nullptr);
};

// A static picture; of an icon's images it shows the one that fits the screen best.
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    QIcon Picture() const { return m_picture; }
    void setPicture(const QIcon &picture);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QIcon m_picture;
};
