#pragma once

#include "Colour.h"
#include "Picture.h"
#include "PictureElement.h"
#include "TextElement.h"

#include <QFont>
#include <QString>
#include <QWidget>

#include <map>

class PropertyBag;

// The program's own push button. It draws a skin bitmap stretched over its
// whole face, an optional picture and a multi-line caption (CR LF) on top, and
// raises Click when a press on it is released.
class Button : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(QFont Font READ Font WRITE setFont)
    Q_PROPERTY(QString Buttonset READ Buttonset WRITE setButtonset)
    Q_PROPERTY(OleColor TextColor READ TextColor WRITE setTextColor)
    Q_PROPERTY(qint16 Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(Picture ButtonPicture READ ButtonPicture WRITE setButtonPicture)

public:
    explicit Button(QWidget *parent = nullptr);

    QString Caption() const { return m_Caption; }
    // Set through QWidget::setFont: the caption follows in changeEvent.
    QFont Font() const { return font(); }
    QString Buttonset() const { return m_Buttonset; }
    OleColor TextColor() const { return m_TextColor; }
    void setTextColor(OleColor Color);
    // -1 for true, 0 for false.
    // Set through QWidget::setEnabled, which changeEvent follows.
    qint16 Enabled() const { return m_Enabled; }
    void setButtonset(const QString &val);
    void setCaption(const QString &val);
    Picture ButtonPicture() const { return m_ButtonPicture; }
    void setButtonPicture(Picture New_ButtonPicture);

    // The character after the caption's access-key marker; empty when none was set.
    QString AccessKeys() const { return m_accessKeys; }
    // The caption as the face shows it, without access-key markers.
    QString shownCaption() const;

    void UserControl_InitProperties();
    // Throws PropertyTypeError for a stored value of the wrong type, with the
    // entries before it already taken over.
    void UserControl_ReadProperties(const PropertyBag &PropBag);
    void UserControl_WriteProperties(PropertyBag &PropBag) const;

Q_SIGNALS:
    void Click();
    // Tells the host which property changed.
    void propertyChanged(const QString &name);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // The tests look at the elements where a user looks at the face.
    friend class tst_Button;

    enum class Element
    {
        None,
        Surface,
        Face,
        Picture,
        Caption
    };

    void UserControl_Initialize();
    void UserControl_Resize();
    void UserControl_Click();
    void Label1_Change();
    void Label2_Change();
    void ApplyButtonset(double number);
    void ArrangeContent();
    void letEnabled(bool val);
    void fontChanged();

    void Image5_MouseDown();
    void Image4_MouseDown();
    void Label1_MouseDown();
    void Image5_MouseUp();
    void Image4_MouseUp();
    void Label1_MouseUp();
    void press(Element on);
    void release(Element on);
    void mouseDown(Element on);

    Element elementAt(QPointF position) const;
    float widthTwips() const;
    float heightTwips() const;
    QFont ambientFont() const;
    void scanAccessKey(const QString &t);

    Picture m_ButtonPicture;
    OleColor m_TextColor = 0;
    QString m_Caption;
    QString m_Buttonset;
    qint16 m_Enabled = 0;
    qint16 PictureRestTop = 0;
    qint16 CaptionRestTop = 0;

    PictureElement Image5;
    PictureElement Image4;
    TextElement Label1;
    PictureElement Image1;
    PictureElement Image2;
    PictureElement Image3;
    std::map<int, PictureElement> Image100;
    TextElement Label2;

    QString m_accessKeys;
    Element m_pressedOn = Element::None;
    bool m_doubleClicked = false;
    // Reading the stored set takes the font over without the setter's steps.
    bool m_readingProperties = false;
};
