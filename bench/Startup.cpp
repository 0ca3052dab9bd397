#include "Startup.h"

#include "Fonts.h"
#include "Form1.h"
#include "Measure.h"

#include "IconFile.h"
#include "Twips.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>

#include <cstdio>
#include <cstdlib>
#include <tuple>

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

QWidget *bareWindow()
{
    auto *window = new QWidget;
    window->setWindowTitle(u"Qt"_s);
    window->setFixedSize(Twips::toWholePixels(6450), Twips::toWholePixels(5355));
    return window;
}

QFont plainFont(const QString &family, qreal pointSize, bool bold = false)
{
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

// The main window's controls as Qt's own widgets, at the same places and in the
// same fonts: the framed result and board cells, the depth box, the picture
// and three push buttons. No skins.
QWidget *stockWindow()
{
    QWidget *window = bareWindow();
    const auto place = [](QWidget *widget, int left, int top, int width, int height) {
        widget->setGeometry(Twips::rect(left, top, width, height));
    };
    const auto cell = [window, &place](const QString &text, const QFont &font, int left, int top,
                                       int width, int height) {
        auto *label = new QLabel(text, window);
        label->setFrameShape(QFrame::Box);
        label->setAlignment(Qt::AlignCenter);
        label->setFont(font);
        place(label, left, top, width, height);
    };
    const QFont result = plainFont(u"Arial Narrow"_s, 28.5);
    for (int i = 0; i < 6; ++i)
        cell(u"0"_s, result, 270 + 1035 * i, 135, 735, 615);
    const QFont board = plainFont(u"MS Sans Serif"_s, 12, true);
    for (int n = 1; n <= 49; ++n) {
        cell(QString::number(n), board, 315 + 405 * ((n - 1) % 7), 1215 + 360 * ((n - 1) / 7), 375,
             330);
    }
    auto *depth = new QComboBox(window);
    depth->setEditable(true);
    depth->setFont(board);
    depth->addItems({u"1"_s, u"5"_s, u"10"_s, u"20"_s, u"50"_s, u"100"_s, u"200"_s});
    depth->setEditText(u"10"_s);
    place(depth, 4095, 1485, 1680, 420);
    auto *picture = new QLabel(window);
    picture->setPixmap(loadIcon(u":/data/kugelfix.ico"_s, 48).pixmap(48));
    place(picture, 4590, 2835, 720, 720);
    const std::tuple<QString, QFont, int, int> buttons[] = {
        {u"Tipp  erstellen"_s, plainFont(u"Arial"_s, 9.75, true), 45, 1950},
        {u"Ermittle\nseltene / häufige\nZahlen"_s, plainFont(u"MS Sans Serif"_s, 9.75, true), 2070,
         2040},
        {u"Ziehung simulieren"_s, plainFont(u"MS Sans Serif"_s, 9.75, true), 4185, 2220},
    };
    for (const auto &[caption, font, left, width] : buttons) {
        auto *button = new QPushButton(caption, window);
        button->setFont(font);
        place(button, left, 4005, width, 1320);
    }
    return window;
}

} // namespace

Startup::Figures Startup::measure(const QString &benchmark, int runs)
{
    QList<double> mainMs, stockMs, bareMs, mainRss, stockRss, bareRss;
    for (int run = 0; run < runs; ++run) {
        const ChildResult bare = startChild(benchmark, u"bare"_s);
        const ChildResult stock = startChild(benchmark, u"stock"_s);
        const ChildResult main = startChild(benchmark, u"main"_s);
        bareMs.append(bare.ms);
        bareRss.append(bare.rssKiB);
        stockMs.append(stock.ms);
        stockRss.append(stock.rssKiB);
        mainMs.append(main.ms);
        mainRss.append(main.rssKiB);
    }
    using Measure::median;
    return {median(mainMs),  median(stockMs),  median(bareMs),
            median(mainRss), median(stockRss), median(bareRss)};
}

void Startup::runChild(int argc, char *argv[])
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s %s main|stock|bare <start ns>\n", argv[0], childFlag);
        std::_Exit(2);
    }
    const QLatin1StringView kind(argv[2]);
    const qint64 startedNs = std::strtoll(argv[3], nullptr, 10);

    // The same steps as the program's own main().
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    FirstFrameProbe probe(startedNs);
    QWidget *window = nullptr;
    if (kind == "main"_L1) {
        Fonts::registerSubstitutions();
        window = new Form1;
    } else if (kind == "stock"_L1) {
        Fonts::registerSubstitutions();
        window = stockWindow();
    } else {
        window = bareWindow();
    }
    window->installEventFilter(&probe);
    window->show();
    std::_Exit(app.exec());
}
