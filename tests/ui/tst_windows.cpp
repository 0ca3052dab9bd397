#include "BoardTestSupport.h"

#include "Accessibility.h"
#include "Button.h"
#include "Fonts.h"
#include "Form2.h"
#include "IconFile.h"

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryFile>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <cstdio>

using namespace BoardTest;
using namespace BoardColours;

namespace {
QString accessibleName(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name);
}

QAccessibleInterface *accessible(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object);
}

void press(QWidget *control)
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
    if (type != QAccessible::NameChanged && type != QAccessible::DescriptionChanged &&
        type != QAccessible::StateChanged)
        return;
    if (QAccessibleInterface *iface = event->accessibleInterface())
        s_told.append({event->object(), event->type(), iface->text(QAccessible::Name),
                       bool(iface->state().checked), s_clock.elapsed()});
}

// Closes the main window in a child process, since ending the program ends the process.
int runClosingScenario(const QString &scenario)
{
    auto *form = new Form1;
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->show();
    if (scenario == u"during-run") { // no tick runs before the close
        form->commando1_Click();
        form->commando4_Click();
        form->Timer2_Timer();
    }
    form->close();
    QApplication::processEvents(); // lets the closed window go
    std::puts(Form2::exists() && Form2::shared()->isVisible() ? "dialog shown" : "no dialog");
    std::fflush(stdout); // the program may end without flushing
    if (scenario == u"destroyed")
        delete Form2::shared();
    else
        QTest::mouseClick(Form2::shared()->commando1, Qt::LeftButton);
    return 3; // the program goes on: a fault
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

    // What loading sets and what it leaves as created.
    void mainWindowAfterLoad()
    {
        Form1 form;
        for (int n = 1; n <= 49; ++n)
            QCOMPARE(form.Label3(n)->Caption(), QString::number(n));
        QCOMPARE(cellsWithColour(form, Neutral).size(), 49);
        QCOMPARE(form.commando3->Caption(), u"Ermittle\r\nseltene / häufige\r\nZahlen"_s);
        QVERIFY(form.label1(0)->alignment() == Qt::AlignHCenter && !form.label1(0)->wordWrap());
        // Command2 is only its click handler: no widget, so no screen reader reaches it.
        QVERIFY(!form.findChild<QWidget *>(u"Command2"_s));
        QCOMPARE(form.Combo1->Text(), u"10"_s);
        QVERIFY(!form.Timer1->Enabled() && !form.Timer2->Enabled() && !Form2::exists());
        QCOMPARE(QList<int>({form.Modus(), form.Durchlauf(), form.Ziehungsschritt()}),
                 QList({0, 0, 0}));
        QVERIFY(form.List1->ListCount() == 0 && !form.List1->Visible());
    }

    // Later siblings lie on top: the rectangles under everything, the dialog's button over
    // the text it overlaps, where it must get the clicks.
    void stackingOrder()
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
        QVERIFY(dialog->Label1->wordWrap()); // the note wraps beside the button's top
        const QPoint overlap(dialog->commando1->geometry().center().x(),
                             dialog->Label1->geometry().bottom());
        QVERIFY(dialog->commando1->geometry().contains(overlap));
        QCOMPARE(dialog->childAt(overlap), dialog->commando1);
    }

    void image1ShowsThe48PixelIcon()
    {
        Form1 form;
        QCOMPARE(form.Image1->Picture().availableSizes(), QList<QSize>{QSize(48, 48)});
        const QImage shown = form.Image1->grab().toImage();
        const QImage icon = readIconImages(u":/data/kugelfix.ico"_s).value(1);
        QVERIFY(icon.size() == QSize(48, 48) && shown.size() == icon.size());
        QImage expected = shown; // the icon's opaque pixels over whatever shows through
        QPainter(&expected).drawImage(0, 0, icon);
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
        QTest::newRow("counted 12 times")
            << CountStep * 12 << QColor(128, 187, 0) << u"12-mal gezogen"_s;
    }

    void boardCellStates()
    {
        QFETCH(OleColor, colour);
        QFETCH(QColor, painted);
        QFETCH(QString, state);
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        ColourLabel *cell = form.Label3(7);
        cell->setBackColor(colour); // painted neutral before: the new colour must show
        QCOMPARE(cell->grab().toImage().pixelColor(3, 3), painted);
        QAccessibleInterface *iface = accessible(cell);
        QCOMPARE(iface->text(QAccessible::Name) + u", "_s + iface->text(QAccessible::Description),
                 u"Zahl 7, "_s + state);
        QVERIFY(iface->state().checkable && iface->state().checked == (colour == Green));
        QTest::mouseClick(cell, Qt::LeftButton); // marking toggles neutral and green only
        QCOMPARE(cell->BackColor(), colour == Neutral ? Green : colour == Green ? Neutral : colour);
        // A double click, two presses close together through the window, is one click.
        const QPoint at = cell->mapTo(&form, cell->rect().center());
        for (int press = 0; press < 2; ++press) {
            QTest::mousePress(form.windowHandle(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(form.windowHandle(), Qt::LeftButton, {}, at);
            // QTest moves its clock on after a release so that presses do not pair up; undo that.
            QTest::lastMouseTimestamp -= QTest::mouseDoubleClickInterval;
        }
        QCOMPARE(cell->BackColor(), colour);
    }

    // Labels keep their last painting between changes, so each change must repaint.
    void resultCellsAndButtonsRepaintAndSpeak()
    {
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        ColourLabel *result = form.label1(0);
        const QImage zero = result->grab().toImage();
        result->setCaption(u"7"_s);
        QVERIFY(result->grab().toImage() != zero);
        result->setCaption(u"0"_s);
        QCOMPARE(result->grab().toImage(), zero);
        result->setForeColor(Red);
        QVERIFY(result->grab().toImage() != zero);

        QCOMPARE(accessibleName(result), u"Ergebnis 1: 0"_s);
        form.commando1_Click();
        QCOMPARE(accessibleName(form.label1(5)), u"Ergebnis 6: "_s + shownNumbers(form)[5]);
        form.commando4_Click();
        QCOMPARE(accessibleName(result), u"Ergebnis 1: leer"_s);
        QCOMPARE(accessibleName(form.commando3), u"Ermittle seltene / häufige Zahlen"_s);
        form.Timer2_Timer(); // the draw button's caption changes
        QCOMPARE(accessibleName(form.commando4), u"Ziehung wird durchgeführt"_s);
    }

    // The window code knows one border and one start-up position; a definition asking for
    // another, or for an alignment no label has, is refused rather than shown wrongly.
    void unknownDesignValuesAreRefused_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("start-up position manual") << u"centerScreen"_s << u"manual"_s;
        QTest::newRow("sizable border") << u"fixedSingle"_s << u"sizable"_s;
        QTest::newRow("justified label") << u"\"center\""_s << u"\"justify\""_s;
    }

    void unknownDesignValuesAreRefused()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFile shipped(u":/ui/Form2.json"_s);
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        QTemporaryFile changed;
        QVERIFY(changed.open());
        changed.write(QString::fromUtf8(shipped.readAll()).replace(from, to).toUtf8());
        changed.close();
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, FormWindow window(changed.fileName()));
    }

    void groupsPictureAndDepthBoxSpeak()
    {
        Form1 form;
        const std::tuple<QWidget *, QAccessible::Role, QString, int> controls[] = {
            {form.control<Group>(u"Group1"_s), QAccessible::Grouping, u"Ergebnis"_s, 6},
            {form.Frame1, QAccessible::Grouping, u"Zahlenfeld"_s, 49},
            {form.Image1, QAccessible::Graphic, u"Lottokugel"_s, 0},
            {form.Combo1, QAccessible::ComboBox, u"Berechnungstiefe"_s, 1},
        };
        for (const auto &[control, role, name, children] : controls) {
            QAccessibleInterface *iface = accessible(control);
            QCOMPARE(iface->role(), role);
            QCOMPARE(iface->text(QAccessible::Name), name);
            QCOMPARE(iface->childCount(), children);
        }
        form.Combo1->setText(u"20"_s);
        QCOMPARE(accessible(form.Combo1)->text(QAccessible::Value), u"20"_s);
        const auto labelledBy = accessible(form.Combo1)->relations(QAccessible::Label);
        QVERIFY(labelledBy.size() == 1 && labelledBy[0].first->object() == form.Label4);
        const auto labels = accessible(form.Label4)->relations(QAccessible::Labelled);
        QVERIFY(labels.size() == 1 && labels[0].first->object() == form.Combo1);
    }

    // Assistive technology presses what the mouse clicks, through the same handling.
    void pressActionClicksEveryButtonAndCell()
    {
        Form1 form;
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
        const QList<OleColor> before = boardColours(form);
        for (ColourLabel *cell : form.Label3) {
            QSignalSpy clicked(cell, &ColourLabel::Click);
            press(cell);
            QCOMPARE(clicked.count(), 1);
            const OleColor was = before[cell->Index() - 1];
            QCOMPARE(cell->BackColor(), was == Neutral ? Green : was == Green ? Neutral : was);
        }
        QVERIFY(!accessible(form.label1(0))
                     ->actionInterface()
                     ->actionNames()
                     .contains(QAccessibleActionInterface::pressAction()));
    }

    // Announced after the handler, at most once per interval, each change once a round with
    // the last state.
    void changesReachAssistiveTechnologyThrottled()
    {
        Form1 form;
        QTest::qWait(Announcer::Interval);
        s_told.clear();
        QPlatformAccessibility *platform =
            QGuiApplicationPrivate::platformIntegration()->accessibility();
        platform->setActive(false); // no screen reader: nothing is told
        press(form.Label3(8));
        QTest::qWait(50);
        platform->setActive(true);
        QVERIFY(s_told.isEmpty());

        press(form.Label3(7));
        QVERIFY(s_told.isEmpty());
        QTRY_COMPARE(s_told.size(), 2);
        QVERIFY(s_told[0].type == QAccessible::DescriptionChanged && s_told[1].checked);
        QCOMPARE(s_told[1].type, QAccessible::StateChanged);

        s_told.clear();
        form.commando1_Click(); // eleven tips in half a second
        QTRY_VERIFY(!form.Timer1->Enabled());
        form.commando4_Click();
        for (int k = 0; k < 6; ++k) // the draw button's caption changes twice in one round
            form.Timer2_Timer();
        QTest::qWait(Announcer::Interval * 2);
        QList<qint64> rounds;
        QSet<std::pair<QObject *, int>> inRound;
        QHash<QObject *, Told> last;
        for (const Told &told : std::as_const(s_told)) {
            if (rounds.isEmpty() || told.ms - rounds.last() > 50) {
                rounds.append(told.ms);
                inRound.clear();
            }
            const std::pair<QObject *, int> change{told.object, told.type};
            QVERIFY2(!inRound.contains(change), qPrintable(accessibleName(told.object)));
            inRound.insert(change);
            last[told.object] = told;
        }
        QVERIFY2(rounds.size() <= 4, qPrintable(QString::number(rounds.size())));
        for (qsizetype i = 1; i < rounds.size(); ++i)
            QVERIFY(rounds[i] - rounds[i - 1] >= Announcer::Interval * 9 / 10);
        QVERIFY(last.size() > 6);
        for (const Told &told : std::as_const(last)) {
            QCOMPARE(told.name, accessibleName(told.object));
            QCOMPARE(told.checked, accessible(told.object)->state().checked);
        }
        const Told caption = last[form.commando4];
        QVERIFY(caption.type == QAccessible::NameChanged &&
                caption.name == u"Ziehung simulieren"_s);
    }

    void closingEndsThroughTheDialog_data()
    {
        QTest::addColumn<QString>("scenario");
        QTest::newRow("dialog destroyed") << u"destroyed"_s;
        QTest::newRow("closed during a run and a reveal") << u"during-run"_s;
    }

    void closingEndsThroughTheDialog()
    {
        QFETCH(QString, scenario);
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {u"--closing="_s + scenario});
        QVERIFY(child.waitForFinished(20000));
        QCOMPARE(child.readAllStandardOutput().trimmed(), QByteArray("dialog shown"));
        QVERIFY(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0);
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true); // as QTEST_MAIN does
    QApplication::setQuitOnLastWindowClosed(false);
    const QString first = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (first.startsWith(u"--closing="))
        return runClosingScenario(first.mid(10));
    tst_Windows test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_windows.moc"
