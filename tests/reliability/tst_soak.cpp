#include "BoardTestSupport.h"

#include "Button.h"
#include "Form2.h"

#include <QElapsedTimer>
#include <QSignalSpy>

#include <cmath>
#include <random>

using namespace BoardTest;
using namespace BoardColours;

namespace {
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

// What the reveal should be doing, kept from the events alone.
struct RevealModel
{
    bool running = false;
    int step = 0;
};
} // namespace

class tst_Soak : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void randomEventsKeepTheState();

private:
    QString checkInvariants(const Form1 &form, const RevealModel &reveal, bool tipMade) const;
};

QString tst_Soak::checkInvariants(const Form1 &form, const RevealModel &reveal, bool tipMade) const
{
    QString why;
    const QStringList items = form.List1->items();
    if (tipMade ? !isSortedTip(items, &why) : !items.isEmpty())
        return u"List1: "_s + (why.isEmpty() ? items.join(u' ') : why);
    for (int n = 1; n <= 49; ++n) {
        const OleColor c = form.Label3(n)->BackColor();
        if (c != Neutral && c != Green && c != Red && (c < 0 || c % CountStep != 0))
            return u"cell %1 has colour %2"_s.arg(n).arg(uint(c), 8, 16, QChar(u'0'));
    }
    for (const QString &caption : resultCaptions(form)) {
        const int value = caption.toInt();
        if (!caption.isEmpty() && caption != u"0" &&
            (value < 1 || value > 49 || QString::number(value) != caption))
            return u"result cell shows '%1'"_s.arg(caption);
    }
    if (form.Modus() != 0 && form.Modus() != 1)
        return u"Modus %1"_s.arg(form.Modus());
    if (form.Modus() == 1 && !form.Timer1->Enabled())
        return u"analysis without a run"_s;
    if (!form.Timer1->Enabled() && form.Durchlauf() != 0)
        return u"Durchlauf %1 after the run"_s.arg(form.Durchlauf());
    if (form.Durchlauf() < 0)
        return u"Durchlauf %1"_s.arg(form.Durchlauf());
    if (form.Ziehungsschritt() < 0 || form.Ziehungsschritt() > 5)
        return u"Ziehungsschritt %1"_s.arg(form.Ziehungsschritt());
    if (form.Ziehungsschritt() != reveal.step)
        return u"Ziehungsschritt %1, expected %2"_s.arg(form.Ziehungsschritt()).arg(reveal.step);
    if (form.Timer2->Enabled() != reveal.running)
        return u"Timer2 %1 while reveal %2"_s.arg(form.Timer2->Enabled()).arg(reveal.running);
    // Sets 3, 4 and 8 keep their faces in the library at 4, 6 and 15.
    const std::pair<const Button *, int> skins[] = {
        {form.commando1, 4}, {form.commando3, 6}, {form.commando4, 15}};
    for (const auto &[button, library] : skins) {
        if (button->image1().picture() != button->image100(library).picture())
            return button->objectName() + u" lost the skin of its set"_s;
        if (!showsFace(*button, button->image1()))
            return button->objectName() + u" at rest without its normal face"_s;
        if (std::abs(button->label1().top() - button->captionRestTop()) > 0.5f ||
            std::abs(button->image4().top() - button->pictureRestTop()) > 0.5f)
            return button->objectName() + u" content away from its rest tops"_s;
    }
    if (!reveal.running && form.commando4->Caption() != u"Ziehung simulieren")
        return u"idle draw button reads '%1'"_s.arg(form.commando4->Caption());
    return {};
}

void tst_Soak::randomEventsKeepTheState()
{
    const quint64 seed = qEnvironmentVariableIsSet("KUGELFIX_SOAK_SEED")
                             ? qEnvironmentVariable("KUGELFIX_SOAK_SEED").toULongLong()
                             : 20261206;
    const int events = qEnvironmentVariableIntValue("KUGELFIX_SOAK_EVENTS") > 0
                           ? qEnvironmentVariableIntValue("KUGELFIX_SOAK_EVENTS")
                           : 100'000;
    std::mt19937_64 chance(seed);
    const auto below = [&](int n) { return int(chance() % quint64(n)); };

    Form1 form;
    // The program's own random source follows the soak's seed, so a run replays exactly.
    quint64 clock = seed;
    form.tipEngine().random().setClock([&clock] { return clock += 7919; });
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    RevealModel reveal;
    bool tipMade = false;
    QSignalSpy tipClicks(form.commando1, &Button::Click);
    QSignalSpy analysisClicks(form.commando3, &Button::Click);
    QSignalSpy drawClicks(form.commando4, &Button::Click);
    QSignalSpy ticks(form.Timer1, &Timer::tick);
    connect(form.commando1, &Button::Click, this, [&] { tipMade = true; });
    connect(form.commando3, &Button::Click, this, [&] { tipMade = true; });
    connect(form.commando4, &Button::Click, this, [&] {
        tipMade = true;
        reveal.running = true;
    });
    connect(form.Timer2, &Timer::tick, this, [&] {
        if (++reveal.step == 6) {
            reveal.step = 0;
            reveal.running = false;
        }
    });

    Button *const buttons[] = {form.commando1, form.commando3, form.commando4};
    const Qt::MouseButton mouseButtons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
    const auto anywhereOn = [&](QWidget *widget) {
        return QPoint(below(widget->width()), below(widget->height()));
    };

    QElapsedTimer elapsed;
    elapsed.start();
    for (int event = 0; event < events; ++event) {
        const int kind = below(100);
        if (kind < 40) {
            if (form.Timer1->Enabled())
                Q_EMIT form.Timer1->tick();
        } else if (kind < 50) {
            if (form.Timer2->Enabled())
                Q_EMIT form.Timer2->tick();
        } else if (kind < 62) {
            // The draw button most, as draws started mid-reveal matter.
            Button *button = buttons[std::min(below(5), 2)];
            QTest::mouseClick(button, mouseButtons[below(3)], {}, anywhereOn(button));
        } else if (kind < 64) {
            Button *button = buttons[below(3)];
            // As the platform delivers a double click: press, release, double click, release.
            const QPoint at = anywhereOn(button);
            QTest::mouseClick(button, Qt::LeftButton, {}, at);
            QTest::mouseDClick(button, Qt::LeftButton, {}, at);
            QTest::mouseRelease(button, Qt::LeftButton, {}, at);
        } else if (kind < 66) {
            // A reveal tick while the draw button is held down.
            QTest::mousePress(form.commando4, Qt::LeftButton, {}, anywhereOn(form.commando4));
            if (!showsFace(*form.commando4, form.commando4->image2()))
                QFAIL(qPrintable(
                    u"seed %1, event %2: draw button held without its pressed face"_s.arg(seed).arg(
                        event)));
            if (form.Timer2->Enabled())
                Q_EMIT form.Timer2->tick();
            QTest::mouseRelease(form.commando4, Qt::LeftButton, {}, QPoint(-5, -5));
        } else if (kind < 92) {
            QTest::mouseClick(form.Label3(1 + below(49)), Qt::LeftButton);
        } else {
            setDepth(form, DepthPool[below(int(DepthPool.size()))]);
        }
        const QString broken = checkInvariants(form, reveal, tipMade);
        if (!broken.isEmpty())
            QFAIL(qPrintable(
                u"seed %1, event %2 (kind %3): %4"_s.arg(seed).arg(event).arg(kind).arg(broken)));
    }
    const qint64 ms = elapsed.elapsed();
    qInfo("%d events in %lld ms (seed %llu): %lld tip, %lld analysis and %lld draw clicks, "
          "%lld repetition ticks",
          events, ms, seed, qint64(tipClicks.count()), qint64(analysisClicks.count()),
          qint64(drawClicks.count()), qint64(ticks.count()));
    QVERIFY(tipClicks.count() > 0 && analysisClicks.count() > 0 && drawClicks.count() > 0);

    QSignalSpy repeats(form.Timer1, &Timer::tick);
    QSignalSpy reveals(form.Timer2, &Timer::tick);
    form.close();
    QVERIFY(!form.isVisible());
    QVERIFY(Form2::exists() && Form2::shared()->isVisible());
    QVERIFY(!form.Timer1->Enabled() && !form.Timer2->Enabled());
    QTest::qWait(150);
    QCOMPARE(repeats.count(), 0);
    QCOMPARE(reveals.count(), 0);
}

QTEST_MAIN(tst_Soak)
#include "tst_soak.moc"
