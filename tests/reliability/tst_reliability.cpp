#include "BoardTestSupport.h"

#include <cmath>

using namespace BoardTest;

// Every chance threshold here is one that a fair program exceeds less than once in a million runs.
class tst_Reliability : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Tips made back to back in a tight loop, each re-seeding from the clock.
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

QTEST_MAIN(tst_Reliability)
#include "tst_reliability.moc"
