#include "BoardTestSupport.h"

#include "Button.h"

#include <QElapsedTimer>
#include <QSignalSpy>

using namespace BoardTest;
using namespace BoardColours;

static const QString Idle = u"Ziehung simulieren"_s;
constexpr int RevealPeriod = 2000;

class tst_DrawSimulation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void revealTurnsHitsRed_data()
    {
        QTest::addColumn<QString>("board");
        QTest::newRow("a shown tip") << u"tip"_s;
        QTest::newRow("no green cell") << u"none"_s;
        QTest::newRow("analysis running") << u"analysis"_s; // its counts must not stay
    }

    // Draws follow one another on the same board, so each meets the red hits of the one before.
    void revealTurnsHitsRed()
    {
        QFETCH(QString, board);
        Form1 form;
        if (board == u"tip")
            form.commando1_Click();
        if (board == u"analysis")
            form.commando3_Click();
        for (int n = 1; n <= 49; ++n) {
            if (board == u"analysis" && n % 2)
                form.Label3(n)->setBackColor(Green);
            else if (board == u"none")
                form.Label3(n)->setBackColor(QList{Neutral, Black, CountStep * 4}[n % 3]);
        }
        for (int draw = 0; draw < 100; ++draw) {
            QList<OleColor> expected = boardColours(form);
            std::replace(expected.begin(), expected.end(), Red, Green);
            form.commando4_Click();
            QVERIFY2(isSortedTip(form.List1->items()), qPrintable(form.List1->items().join(u' ')));
            QCOMPARE(boardColours(form), expected);
            const QStringList drawn = shownNumbers(form);
            for (int k = 0; k < 6; ++k) {
                QVERIFY(form.Timer2->Enabled() && form.Ziehungsschritt() == k);
                QCOMPARE(form.commando4->Caption(), k == 0 ? Idle : u"Ziehung wird durchgeführt"_s);
                form.Timer2_Timer();
                QCOMPARE(resultCaptions(form), drawn.mid(0, k + 1) + QStringList(5 - k, QString()));
            }
            QVERIFY(!form.Timer2->Enabled() && form.commando4->Caption() == Idle);
            for (const QString &n : drawn)
                if (expected[n.toInt() - 1] == Green)
                    expected[n.toInt() - 1] = Red;
            QCOMPARE(boardColours(form), expected);
        }
    }

    // A click during the reveal starts a new draw; a running repetition overtakes it.
    void revealInterrupted()
    {
        Form1 form;
        form.commando4_Click();
        form.Timer2_Timer();
        form.Timer2_Timer();
        form.commando4_Click(); // the reveal goes on at position 2
        QCOMPARE(resultCaptions(form), QStringList(6, QString()));
        for (int tick = 0; tick < 4; ++tick)
            form.Timer2_Timer();
        QCOMPARE(resultCaptions(form), QStringList(2, QString()) + shownNumbers(form).mid(2));
        QVERIFY(!form.Timer2->Enabled() && form.commando4->Caption() == Idle);

        form.commando1_Click();
        form.commando4_Click();
        form.Timer1_Timer(); // a new tip refills the list
        form.Timer2_Timer();
        QCOMPARE(form.label1(0)->Caption(), shownNumbers(form)[0]);
        QVERIFY(form.Timer1->Enabled() && form.Timer2->Enabled());
    }

    // Three reveals, 2 s apart; closed during a run and the reveal, no tick follows.
    void realTimerRevealsAndStopsOnClose()
    {
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QList<qint64> reveals;
        QSignalSpy repeats(form.Timer1, &Timer::tick);
        QElapsedTimer clock;
        connect(form.Timer2, &Timer::tick, &form, [&] { reveals.append(clock.elapsed()); });
        clock.start();
        form.commando4_Click();
        QTRY_COMPARE_WITH_TIMEOUT(reveals.size(), 3, 4 * 3 * RevealPeriod);
        // Timed from the start, so that a busy machine only delays: none may come early.
        const qint64 period = std::min(reveals[1] / 2, reveals[2] / 3);
        QCOMPARE_LT(qAbs(period - RevealPeriod) * 4, RevealPeriod);
        QCOMPARE(resultCaptions(form).first(3), shownNumbers(form).first(3));

        form.commando1_Click();
        form.close();
        QVERIFY(!form.isVisible() && !form.Timer1->Enabled() && !form.Timer2->Enabled());
        QTest::qWait(RevealPeriod + 300);
        QCOMPARE(reveals.size() + repeats.count(), 3);
    }
};

QTEST_MAIN(tst_DrawSimulation)
#include "tst_drawsimulation.moc"
