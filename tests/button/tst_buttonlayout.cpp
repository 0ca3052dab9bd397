#include "ButtonTesting.h"
#include "Fonts.h"
#include "PropertyBag.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestButtonLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { Fonts::registerSubstitutions(); }
    void skinSets_data();
    void skinSets();
    void captionFitsUnderPicture();
    void captionTooLowForControl();
    void exactFitKeepsCaptionPlace();
    void restTopsRoundHalfToEven_data();
    void restTopsRoundHalfToEven();
    void nestedResizeEndsWithOuterRestTops();
    void emptyCaptionKeepsLabelFont();
    void narrowControlHoldsCaptionWidthAtZero();
    void tallControlHoldsRestTopsInRange();
    void resizeWhilePressedShowsNormalFace();
};

void TestButtonLayout::skinSets_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("buttonset");
    QTest::addColumn<QString>("normal");
    QTest::addColumn<QString>("pressed");

    const QString cream = u"pressed.bmp"_s;
    for (int set = 1; set <= 13; ++set) {
        const QString number = QString::number(set);
        QTest::addRow("set %d", set)
            << QString() << number << u"normal%1.bmp"_s.arg(set, 2, 10, QChar(u'0')) << cream;
    }
    QTest::newRow("14 is yellow") << QString() << u"14"_s << u"normal01.bmp"_s << cream;
    QTest::newRow("20 is yellow") << QString() << u"20"_s << u"normal01.bmp"_s << cream;
    QTest::newRow("13.5 is yellow") << QString() << u"13.5"_s << u"normal01.bmp"_s << cream;
    QTest::newRow("leading number of a text")
        << QString() << u"7 Cyan"_s << u"normal07.bmp"_s << cream;
    QTest::newRow("2.5 keeps the face") << u"5"_s << u"2.5"_s << u"normal05.bmp"_s << cream;
    QTest::newRow("-1 keeps the face") << u"9"_s << u"-1"_s << u"normal09.bmp"_s << cream;
    QTest::newRow("0 text keeps both initial faces")
        << QString() << u"0"_s << u"initial.bmp"_s << u"initial-pressed.gif"_s;
    QTest::newRow("empty text installs the cream face")
        << QString() << QString() << u"initial.bmp"_s << cream;
    QTest::newRow("0.0 is a change of text") << QString() << u"0.0"_s << u"initial.bmp"_s << cream;
    QTest::newRow("word keeps the face") << u"12"_s << u"rot"_s << u"normal12.bmp"_s << cream;
}

void TestButtonLayout::skinSets()
{
    QFETCH(QString, before);
    QFETCH(QString, buttonset);
    QFETCH(QString, normal);
    QFETCH(QString, pressed);
    const auto button = shownButton(1950, 1320, u"Tipp"_s);
    if (!before.isEmpty())
        button->setButtonset(before);
    button->setButtonset(buttonset);
    QVERIFY(holdsSkin(button->image1(), normal));
    QVERIFY(holdsSkin(button->image2(), pressed));
    QCOMPARE(button->image5().picture(), button->image1().picture());
    QCOMPARE(button->label2().text(), buttonset);
}

void TestButtonLayout::captionFitsUnderPicture()
{
    const auto button = shownButton(1950, 1320, u"Tipp  erstellen"_s);
    button->setButtonPicture(twipPicture(480, 300));
    const float H = 1320;
    const float C = button->label1().height() + 300;
    QVERIFY(C + 100 < H);
    QCOMPARE(button->image4().left(), 1950.0f / 2 - 240);
    QCOMPARE(button->image4().top(), (H - C) / 2);
    QCOMPARE(button->label1().top(), button->image4().top() + 300);
    QCOMPARE(button->label1().left(), 25.0f);
    QCOMPARE(button->label1().width(), 1900.0f);
    QCOMPARE(button->pictureRestTop(), roundedTwips((H - C) / 2));

    button->resize(button->size());
    button->resize(button->width(), button->height() + 1);
    QCOMPARE(button->captionRestTop(), roundedTwips(button->label1().top()));
}

void TestButtonLayout::captionTooLowForControl()
{
    const auto button = shownButton(1950, 300, u"Ermittle\r\nseltene / häufige\r\nZahlen"_s);
    const float C = button->label1().height() + 1;
    QVERIFY(C + 100 > 300);
    QCOMPARE(button->label1().top(), 150.0f);
    QCOMPARE(button->label1().left(), 5.0f);
    QCOMPARE(button->image4().top(), (300 - C) / 2);
    QVERIFY(button->image4().top() < 0);
    QCOMPARE(button->captionRestTop(), qint16(150));
}

// Empty caption (height 0) and a picture of whole twips make the sums exact.
void TestButtonLayout::exactFitKeepsCaptionPlace()
{
    const auto button = shownButton(1950, 150);
    QCOMPARE(button->label1().height(), 0.0f);
    button->setButtonPicture(twipPicture(1, 20));
    QCOMPARE(button->image4().top(), 65.0f);
    QCOMPARE(button->label1().top(), 85.0f);
    QCOMPARE(button->label1().left(), 25.0f);

    // 50 + (150 - 50) / 2 + 0 + 50 == 150: neither branch moves the caption.
    button->setButtonPicture(twipPicture(1, 50));
    QCOMPARE(button->image4().top(), 50.0f);
    QCOMPARE(button->label1().top(), 85.0f);
    QCOMPARE(button->label1().left(), 25.0f);

    button->setButtonPicture(twipPicture(1, 51));
    QCOMPARE(button->label1().top(), 75.0f);
    QCOMPARE(button->label1().left(), 5.0f);
}

void TestButtonLayout::restTopsRoundHalfToEven_data()
{
    QTest::addColumn<int>("pictureHeight");
    QTest::addColumn<int>("restTop");

    QTest::newRow("64.5 rounds down to even") << 21 << 64;
    QTest::newRow("63.5 rounds up to even") << 23 << 64;
    QTest::newRow("62.5 rounds down to even") << 25 << 62;
    QTest::newRow("whole twips stay") << 20 << 65;
}

void TestButtonLayout::restTopsRoundHalfToEven()
{
    QFETCH(int, pictureHeight);
    QFETCH(int, restTop);
    const auto button = shownButton(1950, 150);
    button->setButtonPicture(twipPicture(1, pictureHeight));
    QCOMPARE(button->pictureRestTop(), qint16(restTop));
    QCOMPARE(button->image4().top(), (150.0f - float(pictureHeight)) / 2);
}

// Reading "3" runs a resize pass from the caption change, which applies the
// skin set, which runs a nested pass; the outer pass then finishes.
void TestButtonLayout::nestedResizeEndsWithOuterRestTops()
{
    QWidget host;
    auto *button = new Button(&host);
    button->resize(130, 88);
    PropertyBag bag;
    bag.WriteProperty(u"caption"_s, u"Tipp  erstellen"_s, QVariant());
    bag.WriteProperty(u"buttonset"_s, u"3"_s, QVariant());
    button->UserControl_ReadProperties(bag);
    QVERIFY(holdsSkin(button->image1(), u"normal03.bmp"_s));
    QVERIFY(holdsSkin(button->image5(), u"normal03.bmp"_s));
    QCOMPARE(button->label2().text(), u"3"_s);
    QCOMPARE(button->label1().text(), u"Tipp  erstellen"_s);
    QCOMPARE(button->captionRestTop(), roundedTwips(button->label1().top()));
    QCOMPARE(button->pictureRestTop(), roundedTwips(button->image4().top()));
    QCOMPARE(button->image4().height(), 1.0f);
    QCOMPARE(button->image5().width(), 1950.0f);
}

void TestButtonLayout::emptyCaptionKeepsLabelFont()
{
    PropertyBag bag;
    bag.WriteProperty(u"Font"_s, QVariant::fromValue(Fonts::font(u"Arial Narrow"_s, 9)), {});
    Button button;
    button.UserControl_ReadProperties(bag);
    button.show();
    QCOMPARE(button.Font().family(), u"Arial Narrow"_s);
    QCOMPARE(button.label1().font().family(), u"Courier New"_s);

    button.setCaption(u"Los"_s);
    QCOMPARE(button.label1().font().family(), u"Arial Narrow"_s);
}

// Below 50 twips the caption's width is held at 0: each word on its own line.
void TestButtonLayout::narrowControlHoldsCaptionWidthAtZero()
{
    const auto wide = shownButton(1950, 1320, u"Tipp  erstellen"_s);
    const auto button = shownButton(30, 1320, u"Tipp  erstellen"_s);
    QCOMPARE(button->label1().width(), 0.0f);
    QVERIFY(button->label1().height() >= 2 * wide->label1().height());
    button->resize(0, 0);
    QCOMPARE(button->label1().width(), 0.0f);
    QCOMPARE(button->label1().top(), 0.0f);
}

// Rest tops beyond the 16-bit range are held at its ends.
void TestButtonLayout::tallControlHoldsRestTopsInRange()
{
    const auto button = shownButton(1950, 75000, u"Tipp"_s);
    QVERIFY(button->label1().top() > 32767);
    QCOMPARE(button->captionRestTop(), qint16(32767));
    QCOMPARE(button->pictureRestTop(), qint16(32767));
    QTest::mousePress(button.get(), Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(button->label1().top(), 32752.0f);
    QTest::mouseRelease(button.get(), Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(button->label1().top(), 32767.0f);
}

void TestButtonLayout::resizeWhilePressedShowsNormalFace()
{
    const auto button = shownButton(1950, 1320, u"Tipp"_s);
    button->setButtonset(u"6"_s);
    QTest::mousePress(button.get(), Qt::LeftButton, {}, QPoint(2, 2));
    QVERIFY(holdsSkin(button->image5(), u"pressed.bmp"_s));
    button->resize(button->width() + 5, button->height());
    QVERIFY(holdsSkin(button->image5(), u"normal06.bmp"_s));
    QCOMPARE(button->image5().width(), float((button->width()) * 15));
}

QTEST_MAIN(TestButtonLayout)
#include "tst_buttonlayout.moc"
