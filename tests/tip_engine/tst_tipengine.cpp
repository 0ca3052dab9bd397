#include "BoardTestSupport.h"

#include <cmath>

using namespace BoardTest;
using namespace BoardColours;

// Ticks of a run whose depth is never met: where the counter would pass 32767.
constexpr int Never = 32768;

class tst_TipEngine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tipInNormalMode()
    {
        Form1 form;
        const OleColor leftovers[] = {Green, Red, Black, CountStep * 3, oleColor(0x01000FA0)};
        for (int round = 0; round < 1000; ++round) {
            for (int n = 1 + round % 5; n <= 49; n += 5)
                form.Label3(n)->setBackColor(leftovers[n % 5]);
            form.commando1_Click();
            QVERIFY2(isSortedTip(form.List1->items()), qPrintable(form.List1->items().join(u' ')));
            QVERIFY(form.List1->Visible()); // sorting shows the list
            QCOMPARE(resultCaptions(form), shownNumbers(form));
            QCOMPARE(cellsWithColour(form, Green), shownNumbers(form));
            QCOMPARE(cellsWithColour(form, Neutral).size(), 43);
        }
    }

    // In mode 1 every tip cell but a green one counts, past &H00FFFFFF too; the results stay.
    void frequencyModeCounts()
    {
        Form1 form;
        form.commando3_Click();
        const QStringList shown = resultCaptions(form);
        QList<OleColor> expected = boardColours(form);
        const std::pair<int, OleColor> cells[] = {{5, Green}, {9, CountStep * 2}, {17, Neutral},
                                                  {23, Red},  {33, Black},        {41, 0xFFFFFF}};
        form.List1->Clear();
        for (const auto &[n, colour] : cells) {
            form.Label3(n)->setBackColor(colour);
            form.List1->AddItem(formatNumber(n, u"00"));
            expected[n - 1] = colour + (colour == Green ? 0 : CountStep);
        }
        form.Command2_Click();
        QCOMPARE(boardColours(form), expected);
        QCOMPARE(resultCaptions(form), shown);
    }

    void runEndsAtDepth_data()
    {
        QTest::addColumn<QString>("depth");
        // c = tip click, A = analysis click, t = tick, a digit = new depth
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("ticksLeft");
        QTest::addColumn<int>("countedTips"); // 0: a normal run, whose last tip stays
        QTest::newRow("depth 10 makes eleven tips") << u"10"_s << u"c"_s << 10 << 0;
        QTest::newRow("analysis of depth 10") << u"10"_s << u"A"_s << 10 << 11;
        QTest::newRow("fraction is never met") << u"1.5"_s << u"A"_s << Never << Never + 1;
        QTest::newRow("beyond the counter") << u"40000"_s << u"A"_s << Never << Never + 1;
        QTest::newRow("tip click adds a tip, count goes on") << u"10"_s << u"cttttc"_s << 6 << 0;
        QTest::newRow("analysis mid-run counts the rest") << u"10"_s << u"ctttA"_s << 7 << 8;
        QTest::newRow("analysis during an analysis goes on") << u"5"_s << u"AtA"_s << 4 << 7;
        QTest::newRow("tip click during an analysis is counted") << u"5"_s << u"Atc"_s << 4 << 7;
        QTest::newRow("new depth applies at the next tick") << u"10"_s << u"cttt5"_s << 2 << 0;
        QTest::newRow("depth lowered below count") << u"10"_s << u"ctttt2"_s << Never - 4 << 0;
    }

    void runEndsAtDepth()
    {
        QFETCH(QString, depth);
        QFETCH(QString, script);
        QFETCH(int, countedTips);
        Form1 form;
        form.Combo1->setText(depth);
        QStringList shown(6, u"0"_s); // the result cells as the last tip in normal mode left them
        const auto act = [&](QChar action) {
            const bool counting = form.Modus() == 1;
            if (action.isDigit())
                form.Combo1->setText(action);
            else if (action == u'c')
                form.commando1_Click();
            else if (action == u'A')
                form.commando3_Click();
            else
                form.Timer1_Timer();
            if (!counting && form.Modus() == 0)
                shown = resultCaptions(form);
        };
        for (QChar action : script)
            act(action);
        int ticks = 0;
        for (; form.Timer1->Enabled() && ticks <= Never; ++ticks)
            act(u't');
        QTEST(ticks, "ticksLeft");
        QVERIFY(form.Durchlauf() == 0 && form.Modus() == 0);
        QCOMPARE(resultCaptions(form), shown);
        if (countedTips == 0) // the last tip stays
            QCOMPARE(cellsWithColour(form, Green), shownNumbers(form));
        qint64 counted = 0; // else counts only: no green and no neutral cell
        for (const OleColor colour : countedTips ? boardColours(form) : QList<OleColor>()) {
            QCOMPARE(colour % CountStep, 0);
            counted += colour / CountStep;
        }
        QCOMPARE(counted, 6 * countedTips);
    }

    // Tips made back to back in a tight loop, each re-seeding from the clock. Every chance
    // threshold is one that a fair program exceeds less than once in a million runs.
    void chanceMatchesFairDraws()
    {
        Form1 form;
        constexpr int tips = 100'000;
        constexpr double expected = tips * 6.0 / 49.0;
        QList<qint64> counts(50);
        QStringList previous;
        qint64 shared = 0;
        for (int t = 0; t < tips; ++t) {
            form.commando1_Click();
            const QStringList tip = shownNumbers(form);
            for (const QString &n : tip) {
                ++counts[n.toInt()];
                shared += previous.contains(n);
            }
            previous = tip;
        }
        // Chi-square with 48 degrees of freedom passes 109.7 with chance 1e-6; drawing without
        // repeats makes the counts vary less than a multinomial, so the bound is on the safe side.
        double statistic = 0;
        for (int n = 1; n <= 49; ++n)
            statistic += std::pow(double(counts[n]) - expected, 2) / expected;
        QCOMPARE_LT(statistic, 109.7);
        // Two independent tips share 36/49 numbers on average (hypergeometric, variance 0.5776).
        const double mean = double(shared) / (tips - 1);
        QCOMPARE_LT(std::abs(mean - 36.0 / 49.0), 6 * std::sqrt(0.5776 / (tips - 1)));
    }
};

QTEST_MAIN(tst_TipEngine)
#include "tst_tipengine.moc"
