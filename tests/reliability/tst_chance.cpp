#include "BoardTestSupport.h"

#include <array>
#include <cmath>

using namespace BoardTest;

// Every threshold here is one that a fair program exceeds less than once in a million runs.
class tst_Chance : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void randomNumberIsUniformAcrossClockSeeds();
    void eachNumberIsInATipWithChanceSixIn49();
    void consecutiveTipsAreIndependent();
};

namespace {
// Chi-square with 48 degrees of freedom exceeds this with chance 1e-6.
constexpr double ChiSquare48 = 109.7;

double chiSquare(const std::array<qint64, 50> &counts, double expected)
{
    double sum = 0;
    for (int n = 1; n <= 49; ++n) {
        const double d = double(counts[std::size_t(n)]) - expected;
        sum += d * d / expected;
    }
    return sum;
}
} // namespace

void tst_Chance::randomNumberIsUniformAcrossClockSeeds()
{
    // As the program uses it: a fresh clock seed, then a few numbers.
    Form1 form;
    TipEngine &engine = form.tipEngine();
    std::array<qint64, 50> counts{};
    constexpr int seeds = 100'000, perSeed = 7;
    for (int s = 0; s < seeds; ++s) {
        engine.random().reseedFromClock();
        for (int i = 0; i < perSeed; ++i) {
            const qint32 z = engine.Zufallszahl(1, 49);
            QVERIFY(z >= 1 && z <= 49);
            ++counts[std::size_t(z)];
        }
    }
    const double statistic = chiSquare(counts, seeds * perSeed / 49.0);
    qInfo("chi-square of Zufallszahl(1, 49) over %d values: %.1f (48 df)", seeds * perSeed,
          statistic);
    QVERIFY2(statistic < ChiSquare48, qPrintable(QString::number(statistic)));
}

void tst_Chance::eachNumberIsInATipWithChanceSixIn49()
{
    Form1 form;
    constexpr int tips = 100'000;
    constexpr double p = 6.0 / 49.0;
    std::array<qint64, 50> counts{};
    for (int t = 0; t < tips; ++t) {
        form.commando1_Click();
        for (int n : listNumbers(form))
            ++counts[std::size_t(n)];
    }
    // Drawing without repeats makes the counts vary less than a multinomial, so
    // the plain chi-square bound is on the safe side.
    const double statistic = chiSquare(counts, tips * p);
    const double sd = std::sqrt(tips * p * (1 - p));
    double worst = 0;
    for (int n = 1; n <= 49; ++n)
        worst = std::max(worst, std::abs(double(counts[std::size_t(n)]) - tips * p) / sd);
    qInfo("%d tips: chi-square %.1f, largest deviation %.2f sd", tips, statistic, worst);
    QVERIFY2(statistic < ChiSquare48, qPrintable(QString::number(statistic)));
    // 49 numbers, each beyond 5.7 sd with chance 1.2e-8.
    QVERIFY2(worst < 5.7, qPrintable(QString::number(worst)));
}

void tst_Chance::consecutiveTipsAreIndependent()
{
    Form1 form;
    constexpr int tips = 10'000;
    QList<int> previous;
    int identical = 0;
    qint64 shared = 0;
    for (int t = 0; t < tips; ++t) {
        form.commando1_Click();
        const QList<int> tip = listNumbers(form);
        if (!previous.isEmpty()) {
            identical += tip == previous;
            for (int n : tip)
                shared += previous.contains(n);
        }
        previous = tip;
    }
    // Two independent tips share 36/49 numbers on average (hypergeometric,
    // variance 0.5776); identical neighbours come 7e-4 times per 10,000 tips.
    const int pairs = tips - 1;
    const double mean = double(shared) / pairs;
    const double sd = std::sqrt(0.5776 / pairs);
    qInfo("%d tips made back to back: %d identical neighbours, %.4f shared numbers on average "
          "(expected 0.7347)",
          tips, identical, mean);
    QVERIFY2(identical <= 2, qPrintable(QString::number(identical)));
    QVERIFY2(std::abs(mean - 36.0 / 49.0) < 6 * sd, qPrintable(QString::number(mean)));
}

QTEST_MAIN(tst_Chance)
#include "tst_chance.moc"
