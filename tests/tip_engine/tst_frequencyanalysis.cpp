#include "BoardTestSupport.h"

#include <QElapsedTimer>
#include <QSignalSpy>

#include <array>

using namespace BoardTest;
using namespace BoardColours;

namespace {
// The count colours of the board, tallied from the tips the run made.
struct Tally
{
    std::array<int, 50> counts{};
    int tips = 0;
    void add(const Form1 &form)
    {
        for (int n : listNumbers(form))
            ++counts[std::size_t(n)];
        ++tips;
    }
};

void tickAndTally(Form1 &form, Tally &tally)
{
    while (form.Timer1->Enabled()) {
        form.Timer1_Timer();
        tally.add(form);
    }
}
} // namespace

class tst_FrequencyAnalysis : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void runMakesDepthPlusOneTips_data();
    void runMakesDepthPlusOneTips();
    void depthNeverMetEndsWhereTheCounterEnds_data();
    void depthNeverMetEndsWhereTheCounterEnds();
    void analysisCountsEveryTip_data();
    void analysisCountsEveryTip();
    void analysisStartedDuringNormalRunCountsTheRest();
    void analysisStartedDuringAnalysisGoesOnCounting();
    void furtherClickAddsTipWithoutRestart();
    void depthChangedDuringRunAppliesAtNextTick();
    void tipAfterAnalysisMakesBoardNeutral();
    void markingTogglesOnlyNeutralAndGreen_data();
    void markingTogglesOnlyNeutralAndGreen();
    void clickingCellsMarksThem();
    void countPastWhiteIsPaintedWhite();
    void realTimerRunsTheRepetition();
};

void tst_FrequencyAnalysis::runMakesDepthPlusOneTips_data()
{
    QTest::addColumn<QString>("depth");
    QTest::addColumn<int>("ticks");
    QTest::newRow("depth 1") << u"1"_s << 1;
    QTest::newRow("depth 10, the value after loading") << u"10"_s << 10;
    QTest::newRow("depth 200") << u"200"_s << 200;
    QTest::newRow("leading blank") << u" 20"_s << 20;
    QTest::newRow("trailing letters") << u"20abc"_s << 20;
    QTest::newRow("exponent means 100") << u"1e2"_s << 100;
}

void tst_FrequencyAnalysis::runMakesDepthPlusOneTips()
{
    QFETCH(QString, depth);
    QFETCH(int, ticks);
    Form1 form;
    setDepth(form, depth);
    form.commando1_Click();
    QVERIFY(form.Timer1->Enabled());
    QCOMPARE(tickRunToEnd(form), ticks);
    QCOMPARE(form.Durchlauf(), qint16(0));
    QCOMPARE(form.Modus(), qint16(0));
    QVERIFY(!form.Timer1->Enabled());
    // The last tip stays on display.
    QCOMPARE(cellsWithColour(form, Green), listNumbers(form));
}

void tst_FrequencyAnalysis::depthNeverMetEndsWhereTheCounterEnds_data()
{
    QTest::addColumn<QString>("depth");
    QTest::newRow("fraction") << u"1.5"_s;
    QTest::newRow("negative") << u"-3"_s;
    QTest::newRow("empty") << QString();
    QTest::newRow("letters") << u"abc"_s;
    QTest::newRow("zero") << u"0"_s;
    QTest::newRow("beyond the counter") << u"40000"_s;
    QTest::newRow("huge") << u"1e400"_s;
    QTest::newRow("blanks") << u"   "_s;
    QTest::newRow("sign and blank") << u"+ 5"_s;
    QTest::newRow("1000 digits") << QString(1000, u'7');
    QTest::newRow("1000 letters") << QString(1000, u'z');
    QTest::newRow("non-ASCII digits") << u"\u0661\u0660"_s;
    QTest::newRow("umlauts") << u"zehn\u00e4"_s;
}

void tst_FrequencyAnalysis::depthNeverMetEndsWhereTheCounterEnds()
{
    QFETCH(QString, depth);
    Form1 form;
    setDepth(form, depth);
    form.commando3_Click();
    for (int tick = 1; tick <= 32767; ++tick)
        form.Timer1_Timer();
    QCOMPARE(form.Durchlauf(), qint16(32767));
    QVERIFY(form.Timer1->Enabled());
    QCOMPARE(form.Modus(), qint16(1));

    form.Timer1_Timer(); // the counter cannot pass 32767
    QCOMPARE(form.Durchlauf(), qint16(0));
    QCOMPARE(form.Modus(), qint16(0));
    QVERIFY(!form.Timer1->Enabled());
    qint64 counted = 0;
    for (const OleColor colour : boardColours(form))
        counted += colour / CountStep;
    QCOMPARE(counted, 6 * 32769);
}

void tst_FrequencyAnalysis::analysisCountsEveryTip_data()
{
    QTest::addColumn<QString>("depth");
    QTest::addColumn<int>("tips");
    QTest::newRow("depth 1") << u"1"_s << 2;
    QTest::newRow("depth 10") << u"10"_s << 11;
    QTest::newRow("depth 200") << u"200"_s << 201;
}

void tst_FrequencyAnalysis::analysisCountsEveryTip()
{
    QFETCH(QString, depth);
    QFETCH(int, tips);
    Form1 form;
    form.commando1_Click();
    QVERIFY(tickRunToEnd(form) > 0);
    const QStringList shown = resultCaptions(form);

    setDepth(form, depth);
    Tally tally;
    form.commando3_Click();
    tally.add(form);
    tickAndTally(form, tally);

    QCOMPARE(tally.tips, tips);
    int total = 0, notBlack = 0;
    for (int n = 1; n <= 49; ++n) {
        const OleColor colour = form.Label3(n)->BackColor();
        QCOMPARE(colour % CountStep, 0);
        QCOMPARE(colour / CountStep, tally.counts[std::size_t(n)]);
        total += colour / CountStep;
        notBlack += colour != Black;
    }
    QCOMPARE(total, 6 * tips);
    QVERIFY(notBlack >= 6 && notBlack <= std::min(49, 6 * tips));
    QVERIFY(cellsWithColour(form, Green).isEmpty());
    QCOMPARE(resultCaptions(form), shown);
    QCOMPARE(form.Modus(), qint16(0));
}

void tst_FrequencyAnalysis::analysisStartedDuringNormalRunCountsTheRest()
{
    Form1 form; // depth 10
    form.commando1_Click();
    for (int i = 0; i < 3; ++i)
        form.Timer1_Timer();
    Tally tally;
    form.commando3_Click();
    QCOMPARE(form.Modus(), qint16(1));
    QCOMPARE(form.Durchlauf(), qint16(3));
    tally.add(form);
    tickAndTally(form, tally);
    QCOMPARE(tally.tips, 8); // the analysis' own tip and ticks 4 to 10
    int total = 0;
    for (int n = 1; n <= 49; ++n) {
        QCOMPARE(form.Label3(n)->BackColor() / CountStep, tally.counts[std::size_t(n)]);
        total += form.Label3(n)->BackColor() / CountStep;
    }
    QCOMPARE(total, 48);
}

void tst_FrequencyAnalysis::analysisStartedDuringAnalysisGoesOnCounting()
{
    Form1 form;
    setDepth(form, u"5"_s);
    Tally tally;
    form.commando3_Click();
    tally.add(form);
    form.Timer1_Timer();
    tally.add(form);
    form.commando3_Click(); // the board is not blackened again
    tally.add(form);
    tickAndTally(form, tally);
    QCOMPARE(tally.tips, 7);
    for (int n = 1; n <= 49; ++n)
        QCOMPARE(form.Label3(n)->BackColor() / CountStep, tally.counts[std::size_t(n)]);
}

void tst_FrequencyAnalysis::furtherClickAddsTipWithoutRestart()
{
    Form1 form;
    form.commando1_Click();
    for (int i = 0; i < 4; ++i)
        form.Timer1_Timer();
    form.commando1_Click();
    QCOMPARE(form.Durchlauf(), qint16(4));
    QCOMPARE(tickRunToEnd(form), 6);
}

void tst_FrequencyAnalysis::depthChangedDuringRunAppliesAtNextTick()
{
    Form1 form;
    form.commando1_Click();
    for (int i = 0; i < 3; ++i)
        form.Timer1_Timer();
    setDepth(form, u"5"_s);
    form.Timer1_Timer();
    QVERIFY(form.Timer1->Enabled());
    form.Timer1_Timer();
    QVERIFY(!form.Timer1->Enabled());
    QCOMPARE(form.Durchlauf(), qint16(0));

    // Lowered below the count, the depth is passed and the run goes on.
    form.commando1_Click();
    for (int i = 0; i < 4; ++i)
        form.Timer1_Timer();
    setDepth(form, u"2"_s);
    for (int i = 0; i < 10; ++i)
        form.Timer1_Timer();
    QCOMPARE(form.Durchlauf(), qint16(14));
    QVERIFY(form.Timer1->Enabled());
}

void tst_FrequencyAnalysis::tipAfterAnalysisMakesBoardNeutral()
{
    Form1 form;
    form.commando3_Click();
    QVERIFY(tickRunToEnd(form) > 0);
    form.commando1_Click();
    QCOMPARE(cellsWithColour(form, Green).size(), 6);
    QCOMPARE(cellsWithColour(form, Neutral).size(), 43);
}

void tst_FrequencyAnalysis::markingTogglesOnlyNeutralAndGreen_data()
{
    QTest::addColumn<OleColor>("before");
    QTest::addColumn<OleColor>("after");
    QTest::newRow("neutral is marked") << Neutral << Green;
    QTest::newRow("green is unmarked") << Green << Neutral;
    QTest::newRow("black stays") << Black << Black;
    QTest::newRow("a count stays") << CountStep * 7 << CountStep * 7;
    QTest::newRow("red stays") << Red << Red;
    QTest::newRow("a count past white stays") << oleColor(0x01000FA0) << oleColor(0x01000FA0);
}

void tst_FrequencyAnalysis::markingTogglesOnlyNeutralAndGreen()
{
    QFETCH(OleColor, before);
    QFETCH(OleColor, after);
    Form1 form;
    form.Label3(25)->setBackColor(before);
    const qint16 index = 25;
    form.Label3_Click(index);
    QCOMPARE(form.Label3(25)->BackColor(), after);
    form.Label3_Click(index);
    QCOMPARE(form.Label3(25)->BackColor(), before);
    QCOMPARE(cellsWithColour(form, Neutral).size(), before == Neutral ? 49 : 48);
}

void tst_FrequencyAnalysis::clickingCellsMarksThem()
{
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    for (int n : {1, 7, 25, 43, 49})
        QTest::mouseClick(form.Label3(n), Qt::LeftButton);
    QCOMPARE(cellsWithColour(form, Green), QList<int>({1, 7, 25, 43, 49}));
    QTest::mouseClick(form.Label3(25), Qt::LeftButton);
    QCOMPARE(cellsWithColour(form, Green), QList<int>({1, 7, 43, 49}));
}

void tst_FrequencyAnalysis::countPastWhiteIsPaintedWhite()
{
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    ColourLabel *cell = form.Label3(30);
    cell->setBackColor(oleColor(0x01000FA0));
    const QImage image = cell->grab().toImage();
    QCOMPARE(image.pixelColor(image.width() / 2, image.height() - 3), QColor(Qt::white));
    cell->setBackColor(CountStep);
    const QImage counted = cell->grab().toImage();
    QCOMPARE(counted.pixelColor(counted.width() / 2, counted.height() - 3), QColor(160, 15, 0));
}

void tst_FrequencyAnalysis::realTimerRunsTheRepetition()
{
    Form1 form;
    setDepth(form, u"5"_s);
    QSignalSpy ticks(form.Timer1, &Timer::tick);
    QElapsedTimer clock;
    clock.start();
    form.commando1_Click();
    QTRY_VERIFY_WITH_TIMEOUT(!form.Timer1->Enabled(), 3000);
    const qint64 elapsed = clock.elapsed();
    QCOMPARE(ticks.count(), 5);
    QVERIFY2(elapsed >= 245 && elapsed < 1000, qPrintable(QString::number(elapsed)));
    QCOMPARE(form.Durchlauf(), qint16(0));
}

QTEST_MAIN(tst_FrequencyAnalysis)
#include "tst_frequencyanalysis.moc"
