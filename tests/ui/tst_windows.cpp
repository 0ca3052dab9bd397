#include "BoardTestSupport.h"

#include "Accessibility.h"
#include "Button.h"
#include "Fonts.h"
#include "Form2.h"
#include "IconFile.h"

#include <QApplication>
#include <QPainter>
#include <QSignalSpy>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

using namespace BoardTest;
using namespace BoardColours;

namespace {
const auto accessible = [](QObject *o) { return QAccessible::queryAccessibleInterface(o); };

void press(QObject *control)
{
    QAccessibleActionInterface *action = accessible(control)->actionInterface();
    QVERIFY(action->actionNames().contains(QAccessibleActionInterface::pressAction()));
    action->doAction(QAccessibleActionInterface::pressAction());
}

// Change events as assistive technology receives them, with what it reads at that moment.
struct Told
{
    QObject *object;
    QAccessible::Event type;
    QString name;
    bool checked;
    qint64 ms;
};
QList<Told> s_told;
QElapsedTimer s_clock;

void recordChange(QAccessibleEvent *event)
{
    const QAccessible::Event type = event->type();
    QAccessibleInterface *iface = event->accessibleInterface();
    if (iface && (type == QAccessible::NameChanged || type == QAccessible::DescriptionChanged ||
                  type == QAccessible::StateChanged))
        s_told.append({event->object(), type, iface->text(QAccessible::Name),
                       bool(iface->state().checked), s_clock.elapsed()});
}
} // namespace

// The info dialog is never destroyed in the test process: that would end it.
class tst_Windows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        Fonts::registerSubstitutions();
        QAccessible::installUpdateHandler(recordChange);
        s_clock.start();
    }

    // Later siblings lie on top: rectangles under everything, the dialog's button over text.
    void loadedWindows()
    {
        Form1 form;
        qsizetype lastShape = -1, firstControl = form.children().size();
        for (qsizetype i = 0; i < form.children().size(); ++i) {
            if (qobject_cast<Shape *>(form.children()[i]))
                lastShape = i;
            else if (form.children()[i]->isWidgetType())
                firstControl = std::min(firstControl, i);
        }
        QVERIFY(lastShape >= 2 && lastShape < firstControl);
        const Form2 *dialog = Form2::shared();
        const QPoint overlap(dialog->commando1->geometry().center().x(),
                             dialog->Label1->geometry().bottom());
        QVERIFY(dialog->Label1->wordWrap() && dialog->commando1->geometry().contains(overlap));
        QCOMPARE(dialog->childAt(overlap), dialog->commando1);
    }

    void image1ShowsThe48PixelIcon()
    {
        Form1 form;
        const QImage shown = form.Image1->grab().toImage();
        QImage expected = shown; // the icon's opaque pixels over whatever shows through
        QPainter(&expected).drawImage(0, 0, readIconImages(u":/data/kugelfix.ico"_s).value(1));
        QCOMPARE(shown, expected);
    }

    // Each colour kind: how it is painted, what a screen reader says, what a click makes of it.
    void boardCellStates_data()
    {
        QTest::addColumn<OleColor>("colour");
        QTest::addColumn<QColor>("painted");
        QTest::addColumn<QString>("state");
        QTest::newRow("neutral") << Neutral << QColor(253, 230, 227) << u"nicht markiert"_s;
        QTest::newRow("green") << Green << QColor(0, 255, 0) << u"markiert"_s;
        QTest::newRow("red") << Red << QColor(255, 0, 0) << u"Treffer"_s;
        QTest::newRow("black") << Black << QColor(0, 0, 0) << u"nicht gezogen"_s;
        QTest::newRow("counted once") << CountStep << QColor(160, 15, 0) << u"einmal gezogen"_s;
        QTest::newRow("counted 12") << CountStep * 12 << QColor(128, 187, 0) << u"12-mal gezogen"_s;
    }

    void boardCellStates()
    {
        QFETCH(OleColor, colour);
        QFETCH(QString, state);
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        ColourLabel *cell = form.Label3(7);
        cell->setBackColor(colour); // painted neutral before: the new colour must show
        QTEST(cell->grab().toImage().pixelColor(3, 3), "painted");
        QAccessibleInterface *iface = accessible(cell);
        QCOMPARE(iface->text(QAccessible::Name) + u", "_s + iface->text(QAccessible::Description),
                 u"Zahl 7, "_s + state);
        QVERIFY(iface->state().checkable && iface->state().checked == (colour == Green));
        QTest::mouseClick(cell, Qt::LeftButton); // marking toggles neutral and green only
        QCOMPARE(cell->BackColor(), colour == Neutral ? Green : colour == Green ? Neutral : colour);
        const QPoint at = cell->mapTo(&form, cell->rect().center());
        for (int press = 0; press < 2; ++press) {
            QTest::mousePress(form.windowHandle(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(form.windowHandle(), Qt::LeftButton, {}, at);
            QTest::lastMouseTimestamp -= QTest::mouseDoubleClickInterval; // pair them up
        }
        QCOMPARE(cell->BackColor(), colour);
    }

    void resultCellsAndButtonsRepaintAndSpeak()
    {
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        ColourLabel *result = form.label1(0);
        const QImage zero = result->grab().toImage();
        result->setForeColor(Red);
        const QImage red = result->grab().toImage();
        result->setCaption(u"7"_s);
        QVERIFY(red != zero && result->grab().toImage() != red);

        form.commando4_Click();
        QCOMPARE(accessible(result)->text(QAccessible::Name), u"Ergebnis 1: leer"_s);
        form.Timer2_Timer(); // the draw button's caption changes
        QCOMPARE(accessible(form.commando4)->text(QAccessible::Name),
                 u"Ziehung wird durchgeführt"_s);
    }

    void boardAndDepthBoxSpeak()
    {
        Form1 form;
        QAccessibleInterface *board = accessible(form.Frame1);
        QVERIFY(board->role() == QAccessible::Grouping && board->childCount() == 49);
        const auto labelledBy = accessible(form.Combo1)->relations(QAccessible::Label);
        QVERIFY(labelledBy.size() == 1 && labelledBy[0].first->object() == form.Label4);
        const auto labels = accessible(form.Label4)->relations(QAccessible::Labelled);
        QVERIFY(labels.size() == 1 && labels[0].first->object() == form.Combo1);
    }

    // Assistive technology presses what the mouse clicks, through the same handling.
    void pressActionClicksEveryButtonAndCell()
    {
        Form1 form;
        for (ColourLabel *cell : form.Label3)
            press(cell);
        QCOMPARE(cellsWithColour(form, Green).size(), 49);
        Button *ok = Form2::shared()->commando1;
        QObject::disconnect(ok, &Button::Click, Form2::shared(), nullptr); // it would end the test
        for (Button *button : {form.commando1, form.commando3, form.commando4, ok}) {
            QSignalSpy clicked(button, &Button::Click);
            QTest::keyClick(button, Qt::Key_Space); // keys still do nothing
            press(button);
            button->setEnabled(false); // as for the mouse: no click
            press(button);
            button->setEnabled(true);
            QCOMPARE(clicked.count(), 1);
        }
    }

    // Told after the handler, only to an active reader, at most once per interval, last state.
    void changesReachAssistiveTechnologyThrottled()
    {
        Form1 form;
        QTest::qWait(Announcer::Interval);
        s_told.clear();
        auto *platform = QGuiApplicationPrivate::platformIntegration()->accessibility();
        platform->setActive(false);
        press(form.Label3(8));
        QTest::qWait(50);
        platform->setActive(true);
        press(form.Label3(7));
        QVERIFY(s_told.isEmpty());
        QTRY_COMPARE(s_told.size(), 2);
        QVERIFY(s_told[0].type == QAccessible::DescriptionChanged &&
                s_told[1].type == QAccessible::StateChanged && s_told[1].checked);

        s_told.clear();
        form.commando1_Click(); // eleven tips in half a second
        QTRY_VERIFY(!form.Timer1->Enabled());
        form.commando4_Click();
        for (int k = 0; k < 6; ++k) // the draw button's caption changes twice in one round
            form.Timer2_Timer();
        QTest::qWait(Announcer::Interval * 2);
        QHash<QObject *, Told> last;
        for (qsizetype i = 0; i < s_told.size(); ++i) {
            const qint64 gap = i ? s_told[i].ms - s_told[i - 1].ms : 0; // within a round or not
            QVERIFY2(gap < 50 || gap >= Announcer::Interval * 9 / 10,
                     qPrintable(QString::number(gap)));
            last[s_told[i].object] = s_told[i];
        }
        QCOMPARE(std::ranges::count(s_told, form.commando4, &Told::object), 1);
        QVERIFY(last.size() > 6);
        for (const Told &told : std::as_const(last)) {
            QCOMPARE(told.name, accessible(told.object)->text(QAccessible::Name));
            QCOMPARE(told.checked, accessible(told.object)->state().checked);
        }
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true); // as QTEST_MAIN does
    QApplication::setQuitOnLastWindowClosed(false);
    tst_Windows test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_windows.moc"
