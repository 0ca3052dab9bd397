#include "BoardTestSupport.h"

#include "Button.h"

#include <cmath>
#include <random>

using namespace BoardTest;
using namespace BoardColours;

namespace {
// Chi-square with 48 degrees of freedom exceeds this with chance 1e-6.
constexpr double ChiSquare48 = 109.7;

double chiSquare(const QList<qint64> &counts, double expected)
{
    double sum = 0;
    for (int n = 1; n <= 49; ++n)
        sum += std::pow(double(counts[n]) - expected, 2) / expected;
    return sum;
}

// Depths that end a run and depths that never do.
const QStringList DepthPool = {u"1"_s,   u"2"_s,  u"5"_s,   u"20"_s,    u"0"_s,
                               u"abc"_s, u"-3"_s, u"1.5"_s, u"40000"_s, u" 4"_s};

} // namespace

// Names a broken soak invariant by its own text; the failure adds seed, event and state.
#define REQUIRE(condition)                                                                         \
    if (!(condition))                                                                              \
    return QStringLiteral(#condition)

// Every chance threshold here is one that a fair program exceeds less than once in a million runs.
class tst_Reliability : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void chanceMatchesFairDraws()
    {
        Form1 form;
        QList<qint64> counts(50);
        // Tips made back to back in a tight loop, each re-seeding from the clock.
        constexpr int tips = 100'000;
        constexpr double p = 6.0 / 49.0;
        QList<int> previous;
        qint64 shared = 0;
        for (int t = 0; t < tips; ++t) {
            form.commando1_Click();
            const QList<int> tip = listNumbers(form);
            for (int n : tip) {
                ++counts[n];
                shared += previous.contains(n);
            }
            previous = tip;
        }
        // Drawing without repeats makes the counts vary less than a multinomial, so
        // the plain chi-square bound is on the safe side.
        const double statistic = chiSquare(counts, tips * p);
        QVERIFY2(statistic < ChiSquare48, qPrintable(QString::number(statistic)));
        // Two independent tips share 36/49 numbers on average (hypergeometric, variance 0.5776).
        const double mean = double(shared) / (tips - 1);
        QVERIFY2(std::abs(mean - 36.0 / 49.0) < 6 * std::sqrt(0.5776 / (tips - 1)),
                 qPrintable(QString::number(mean)));
    }

    // Random clicks, ticks and depths; after every event the state is one the program can be in.
    void soakWithRandomEvents()
    {
        const quint64 seed =
            qEnvironmentVariable("KUGELFIX_SOAK_SEED", u"20261206"_s).toULongLong();
        const int asked = qEnvironmentVariableIntValue("KUGELFIX_SOAK_EVENTS");
        const int events = asked > 0 ? asked : 100'000;
        std::mt19937_64 chance(seed);
        const auto below = [&](int n) { return int(chance() % quint64(n)); };

        Form1 form;
        // The program's own random source follows the soak's seed, so a run replays exactly.
        quint64 clock = seed;
        form.tipEngine().random().setClock([&clock] { return clock += 7919; });
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        // What the reveal should be doing, kept from the events alone.
        bool revealing = false, tipMade = false;
        int revealStep = 0;
        Button *const buttons[] = {form.commando1, form.commando3, form.commando4};
        for (Button *button : buttons) {
            connect(button, &Button::Click, this, [&, button] {
                tipMade = true;
                revealing = revealing || button == form.commando4;
            });
        }
        connect(form.Timer2, &Timer::tick, this, [&] {
            revealStep = (revealStep + 1) % 6;
            revealing = revealing && revealStep != 0;
        });
        const auto brokenInvariant = [&]() -> QString {
            QString why;
            const QStringList items = form.List1->items();
            if (tipMade ? !isSortedTip(items, &why) : !items.isEmpty())
                return u"List1 "_s + why;
            for (const ColourLabel *cell : form.Label3) {
                const OleColor c = cell->BackColor();
                REQUIRE(c == Neutral || c == Green || c == Red || (c >= 0 && c % CountStep == 0));
            }
            for (const QString &caption : resultCaptions(form)) {
                const int value = caption.toInt();
                REQUIRE(caption.isEmpty() || caption == u"0" ||
                        (value >= 1 && value <= 49 && QString::number(value) == caption));
            }
            REQUIRE(form.Modus() == 0 || (form.Modus() == 1 && form.Timer1->Enabled()));
            REQUIRE(form.Durchlauf() >= 0 && (form.Timer1->Enabled() || form.Durchlauf() == 0));
            // The model's step stays in 0 to 5, so this also bounds Ziehungsschritt.
            REQUIRE(form.Ziehungsschritt() == revealStep && form.Timer2->Enabled() == revealing);
            REQUIRE(revealing || form.commando4->Caption() == u"Ziehung simulieren");
            return {};
        };

        const Qt::MouseButton mouseButtons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
        for (int event = 0; event < events; ++event) {
            const int kind = below(100);
            if (kind < 50) {
                Timer *timer = kind < 40 ? form.Timer1 : form.Timer2;
                if (timer->Enabled())
                    Q_EMIT timer->tick();
            } else if (kind < 62) {
                // The draw button most, as draws started mid-reveal matter.
                Button *button = buttons[std::min(below(5), 2)];
                const QPoint at(below(button->width()), below(button->height()));
                QTest::mouseClick(button, mouseButtons[below(3)], {}, at);
            } else if (kind < 92) {
                QTest::mouseClick(form.Label3(1 + below(49)), Qt::LeftButton);
            } else {
                setDepth(form, DepthPool[below(int(DepthPool.size()))]);
            }
            const QString broken = brokenInvariant();
            QVERIFY2(broken.isEmpty(),
                     qPrintable(u"seed %1, event %2 (kind %3): %4; List1 %5"_s.arg(seed)
                                    .arg(event)
                                    .arg(kind)
                                    .arg(broken, form.List1->items().join(u' '))));
        }
        QVERIFY(tipMade);
    }
};

QTEST_MAIN(tst_Reliability)
#include "tst_reliability.moc"
