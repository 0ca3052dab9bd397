#include "BoardTestSupport.h"

#include "Button.h"

#include <QElapsedTimer>
#include <QSignalSpy>

using namespace BoardTest;
using namespace BoardColours;

namespace {
const QString Idle = u"Ziehung simulieren"_s;
const QString Running = u"Ziehung wird durchgeführt"_s;

void revealAll(Form1 &form)
{
    for (int tick = 0; tick < 6; ++tick)
        form.Timer2_Timer();
}

// What a finished draw must leave: drawn green cells red, the rest as they were.
void verifyHits(const Form1 &form, const QList<OleColor> &before)
{
    const QList<int> drawn = listNumbers(form);
    for (int n = 1; n <= 49; ++n) {
        const OleColor was = before[n - 1] == Red ? Green : before[n - 1];
        const OleColor expected = (was == Green && drawn.contains(n)) ? Red : was;
        QCOMPARE(form.Label3(n)->BackColor(), expected);
    }
}
} // namespace

class tst_DrawSimulation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void drawRevealsSortedNumbersOneByOne();
    void hitsOfShownTipTurnRed();
    void markedCellsAreComparedTheSameWay();
    void secondDrawTurnsRedBackToGreenFirst();
    void boardWithoutGreenStaysAsItIs();
    void clickDuringRevealStartsNewDraw();
    void frequencyModeKeepsTheBoard();
    void runningRepetitionOvertakesTheDraw();
    void closingDuringRevealStopsIt();
    void realTimerRevealsEveryTwoSeconds();
};

void tst_DrawSimulation::drawRevealsSortedNumbersOneByOne()
{
    Form1 form;
    form.commando4_Click();
    QString why;
    QVERIFY2(isSortedTip(form.List1->items(), &why), qPrintable(why));
    QCOMPARE(resultCaptions(form), QStringList(6, QString()));
    QVERIFY(form.Timer2->Enabled());
    QCOMPARE(form.commando4->Caption(), Idle);
    QCOMPARE(cellsWithColour(form, Neutral).size(), 49);

    const QList<int> drawn = listNumbers(form);
    for (int k = 0; k < 6; ++k) {
        QCOMPARE(form.Ziehungsschritt(), qint16(k));
        form.Timer2_Timer();
        QCOMPARE(form.label1(k)->Caption(), QString::number(drawn[k]));
        if (k < 5) {
            QCOMPARE(form.label1(k + 1)->Caption(), QString());
            QCOMPARE(form.commando4->Caption(), Running);
            QVERIFY(form.Timer2->Enabled());
        }
    }
    QCOMPARE(form.commando4->Caption(), Idle);
    QVERIFY(!form.Timer2->Enabled());
    QCOMPARE(form.Ziehungsschritt(), qint16(0));
    for (int n = 1; n <= 49; ++n)
        QCOMPARE(form.Zellfarben(n), Neutral);
    QCOMPARE(form.Zellfarben(0), Black);
    QCOMPARE(form.Zellfarben(50), Black);
}

void tst_DrawSimulation::hitsOfShownTipTurnRed()
{
    Form1 form;
    for (int round = 0; round < 300; ++round) {
        form.commando1_Click();
        const QList<OleColor> before = boardColours(form);
        form.commando4_Click();
        QCOMPARE(boardColours(form), before);
        revealAll(form);
        verifyHits(form, before);
    }
}

void tst_DrawSimulation::markedCellsAreComparedTheSameWay()
{
    Form1 form;
    for (int n = 1; n <= 49; n += 2)
        form.Label3_Click(qint16(n));
    const QList<OleColor> before = boardColours(form);
    form.commando4_Click();
    revealAll(form);
    verifyHits(form, before);
}

void tst_DrawSimulation::secondDrawTurnsRedBackToGreenFirst()
{
    Form1 form;
    for (int n = 1; n <= 49; ++n)
        form.Label3_Click(qint16(n));
    form.commando4_Click();
    revealAll(form);
    QCOMPARE(cellsWithColour(form, Red), listNumbers(form));
    QCOMPARE(cellsWithColour(form, Green).size(), 43);

    form.commando4_Click();
    QCOMPARE(cellsWithColour(form, Green).size(), 49);
    revealAll(form);
    QCOMPARE(cellsWithColour(form, Red), listNumbers(form));
}

void tst_DrawSimulation::boardWithoutGreenStaysAsItIs()
{
    Form1 form;
    form.Label3(5)->setBackColor(Black);
    form.Label3(6)->setBackColor(CountStep * 4);
    const QList<OleColor> before = boardColours(form);
    form.commando4_Click();
    revealAll(form);
    QCOMPARE(boardColours(form), before);
    QStringList shown;
    for (int n : listNumbers(form))
        shown.append(QString::number(n));
    QCOMPARE(resultCaptions(form), shown);
}

void tst_DrawSimulation::clickDuringRevealStartsNewDraw()
{
    Form1 form;
    form.commando4_Click();
    form.Timer2_Timer();
    form.Timer2_Timer();
    form.commando4_Click();
    QCOMPARE(resultCaptions(form), QStringList(6, QString()));
    QVERIFY(form.Timer2->Enabled());
    QCOMPARE(form.Ziehungsschritt(), qint16(2));

    const QList<int> drawn = listNumbers(form);
    for (int tick = 0; tick < 4; ++tick)
        form.Timer2_Timer();
    QCOMPARE(
        resultCaptions(form),
        QStringList({QString(), QString(), QString::number(drawn[2]), QString::number(drawn[3]),
                     QString::number(drawn[4]), QString::number(drawn[5])}));
    QVERIFY(!form.Timer2->Enabled());
    QCOMPARE(form.commando4->Caption(), Idle);
}

void tst_DrawSimulation::frequencyModeKeepsTheBoard()
{
    Form1 form;
    form.commando3_Click();
    QCOMPARE(form.Modus(), qint16(1));
    form.Label3(1)->setBackColor(Red);
    const QList<OleColor> before = boardColours(form);
    form.commando4_Click();
    QList<OleColor> expected = before;
    expected[0] = Green; // a red cell is green again, all else restored
    QCOMPARE(boardColours(form), expected);
    QCOMPARE(resultCaptions(form), QStringList(6, QString()));
}

void tst_DrawSimulation::runningRepetitionOvertakesTheDraw()
{
    Form1 form;
    setDepth(form, u"200"_s);
    form.commando1_Click();
    form.commando4_Click();
    form.Timer1_Timer(); // a new tip refills the list
    const QList<int> latest = listNumbers(form);
    form.Timer2_Timer();
    QCOMPARE(form.label1(0)->Caption(), QString::number(latest[0]));
    QVERIFY(form.Timer1->Enabled());
    QVERIFY(form.Timer2->Enabled());
}

void tst_DrawSimulation::closingDuringRevealStopsIt()
{
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.commando1_Click();
    form.commando4_Click();
    form.Timer2_Timer();
    const QStringList shown = resultCaptions(form);
    QSignalSpy reveals(form.Timer2, &Timer::tick);
    QSignalSpy repeats(form.Timer1, &Timer::tick);

    form.close();
    QVERIFY(!form.isVisible());
    QVERIFY(!form.Timer1->Enabled());
    QVERIFY(!form.Timer2->Enabled());
    QTest::qWait(2300);
    QCOMPARE(reveals.count(), 0);
    QCOMPARE(repeats.count(), 0);
    QCOMPARE(resultCaptions(form), shown);
}

void tst_DrawSimulation::realTimerRevealsEveryTwoSeconds()
{
    Form1 form;
    QSignalSpy reveals(form.Timer2, &Timer::tick);
    QElapsedTimer clock;
    clock.start();
    form.commando4_Click();
    QVERIFY(reveals.wait(3000));
    const qint64 first = clock.elapsed();
    QVERIFY2(first >= 1990 && first < 2900, qPrintable(QString::number(first)));
    QCOMPARE(form.label1(0)->Caption(), QString::number(listNumbers(form).first()));
    QCOMPARE(form.commando4->Caption(), Running);
}

QTEST_MAIN(tst_DrawSimulation)
#include "tst_drawsimulation.moc"
