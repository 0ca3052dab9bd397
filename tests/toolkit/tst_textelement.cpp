#include "Fonts.h"
#include "TextElement.h"
#include "Twips.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
TextElement caption(const QString &text, float widthTwips)
{
    TextElement element({}, true, true);
    element.setFont(Fonts::font(u"Arial"_s, 12));
    element.setWidth(widthTwips);
    element.setText(text);
    return element;
}

QImage rendered(const QString &text)
{
    TextElement element = caption(text, 1500);
    QImage image(100, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    element.paint(painter, QPalette());
    return image;
}

// The lowest row that holds ink, or -1 for a blank image.
int lowestInk(const QImage &image)
{
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return y;
        }
    }
    return -1;
}
} // namespace

class TestTextElement : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { Fonts::registerSubstitutions(); }
    void notifiesOnlyRealChanges();
    void heightFollowsLinesAndWrap();
    void markers_data();
    void markers();
    void markerUnderlinesNextCharacter();
};

// The button stops its re-layout on this: the same text again must stay silent.
void TestTextElement::notifiesOnlyRealChanges()
{
    TextElement element(u"0"_s, false, false);
    int changes = 0;
    element.setChangeHandler([&changes] { ++changes; });
    element.setText(u"0"_s);
    QCOMPARE(changes, 0);
    element.setText(u"4"_s);
    element.setText(u"4"_s);
    QCOMPARE(changes, 1);
    element.setText({});
    QCOMPARE(changes, 2);
    QCOMPARE(element.text(), QString());
}

void TestTextElement::heightFollowsLinesAndWrap()
{
    const float oneLine = caption(u"Tipp"_s, 1920).height();
    QVERIFY(oneLine > 0);
    QCOMPARE(caption(u"Ermittle\r\nseltene / häufige\r\nZahlen"_s, 1920).height(),
             caption(u"A\r\nB\r\nC"_s, 1920).height());
    const float threeLines = caption(u"A\r\nB\r\nC"_s, 1920).height();
    QVERIFY(threeLines > 2.5f * oneLine && threeLines < 3.5f * oneLine);

    TextElement wrapped = caption(u"Ziehung wird durchgeführt"_s, 3000);
    QCOMPARE(wrapped.height(), oneLine);
    wrapped.setWidth(600);
    QVERIFY(wrapped.height() > 2.5f * oneLine);
    // No room at all: every word on a line of its own, never a negative width.
    wrapped.setWidth(-200);
    QCOMPARE(wrapped.width(), 0.0f);
    QVERIFY(wrapped.height() > 2.5f * oneLine);

    QCOMPARE(caption({}, 1920).height(), 0.0f);
}

void TestTextElement::markers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("plain");

    QTest::newRow("marker before a letter") << u"&Tipp"_s << u"Tipp"_s;
    QTest::newRow("doubled marker") << u"A && B"_s << u"A & B"_s;
    QTest::newRow("marker at the end") << u"Ende&"_s << u"Ende"_s;
    QTest::newRow("line breaks read as blanks")
        << u"Ermittle\r\nZahlen\njetzt"_s << u"Ermittle Zahlen jetzt"_s;
}

void TestTextElement::markers()
{
    QFETCH(QString, text);
    QFETCH(QString, plain);
    QCOMPARE(TextElement::plainText(text), plain);
}

void TestTextElement::markerUnderlinesNextCharacter()
{
    const QImage plain = rendered(u"x"_s);
    const QImage marked = rendered(u"&x"_s);
    QVERIFY(lowestInk(plain) >= 0);
    QVERIFY(lowestInk(marked) > lowestInk(plain));

    // "&&" shows one ampersand: the same pixels as "&" drawn without markers.
    const TextElement ampersand = caption(u"&&"_s, 1500);
    QImage expected(100, 40, QImage::Format_RGB32);
    expected.fill(Qt::white);
    QPainter painter(&expected);
    painter.setFont(ampersand.font());
    painter.setPen(Qt::black);
    painter.drawText(ampersand.rect(), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, u"&"_s);
    painter.end();
    QCOMPARE(rendered(u"&&"_s), expected);
}

QTEST_MAIN(TestTextElement)
#include "tst_textelement.moc"
