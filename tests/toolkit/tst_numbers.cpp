#include "Checked.h"
#include "Colour.h"
#include "NumberFormat.h"

#include <QPalette>
#include <QTest>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

class tst_Numbers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void numericValueOfText_data();
    void numericValueOfText();
    void numericValueOfHugeNumbers();
    void wholeValueRoundsAndSaturates();
    void formatPatterns_data();
    void formatPatterns();
    void formatExtremes();
    void checkedArithmeticReportsOverflow();
    void coloursResolveOnlyWhenPainted();
};

void tst_Numbers::numericValueOfText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    QTest::newRow("list item") << u"10"_s << 10.0;
    QTest::newRow("two-digit item with zero") << u"07"_s << 7.0;
    QTest::newRow("fraction") << u"1.5"_s << 1.5;
    QTest::newRow("negative") << u"-3"_s << -3.0;
    QTest::newRow("explicit plus") << u"+4"_s << 4.0;
    QTest::newRow("leading blanks") << u" 20"_s << 20.0;
    QTest::newRow("leading tab") << u"\t5"_s << 5.0;
    QTest::newRow("trailing letters") << u"20abc"_s << 20.0;
    QTest::newRow("exponent") << u"1e2"_s << 100.0;
    QTest::newRow("negative exponent") << u"25E-1"_s << 2.5;
    QTest::newRow("exponent without digits") << u"3e"_s << 3.0;
    QTest::newRow("exponent with sign only") << u"3e+"_s << 3.0;
    QTest::newRow("leading point") << u".5"_s << 0.5;
    QTest::newRow("trailing point") << u"5."_s << 5.0;
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("blanks only") << u"   "_s << 0.0;
    QTest::newRow("letters") << u"abc"_s << 0.0;
    QTest::newRow("sign only") << u"-"_s << 0.0;
    QTest::newRow("point only") << u"."_s << 0.0;
    QTest::newRow("blank between sign and digits") << u"- 3"_s << 0.0;
    QTest::newRow("comma is no decimal point") << u"1,5"_s << 1.0;
    QTest::newRow("arabic-indic digits") << u"\u0663"_s << 0.0;
    QTest::newRow("full-width digits") << u"\uFF11\uFF10"_s << 0.0;
    QTest::newRow("umlauts after number") << u"12äöü"_s << 12.0;
    QTest::newRow("1000 characters of digits")
        << QString(1000, u'9') << std::strtod(std::string(1000, '9').c_str(), nullptr);
    QTest::newRow("1000 characters of letters") << QString(1000, u'x') << 0.0;
}

void tst_Numbers::numericValueOfText()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(numericValue(text), value);
}

void tst_Numbers::numericValueOfHugeNumbers()
{
    QCOMPARE(numericValue(u"1e400"), std::numeric_limits<double>::infinity());
    QCOMPARE(numericValue(u"-1e400"), -std::numeric_limits<double>::infinity());
    QCOMPARE(numericValue(u"1e-400"), 0.0);
    QCOMPARE(numericValue(u"99999999999999999999"), 1e20);
}

void tst_Numbers::wholeValueRoundsAndSaturates()
{
    QCOMPARE(wholeValue(u"07"), 7);
    QCOMPARE(wholeValue(u"2.5"), 2);
    QCOMPARE(wholeValue(u"3.5"), 4);
    QCOMPARE(wholeValue(u"1e400"), std::numeric_limits<qint32>::max());
    QCOMPARE(wholeValue(u"-1e400"), std::numeric_limits<qint32>::min());
    QCOMPARE(wholeValue(u"kein"), 0);
}

void tst_Numbers::formatPatterns_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("formatted");

    QTest::newRow("padded one digit") << u"5"_s << u"00"_s << u"05"_s;
    QTest::newRow("padded two digits") << u"49"_s << u"00"_s << u"49"_s;
    QTest::newRow("plain drops zero") << u"07"_s << u"0"_s << u"7"_s;
    QTest::newRow("plain two digits") << u"23"_s << u"0"_s << u"23"_s;
    QTest::newRow("empty text is zero") << QString() << u"0"_s << u"0"_s;
    QTest::newRow("wider than pattern") << u"123"_s << u"00"_s << u"123"_s;
    QTest::newRow("negative keeps sign") << u"-5"_s << u"00"_s << u"-05"_s;
}

void tst_Numbers::formatPatterns()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(QString, formatted);
    QCOMPARE(formatNumber(text, pattern), formatted);
}

void tst_Numbers::formatExtremes()
{
    QCOMPARE(formatNumber(u"1e400", u"0"), u"9200000000000000000"_s);
    QCOMPARE(formatNumber(std::numeric_limits<qint64>::min(), u"0"), u"-9223372036854775808"_s);
}

void tst_Numbers::checkedArithmeticReportsOverflow()
{
    QCOMPARE(checkedAdd<qint16>(32766, 1), std::optional<qint16>(32767));
    QCOMPARE(checkedAdd<qint16>(32767, 1), std::nullopt);
    QCOMPARE(checkedAdd<qint16>(-32768, -1), std::nullopt);
    QCOMPARE(checkedSub<qint32>(std::numeric_limits<qint32>::min(), 1), std::nullopt);
    QCOMPARE(checkedAdd<qint32>(oleColor(0x7FFFFF00), 4000), std::nullopt);
    QCOMPARE((checkedNarrow<qint16, int>(40000)), std::nullopt);
    QCOMPARE((checkedNarrow<qint16, int>(-32768)), std::optional<qint16>(-32768));
}

void tst_Numbers::coloursResolveOnlyWhenPainted()
{
    QPalette palette;
    palette.setColor(QPalette::Base, QColor(1, 2, 3));
    palette.setColor(QPalette::Text, QColor(4, 5, 6));
    palette.setColor(QPalette::ButtonText, QColor(7, 8, 9));

    QCOMPARE(toQColor(oleColor(0x0080FFFF), palette), QColor(255, 255, 128));
    QCOMPARE(toQColor(oleColor(0x00E3E6FD), palette), QColor(253, 230, 227));
    QCOMPARE(toQColor(Colours::SystemWindow, palette), QColor(1, 2, 3));
    QCOMPARE(toQColor(Colours::SystemWindowText, palette), QColor(4, 5, 6));
    QCOMPARE(toQColor(Colours::SystemButtonText, palette), QColor(7, 8, 9));
    // A count colour past &H00FFFFFF has no RGB meaning.
    QCOMPARE(toQColor(oleColor(0x01000FA0), palette), QColor(Qt::white));
    QVERIFY(isSystemColour(oleColor(0x80000012)));
    QVERIFY(!isSystemColour(oleColor(0x81000012)));

    QCOMPARE(parseOleColor(u"&H0080FFFF"), std::optional<OleColor>(oleColor(0x0080FFFF)));
    QCOMPARE(parseOleColor(u"&H80000008"), std::optional<OleColor>(oleColor(0x80000008)));
    QCOMPARE(parseOleColor(u"0080FFFF"), std::nullopt);
    QCOMPARE(parseOleColor(u"&HXYZ"), std::nullopt);
}

QTEST_APPLESS_MAIN(tst_Numbers)
#include "tst_numbers.moc"
