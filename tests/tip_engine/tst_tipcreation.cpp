#include "BoardTestSupport.h"

#include <QSet>

#include <array>
#include <limits>
#include <stdexcept>

using namespace BoardTest;
using namespace BoardColours;

class tst_TipCreation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tipIsSixDifferentSortedNumbers();
    void normalModeWipesMarksAndHits();
    void frequencyModeCountsWithoutShowing();
    void sortOrdersByCharacterCode_data();
    void sortOrdersByCharacterCode();
    void randomNumberStaysInRange_data();
    void randomNumberStaysInRange();
    void randomNumberIsUniform();
    void randomWidthOverflowIsAnError();
    void tipsMadeBackToBackDiffer();
};

void tst_TipCreation::tipIsSixDifferentSortedNumbers()
{
    Form1 form;
    for (int round = 0; round < 2000; ++round) {
        form.commando1_Click();
        const QStringList items = form.List1->items();
        QString why;
        QVERIFY2(isSortedTip(items, &why), qPrintable(why));

        QStringList shown;
        QList<int> numbers;
        for (const QString &item : items) {
            numbers.append(wholeValue(item));
            shown.append(QString::number(numbers.last()));
        }
        QCOMPARE(resultCaptions(form), shown);
        QCOMPARE(cellsWithColour(form, Green), numbers);
        QCOMPARE(cellsWithColour(form, Neutral).size(), 43);
    }
    QVERIFY(form.Timer1->Enabled());
    QCOMPARE(form.Modus(), qint16(0));
}

void tst_TipCreation::normalModeWipesMarksAndHits()
{
    Form1 form;
    form.commando1_Click();
    for (int n : {1, 2, 3, 4, 5, 6, 7, 8})
        form.Label3(n)->setBackColor(Green);
    form.Label3(40)->setBackColor(Red);
    form.Label3(41)->setBackColor(Black);
    form.Label3(42)->setBackColor(CountStep * 3);

    form.commando1_Click();
    QCOMPARE(cellsWithColour(form, Green), listNumbers(form));
    QCOMPARE(cellsWithColour(form, Neutral).size(), 43);

    // Two tips in a row never leave more than six green cells.
    for (int i = 0; i < 200; ++i) {
        form.commando1_Click();
        QCOMPARE(cellsWithColour(form, Green).size(), 6);
    }
}

void tst_TipCreation::frequencyModeCountsWithoutShowing()
{
    Form1 form;
    form.commando1_Click();
    form.commando3_Click(); // mode 1, board black, one counted tip
    QCOMPARE(form.Modus(), qint16(1));
    const QStringList shown = resultCaptions(form);

    for (int n = 1; n <= 49; ++n)
        form.Label3(n)->setBackColor(Black);
    form.Label3(9)->setBackColor(Green);
    form.Label3(10)->setBackColor(CountStep * 2);
    form.Label3(11)->setBackColor(Neutral);
    form.Label3(12)->setBackColor(Red);
    form.List1->Clear();
    for (const QString &item : {u"12"_s, u"09"_s, u"11"_s, u"13"_s, u"10"_s, u"49"_s})
        form.List1->AddItem(item);

    form.Command2_Click();
    QCOMPARE(form.List1->items(),
             QStringList({u"09"_s, u"10"_s, u"11"_s, u"12"_s, u"13"_s, u"49"_s}));
    QCOMPARE(form.Label3(9)->BackColor(), Green); // green is neither counted nor changed
    QCOMPARE(form.Label3(10)->BackColor(), CountStep * 3);
    QCOMPARE(form.Label3(11)->BackColor(), Neutral + CountStep);
    QCOMPARE(form.Label3(12)->BackColor(), Red + CountStep);
    QCOMPARE(form.Label3(13)->BackColor(), CountStep);
    QCOMPARE(form.Label3(49)->BackColor(), CountStep);
    QCOMPARE(form.Label3(14)->BackColor(), Black);
    QCOMPARE(resultCaptions(form), shown);

    // Counting past &H00FFFFFF keeps the exact value.
    form.Label3(13)->setBackColor(oleColor(0x00FFFFFF));
    form.Command2_Click();
    QCOMPARE(form.Label3(13)->BackColor(), oleColor(0x00FFFFFF) + CountStep);
    // A count at the top of the 32-bit range stays put instead of wrapping.
    form.Label3(13)->setBackColor(std::numeric_limits<qint32>::max() - 10);
    form.Command2_Click();
    QCOMPARE(form.Label3(13)->BackColor(), std::numeric_limits<qint32>::max() - 10);
}

void tst_TipCreation::sortOrdersByCharacterCode_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QStringList>("sorted");

    QTest::newRow("a drawn tip") << QStringList{u"23"_s, u"05"_s, u"41"_s,
                                                u"17"_s, u"09"_s, u"33"_s}
                                 << QStringList{u"05"_s, u"09"_s, u"17"_s,
                                                u"23"_s, u"33"_s, u"41"_s};
    QTest::newRow("already ascending")
        << QStringList{u"01"_s, u"02"_s, u"03"_s} << QStringList{u"01"_s, u"02"_s, u"03"_s};
    QTest::newRow("descending") << QStringList{u"49"_s, u"30"_s, u"01"_s}
                                << QStringList{u"01"_s, u"30"_s, u"49"_s};
    QTest::newRow("empty list") << QStringList() << QStringList();
    QTest::newRow("one item") << QStringList{u"07"_s} << QStringList{u"07"_s};
    QTest::newRow("equal items") << QStringList{u"12"_s, u"07"_s, u"12"_s}
                                 << QStringList{u"07"_s, u"12"_s, u"12"_s};
    QTest::newRow("character code, not number")
        << QStringList{u"7"_s, u"10"_s} << QStringList{u"10"_s, u"7"_s};
    QTest::newRow("an empty item")
        << QStringList{u"08"_s, QString(), u"02"_s} << QStringList{QString(), u"02"_s, u"08"_s};
}

void tst_TipCreation::sortOrdersByCharacterCode()
{
    QFETCH(QStringList, items);
    QFETCH(QStringList, sorted);
    ListBox list;
    for (const QString &item : items)
        list.AddItem(item);
    TipEngine::Liste_Sortieren(list);
    QCOMPARE(list.items(), sorted);
    QVERIFY(list.Visible());
}

void tst_TipCreation::randomNumberStaysInRange_data()
{
    QTest::addColumn<qint32>("von");
    QTest::addColumn<qint32>("bis");
    QTest::newRow("lottery") << 1 << 49;
    QTest::newRow("single value") << 7 << 7;
    QTest::newRow("negative range") << -5 << 5;
    QTest::newRow("widest that fits")
        << std::numeric_limits<qint32>::min() / 2 + 1 << std::numeric_limits<qint32>::max() / 2;
}

void tst_TipCreation::randomNumberStaysInRange()
{
    QFETCH(qint32, von);
    QFETCH(qint32, bis);
    Form1 form;
    form.tipEngine().random().seed(2026);
    qint32 lowest = bis, highest = von;
    for (int i = 0; i < 200'000; ++i) {
        const qint32 z = form.tipEngine().Zufallszahl(von, bis);
        QVERIFY(z >= von && z <= bis);
        lowest = std::min(lowest, z);
        highest = std::max(highest, z);
    }
    if (qint64(bis) - von < 100) {
        QCOMPARE(lowest, von);
        QCOMPARE(highest, bis);
    }
}

void tst_TipCreation::randomNumberIsUniform()
{
    Form1 form;
    form.tipEngine().random().seed(49);
    constexpr int draws = 490'000;
    std::array<int, 50> counts{};
    for (int i = 0; i < draws; ++i)
        ++counts[std::size_t(form.tipEngine().Zufallszahl(1, 49))];
    QCOMPARE(counts[0], 0);
    double chiSquare = 0;
    const double expected = draws / 49.0;
    for (int n = 1; n <= 49; ++n)
        chiSquare +=
            (counts[std::size_t(n)] - expected) * (counts[std::size_t(n)] - expected) / expected;
    // 48 degrees of freedom: a fair source exceeds 109.7 once in a million.
    QVERIFY2(chiSquare < 109.7, qPrintable(QString::number(chiSquare)));
}

void tst_TipCreation::randomWidthOverflowIsAnError()
{
    Form1 form;
    QVERIFY_THROWS_EXCEPTION(std::overflow_error,
                             form.tipEngine().Zufallszahl(std::numeric_limits<qint32>::min(),
                                                          std::numeric_limits<qint32>::max()));
    QVERIFY_THROWS_EXCEPTION(std::overflow_error,
                             form.tipEngine().Zufallszahl(0, std::numeric_limits<qint32>::max()));
}

void tst_TipCreation::tipsMadeBackToBackDiffer()
{
    Form1 form;
    QStringList previous;
    int repeats = 0;
    QSet<QStringList> seen;
    for (int i = 0; i < 5000; ++i) {
        form.commando1_Click();
        const QStringList tip = form.List1->items();
        repeats += tip == previous;
        seen.insert(tip);
        previous = tip;
    }
    // Of 13,983,816 possible tips, a repeat of the one before comes 3.6e-4 times per
    // 5000 tips, and about one pair in all; more than these is no chance.
    QVERIFY2(repeats <= 2, qPrintable(QString::number(repeats)));
    QVERIFY2(seen.size() >= 4990, qPrintable(QString::number(seen.size())));
}

QTEST_MAIN(tst_TipCreation)
#include "tst_tipcreation.moc"
