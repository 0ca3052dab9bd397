#include "BoardTestSupport.h"

#include "CellDescription.h"

#include <QAccessible>
#include <QLineEdit>

using namespace BoardTest;
using namespace BoardColours;

class tst_Accessibility : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void boardCellSaysNumberAndState_data();
    void boardCellSaysNumberAndState();
    void screenReaderReadsTheWindow();
};

void tst_Accessibility::boardCellSaysNumberAndState_data()
{
    QTest::addColumn<OleColor>("colour");
    QTest::addColumn<QString>("name");
    QTest::newRow("neutral") << Neutral << u"Zahl 7, nicht markiert"_s;
    QTest::newRow("green") << Green << u"Zahl 7, markiert"_s;
    QTest::newRow("red") << Red << u"Zahl 7, Treffer"_s;
    QTest::newRow("black") << Black << u"Zahl 7, nicht gezogen"_s;
    QTest::newRow("counted once") << CountStep << u"Zahl 7, einmal gezogen"_s;
    QTest::newRow("counted 12 times") << CountStep * 12 << u"Zahl 7, 12-mal gezogen"_s;
    QTest::newRow("count past white") << CountStep * 5000 << u"Zahl 7, 5000-mal gezogen"_s;
    QTest::newRow("no meaning") << oleColor(0x00123457) << u"Zahl 7, unbekannter Zustand"_s;
}

void tst_Accessibility::boardCellSaysNumberAndState()
{
    QFETCH(OleColor, colour);
    QFETCH(QString, name);
    QCOMPARE(describeBoardCell(7, colour), name);
}

void tst_Accessibility::screenReaderReadsTheWindow()
{
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QAccessibleInterface *cell = QAccessible::queryAccessibleInterface(form.Label3(7));
    QVERIFY(cell);
    QCOMPARE(cell->role(), QAccessible::Button);
    QCOMPARE(cell->text(QAccessible::Name), u"Zahl 7, nicht markiert"_s);
    form.Label3_Click(7);
    QCOMPARE(cell->text(QAccessible::Name), u"Zahl 7, markiert"_s);

    QAccessibleInterface *result = QAccessible::queryAccessibleInterface(form.label1(0));
    QCOMPARE(result->role(), QAccessible::StaticText);
    QCOMPARE(result->text(QAccessible::Name), u"Ergebnis 1: 0"_s);
    form.commando1_Click();
    QCOMPARE(result->text(QAccessible::Name),
             u"Ergebnis 1: "_s + QString::number(listNumbers(form).first()));

    QAccessibleInterface *depth = QAccessible::queryAccessibleInterface(form.Combo1);
    QCOMPARE(depth->text(QAccessible::Description), u"Berechnungstiefe"_s);
    QCOMPARE(
        QAccessible::queryAccessibleInterface(form.Combo1->lineEdit())->text(QAccessible::Name),
        u"Berechnungstiefe"_s);
    QAccessibleInterface *title = QAccessible::queryAccessibleInterface(form.Label5);
    QCOMPARE(title->text(QAccessible::Name), u"6 aus 49"_s);
}

QTEST_MAIN(tst_Accessibility)
#include "tst_accessibility.moc"
