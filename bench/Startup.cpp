#include "Startup.h"

#include "Fonts.h"
#include "Form1.h"
#include "Measure.h"

#include <QApplication>
#include <QLabel>
#include <QProcess>

#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

// Reports once the first frame is complete: the queued call runs after the
// paint pass that delivered the first paint event has painted every child.
class FirstFrameProbe : public QObject
{
public:
    explicit FirstFrameProbe(qint64 startedNs) : m_startedNs(startedNs) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    const qint64 elapsed = Measure::nowNs() - m_startedNs;
                    std::printf("%lld %lld\n", static_cast<long long>(elapsed),
                                static_cast<long long>(Measure::residentKiB()));
                    std::fflush(stdout);
                    std::_Exit(0);
                },
                Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    qint64 m_startedNs;
    bool m_seen = false;
};

struct ChildResult
{
    double ms = 0;
    double rssKiB = 0;
};

ChildResult startChild(const QString &benchmark, const QString &kind)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const qint64 started = Measure::nowNs();
    child.start(benchmark,
                {QString::fromLatin1(Startup::childFlag), kind, QString::number(started)});
    if (!child.waitForFinished(30000) || child.exitCode() != 0) {
        std::fprintf(stderr, "start-up child '%s' failed\n", qPrintable(kind));
        std::exit(1);
    }
    const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
    return {fields.value(0).toDouble() / 1e6, fields.value(1).toDouble()};
}

} // namespace

Startup::Figures Startup::measure(const QString &benchmark, int runs)
{
    QList<double> mainMs, bareMs, textMs, mainRss, bareRss, textRss;
    for (int run = 0; run < runs; ++run) {
        const ChildResult bare = startChild(benchmark, u"bare"_s);
        const ChildResult text = startChild(benchmark, u"text"_s);
        const ChildResult main = startChild(benchmark, u"main"_s);
        bareMs.append(bare.ms);
        bareRss.append(bare.rssKiB);
        textMs.append(text.ms);
        textRss.append(text.rssKiB);
        mainMs.append(main.ms);
        mainRss.append(main.rssKiB);
    }
    using Measure::median;
    return {median(mainMs),  median(bareMs),  median(textMs),
            median(mainRss), median(bareRss), median(textRss)};
}

void Startup::runChild(int argc, char *argv[])
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s %s main|bare <start ns>\n", argv[0], childFlag);
        std::_Exit(2);
    }
    const bool mainWindow = std::strcmp(argv[2], "main") == 0;
    const qint64 startedNs = std::strtoll(argv[3], nullptr, 10);

    // The same steps as the program's own main().
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    FirstFrameProbe probe(startedNs);
    QWidget *window = nullptr;
    if (mainWindow) {
        Fonts::registerSubstitutions();
        window = new Form1;
    } else {
        window = new QWidget;
        window->setWindowTitle(u"Qt"_s);
        window->setFixedSize(430, 357);
        if (std::strcmp(argv[2], "text") == 0)
            new QLabel(u"Kugelfix"_s, window);
    }
    window->installEventFilter(&probe);
    window->show();
    std::_Exit(app.exec());
}
