#include "BoardTestSupport.h"

#include "Button.h"

#include <QElapsedTimer>
#include <QSignalSpy>

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

const QStringList DepthPool = {
    u"1"_s,     u"2"_s,     u"3"_s,      u"5"_s,          u"10"_s,
    u"20"_s,    u"0"_s,     QString(),   u"   "_s,        u"abc"_s,
    u"-3"_s,    u"1.5"_s,   u"1e1"_s,    u" 4"_s,         u"6abc"_s,
    u"40000"_s, u"1e400"_s, u"\u0663"_s, u"zehn\u00e4"_s, QString(1000, u'8'),
};

bool showsFace(const Button &button, const PictureElement &store)
{
    return button.image5().picture() && button.image5().picture() == store.picture();
}

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
        int identical = 0;
        qint64 shared = 0;
        for (int t = 0; t < tips; ++t) {
            form.commando1_Click();
            const QList<int> tip = listNumbers(form);
            for (int n : tip) {
                ++counts[n];
                shared += previous.contains(n);
            }
            identical += tip == previous;
            previous = tip;
        }
        // Drawing without repeats makes the counts vary less than a multinomial, so
        // the plain chi-square bound is on the safe side.
        const double statistic = chiSquare(counts, tips * p);
        QVERIFY2(statistic < ChiSquare48, qPrintable(QString::number(statistic)));
        // 49 numbers, each beyond 5.7 sd with chance 1.2e-8.
        const double sd = std::sqrt(tips * p * (1 - p));
        for (int n = 1; n <= 49; ++n)
            QVERIFY2(std::abs(double(counts[n]) - tips * p) < 5.7 * sd,
                     qPrintable(u"%1 came %2 times"_s.arg(n).arg(counts[n])));
        // Identical neighbours come 0.007 times in 100,000 tips; two independent tips
        // share 36/49 numbers on average (hypergeometric, variance 0.5776).
        QVERIFY2(identical <= 2, qPrintable(QString::number(identical)));
        const double mean = double(shared) / (tips - 1);
        QVERIFY2(std::abs(mean - 36.0 / 49.0) < 6 * std::sqrt(0.5776 / (tips - 1)),
                 qPrintable(QString::number(mean)));
    }

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
        int clicks[3] = {};
        for (int b = 0; b < 3; ++b) {
            connect(buttons[b], &Button::Click, this, [&, b] {
                ++clicks[b];
                tipMade = true;
                revealing = revealing || b == 2;
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
            // Sets 3, 4 and 8 keep their faces in the library at 4, 6 and 15.
            for (const auto &[button, library] :
                 {std::pair(form.commando1, 4), std::pair(form.commando3, 6),
                  std::pair(form.commando4, 15)}) {
                REQUIRE(button->image1().picture() == button->image100(library).picture());
                REQUIRE(showsFace(*button, button->image1()));
                REQUIRE(std::abs(button->label1().top() - button->captionRestTop()) <= 0.5f &&
                        std::abs(button->image4().top() - button->pictureRestTop()) <= 0.5f);
            }
            REQUIRE(revealing || form.commando4->Caption() == u"Ziehung simulieren");
            return {};
        };

        const Qt::MouseButton mouseButtons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
        const auto anywhereOn = [&](QWidget *widget) {
            return QPoint(below(widget->width()), below(widget->height()));
        };
        QElapsedTimer elapsed;
        elapsed.start();
        for (int event = 0; event < events; ++event) {
            const int kind = below(100);
            QString broken;
            if (kind < 50) {
                Timer *timer = kind < 40 ? form.Timer1 : form.Timer2;
                if (timer->Enabled())
                    Q_EMIT timer->tick();
            } else if (kind < 62) {
                // The draw button most, as draws started mid-reveal matter.
                Button *button = buttons[std::min(below(5), 2)];
                QTest::mouseClick(button, mouseButtons[below(3)], {}, anywhereOn(button));
            } else if (kind < 64) {
                // As the platform delivers a double click: press, release, double click, release.
                Button *button = buttons[below(3)];
                const QPoint at = anywhereOn(button);
                QTest::mouseClick(button, Qt::LeftButton, {}, at);
                QTest::mouseDClick(button, Qt::LeftButton, {}, at);
                QTest::mouseRelease(button, Qt::LeftButton, {}, at);
            } else if (kind < 66) {
                // A reveal tick while the draw button is held down.
                QTest::mousePress(form.commando4, Qt::LeftButton, {}, anywhereOn(form.commando4));
                if (!showsFace(*form.commando4, form.commando4->image2()))
                    broken = u"draw button held without its pressed face"_s;
                else if (form.Timer2->Enabled())
                    Q_EMIT form.Timer2->tick();
                QTest::mouseRelease(form.commando4, Qt::LeftButton, {}, QPoint(-5, -5));
            } else if (kind < 92) {
                QTest::mouseClick(form.Label3(1 + below(49)), Qt::LeftButton);
            } else {
                setDepth(form, DepthPool[below(int(DepthPool.size()))]);
            }
            if (broken.isEmpty())
                broken = brokenInvariant();
            if (!broken.isEmpty()) {
                QDebug(&broken) << "; List1" << form.List1->items() << "Modus" << form.Modus()
                                << "Durchlauf" << form.Durchlauf() << "Ziehungsschritt"
                                << form.Ziehungsschritt() << "board" << boardColours(form);
                QFAIL(qPrintable(
                    u"seed %1, event %2 (kind %3): %4"_s.arg(seed).arg(event).arg(kind).arg(
                        broken)));
            }
        }
        qInfo("%d events in %lld ms (seed %llu): %d tip, %d analysis and %d draw clicks", events,
              elapsed.elapsed(), seed, clicks[0], clicks[1], clicks[2]);
        QVERIFY(clicks[0] > 0 && clicks[1] > 0 && clicks[2] > 0);
    }
};

QTEST_MAIN(tst_Reliability)
#include "tst_reliability.moc"
