#include "ColourLabel.h"
#include "ComboBox.h"
#include "ControlArray.h"
#include "RandomSource.h"
#include "Timer.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_Controls : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void labelKeepsExactColours();
    void labelNotifiesOnlyRealCaptionChanges();
    void labelClickPassesIndex();
    void controlArrayKeepsItsBounds();
    void comboTextIsWhatWasTyped();
    void timerSwitchedOnAgainKeepsItsPhase();
    void randomValuesStayBelowOne();
    void seededRandomSourceRepeats();
};

void tst_Controls::labelKeepsExactColours()
{
    ColourLabel label;
    for (const quint32 bits : {0x00E3E6FDu, 0x00000FA0u, 0x80000005u, 0x01000000u, 0xFFFFFFFFu}) {
        label.setBackColor(oleColor(bits));
        label.setForeColor(oleColor(bits ^ 1u));
        QCOMPARE(label.BackColor(), oleColor(bits));
        QCOMPARE(label.ForeColor(), oleColor(bits ^ 1u));
    }
}

void tst_Controls::labelNotifiesOnlyRealCaptionChanges()
{
    ColourLabel label;
    QSignalSpy changed(&label, &ColourLabel::captionChanged);
    label.setCaption(u"7"_s);
    label.setCaption(u"7"_s);
    QCOMPARE(changed.count(), 1);
    label.setCaption(QString());
    QCOMPARE(changed.count(), 2);
    QCOMPARE(label.Caption(), QString());
}

void tst_Controls::labelClickPassesIndex()
{
    ColourLabel label(nullptr, 25);
    label.resize(25, 22);
    label.show();
    QSignalSpy clicks(&label, &ColourLabel::Click);

    QTest::mouseClick(&label, Qt::LeftButton);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clicks.first().first().value<qint16>(), qint16(25));

    // A press that leaves the cell before its release is no click.
    QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(60, 5));
    QTest::mouseClick(&label, Qt::RightButton);
    QCOMPARE(clicks.count(), 1);
}

void tst_Controls::controlArrayKeepsItsBounds()
{
    ColourLabel a, b, c;
    ControlArray<ColourLabel> cells(1);
    cells.append(&a);
    cells.append(&b);
    cells.append(&c);
    QCOMPARE(cells(1), &a);
    QCOMPARE(cells(3), &c);
    QCOMPARE(cells.lowerBound(), 1);
    QCOMPARE(cells.upperBound(), 3);
    QVERIFY(!cells.contains(0));
    QVERIFY(!cells.contains(4));
}

void tst_Controls::comboTextIsWhatWasTyped()
{
    ComboBox combo;
    combo.addItems({u"1"_s, u"5"_s, u"10"_s, u"20"_s, u"200"_s});
    combo.show();
    combo.setText(QString());
    QTest::keyClicks(combo.lineEdit(), u"2"_s);
    QCOMPARE(combo.Text(), u"2"_s); // no completion to "20"
    QTest::keyClick(combo.lineEdit(), Qt::Key_Return);
    QCOMPARE(combo.count(), 5); // typing adds no item
    QCOMPARE(combo.Text(), u"2"_s);
}

void tst_Controls::timerSwitchedOnAgainKeepsItsPhase()
{
    Timer timer(200);
    QSignalSpy ticks(&timer, &Timer::tick);
    QElapsedTimer clock;
    clock.start();
    timer.setEnabled(true);
    QTest::qWait(120);
    timer.setEnabled(true); // must not restart the period
    QVERIFY(ticks.wait(1000));
    QVERIFY2(clock.elapsed() < 300, qPrintable(QString::number(clock.elapsed())));
    timer.setEnabled(false);
    QVERIFY(!timer.Enabled());
    QVERIFY(!ticks.wait(400));
}

void tst_Controls::randomValuesStayBelowOne()
{
    RandomSource random;
    random.seed(1);
    float lowest = 1, highest = 0;
    for (int i = 0; i < 1'000'000; ++i) {
        const float r = random.next();
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    QVERIFY(lowest >= 0.0f && lowest < 1e-5f);
    QVERIFY(highest < 1.0f && highest > 1.0f - 1e-5f);
}

void tst_Controls::seededRandomSourceRepeats()
{
    RandomSource a, b;
    a.seed(42);
    b.seed(42);
    for (int i = 0; i < 100; ++i)
        QCOMPARE(a.next(), b.next());
    // Two clock seeds taken back to back still give different streams.
    a.reseedFromClock();
    b.reseedFromClock();
    QVERIFY(a.next() != b.next() || a.next() != b.next());
}

QTEST_MAIN(tst_Controls)
#include "tst_controls.moc"
