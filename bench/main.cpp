// Prints the handler, paint, timer, start-up and memory figures of Kugelfix.
//   kugelfix_bench [--quick] [section...]
// Sections: ticks draw layout growth startup timers (all when none is named).
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include "Button.h"
#include "Fonts.h"
#include "Form1.h"
#include "Form2.h"
#include "Measure.h"
#include "Startup.h"

#include <QApplication>
#include <QEventLoop>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

using namespace Qt::StringLiterals;
using Measure::medianMicros;
using Measure::nowNs;

namespace {

constexpr int Samples = 15;
constexpr double TickPeriodUs = 50'000.0;
bool s_allMet = true;

void heading(const char *title)
{
    std::printf("\n%s\n", title);
}

void row(const char *what, double value, const char *unit, int decimals = 1)
{
    std::printf("  %-44s %10.*f %s\n", what, decimals, value, unit);
}

void target(const char *what, bool met)
{
    std::printf("  target %-37s %s\n", what, met ? "met" : "MISSED");
    s_allMet = s_allMet && met;
}

// What the event loop does after a handler, short of timers and input: the
// posted events, the repaint among them.
void paintPending()
{
    QCoreApplication::sendPostedEvents();
}

// A shown main window with the given depth; the depth "0" is never met, so
// ticks can be driven for as long as a measurement needs.
std::unique_ptr<Form1> openMainWindow(const QString &depth)
{
    auto form = std::make_unique<Form1>();
    form->Combo1->setText(depth);
    form->show();
    QCoreApplication::processEvents();
    paintPending();
    return form;
}

void stopTimers(Form1 &form)
{
    form.Timer1->setEnabled(false);
    form.Timer2->setEnabled(false);
}

void benchTicks()
{
    heading("Timer1_Timer, one tick (median of 15 samples)");
    for (const bool frequency : {false, true}) {
        auto form = openMainWindow(u"0"_s);
        if (frequency)
            form->commando3_Click();
        const char *mode = frequency ? "frequency mode" : "normal mode";
        const double alone = medianMicros(Samples, 300, [&] { form->Timer1_Timer(); });
        const double repaint = medianMicros(Samples, 300, [&] {
            form->Timer1_Timer();
            paintPending();
        });
        const double grabbed = medianMicros(Samples, 100, [&] {
            form->Timer1_Timer();
            (void)form->grab();
        });
        std::printf("  %s\n", mode);
        row("  handler alone", alone, "us");
        row("  handler + repaint of the changed cells", repaint, "us");
        row("  handler + full window grab", grabbed, "us");
        row("  handler + full window grab, share of 50 ms", 100.0 * grabbed / TickPeriodUs, "%", 2);
        target(frequency ? "tick + grab < 1 % (frequency)" : "tick + grab < 1 % (normal)",
               grabbed < 0.01 * TickPeriodUs);
        stopTimers(*form);
    }
}

void benchDraw()
{
    heading("Draw simulation (median of 15 samples)");
    auto form = openMainWindow(u"10"_s);
    form->commando1_Click();
    stopTimers(*form);
    row("commando4_Click", medianMicros(Samples, 100, [&] { form->commando4_Click(); }), "us");
    QList<double> perTick;
    for (int s = 0; s < Samples * 10; ++s) {
        form->commando4_Click();
        const qint64 start = nowNs();
        for (int k = 0; k < 6; ++k)
            form->Timer2_Timer();
        perTick.append(double(nowNs() - start) / 1000.0 / 6);
    }
    row("Timer2_Timer, mean of the six reveal ticks", Measure::median(perTick), "us");
    stopTimers(*form);
}

void benchLayoutAndPaint()
{
    heading("Button layout and window paint (median of 15 samples)");
    auto form = openMainWindow(u"10"_s);
    Button *button = form->commando1;
    const QSize rest = button->size();
    int flip = 0;
    row("UserControl_Resize (commando1 resized)",
        medianMicros(Samples, 200,
                     [&] {
                         flip ^= 1;
                         button->resize(rest.width() + flip, rest.height());
                     }),
        "us");
    button->resize(rest);
    row("full paint of Form1 (grab)", medianMicros(Samples, 50, [&] { (void)form->grab(); }), "us");
    Form2 *dialog = Form2::shared();
    dialog->show();
    QCoreApplication::processEvents();
    row("full paint of Form2 (grab)", medianMicros(Samples, 50, [&] { (void)dialog->grab(); }),
        "us");
    dialog->hide();
}

void benchTimerPrecision(int runs)
{
    heading("Timer precision: depth-200 runs with the real 50 ms timer");
    auto form = openMainWindow(u"200"_s);
    QList<double> totals;
    QList<double> intervals;
    for (int run = 0; run < runs; ++run) {
        QList<qint64> stamps;
        QEventLoop loop;
        const auto connection = QObject::connect(form->Timer1, &Timer::tick, &loop, [&] {
            stamps.append(nowNs());
            if (!form->Timer1->Enabled())
                loop.quit();
        });
        stamps.append(nowNs());
        form->commando1_Click();
        loop.exec();
        QObject::disconnect(connection);
        totals.append(double(stamps.last() - stamps.first()) / 1e9);
        for (qsizetype i = 1; i < stamps.size(); ++i)
            intervals.append(double(stamps[i] - stamps[i - 1]) / 1e6);
        std::printf("  run %d: %lld ticks in %.4f s\n", run + 1,
                    static_cast<long long>(stamps.size() - 1), totals.last());
    }
    const double total = Measure::median(totals);
    row("total, median of the runs (ideal 10.000 s)", total, "s", 4);
    row("deviation from 10.000 s", 100.0 * (total - 10.0) / 10.0, "%", 3);
    row("interval p50", Measure::percentile(intervals, 0.5), "ms");
    row("interval p99", Measure::percentile(intervals, 0.99), "ms");
    row("interval max", Measure::percentile(intervals, 1.0), "ms");
    bool allWithin = true;
    for (const double t : totals)
        allWithin = allWithin && std::abs(t - 10.0) <= 0.05;
    target("every depth-200 run within 0.5 %", allWithin);
}

double tickWithRepaint(Form1 &form)
{
    const qint64 start = nowNs();
    form.Timer1_Timer();
    paintPending();
    return double(nowNs() - start) / 1000.0;
}

// A window past tick 30,000 is ticked in turn with a fresh one, so that the
// machine's ups and downs fall on both alike.
void benchGrowth()
{
    heading("Growth over a run that never meets its depth (tick + repaint)");
    constexpr int LastTick = 30000;
    constexpr int Compared = 1000;
    for (const bool frequency : {false, true}) {
        auto late = openMainWindow(u"0"_s);
        if (frequency)
            late->commando3_Click();
        qint64 rssEarly = 0;
        for (int tick = 1; tick <= LastTick; ++tick) {
            tickWithRepaint(*late);
            if (tick == 100)
                rssEarly = Measure::residentKiB();
        }
        const qint64 rssLate = Measure::residentKiB();
        auto early = openMainWindow(u"0"_s);
        if (frequency)
            early->commando3_Click();
        for (int tick = 1; tick < 100; ++tick)
            tickWithRepaint(*early);
        QList<double> costEarly, costLate;
        for (int i = 0; i < Compared; ++i) {
            costEarly.append(tickWithRepaint(*early));
            costLate.append(tickWithRepaint(*late));
        }
        const double earlyUs = Measure::median(costEarly);
        const double lateUs = Measure::median(costLate);
        std::printf("  %s\n", frequency ? "frequency mode" : "normal mode");
        row("  tick cost, ticks 100 to 1,100", earlyUs, "us");
        row("  tick cost, ticks 30,000 to 31,000", lateUs, "us");
        row("  resident memory at tick 100", double(rssEarly), "KiB");
        row("  resident memory at tick 30,000", double(rssLate), "KiB");
        // Flat: no more than a tenth dearer, and no more than 1 % more memory.
        target(frequency ? "flat cost and memory (frequency)" : "flat cost and memory (normal)",
               lateUs <= 1.1 * earlyUs && double(rssLate) <= 1.01 * double(rssEarly));
        stopTimers(*early);
        stopTimers(*late);
    }
}

void benchStartup(const QString &self, int runs)
{
    std::printf("\nStart-up: process start to first frame, %d starts of each in turn (medians)\n",
                runs);
    const Startup::Figures f = Startup::measure(self, runs);
    std::printf("  %-28s %10s %14s\n", "", "start-up", "resident");
    const auto line = [](const char *what, double ms, double kib) {
        std::printf("  %-28s %7.1f ms %10.0f KiB\n", what, ms, kib);
    };
    line("main window", f.mainMs, f.mainRssKiB);
    line("stock-widget window", f.stockMs, f.stockRssKiB);
    line("bare Qt window", f.bareMs, f.bareRssKiB);
    const double stockTime = f.mainMs / f.stockMs;
    const double stockMemory = f.mainRssKiB / f.stockRssKiB;
    std::printf("  main / stock-widget window  %7.2f x  %10.2f x\n", stockTime, stockMemory);
    std::printf("  main / bare Qt window       %7.2f x  %10.2f x\n", f.mainMs / f.bareMs,
                f.mainRssKiB / f.bareRssKiB);
    target("start-up within 0.95 x stock widgets", stockTime <= 0.95);
    target("memory within 0.95 x stock widgets", stockMemory <= 0.95);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 1 && std::strcmp(argv[1], Startup::childFlag) == 0)
        Startup::runChild(argc, argv);
    bool quick = false;
    QStringList sections;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0)
            quick = true;
        else
            sections.append(QString::fromLocal8Bit(argv[i]));
    }
    const auto wanted = [&sections](const char *name) {
        return sections.isEmpty() || sections.contains(QLatin1StringView(name));
    };

    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    Fonts::registerSubstitutions();
    std::printf("Kugelfix benchmark, platform %s%s\n", qPrintable(QApplication::platformName()),
                quick ? ", quick" : "");

    if (wanted("ticks"))
        benchTicks();
    if (wanted("draw"))
        benchDraw();
    if (wanted("layout"))
        benchLayoutAndPaint();
    if (wanted("growth"))
        benchGrowth();
    if (wanted("startup"))
        benchStartup(QApplication::applicationFilePath(), quick ? 7 : 15);
    if (wanted("timers"))
        benchTimerPrecision(quick ? 1 : 3);

    std::printf("\n%s\n", s_allMet ? "All targets met." : "Some targets missed.");
    std::fflush(stdout);
    // Form2 ends the process when it is destroyed; leave it to the exit.
    std::_Exit(s_allMet ? 0 : 1);
}
