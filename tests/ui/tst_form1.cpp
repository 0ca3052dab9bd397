#include "BoardTestSupport.h"

#include "Button.h"
#include "Fonts.h"
#include "Form2.h"
#include "Twips.h"

#include <QFontInfo>
#include <QPushButton>

using namespace BoardTest;
using namespace BoardColours;

class tst_Form1 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { Fonts::registerSubstitutions(); }
    void windowAfterLoad();
    void boardCellsStandAtTheirPlaces_data();
    void boardCellsStandAtTheirPlaces();
    void controlsHaveTheirDesignValues();
    void fontsResolveToInstalledFaces_data();
    void fontsResolveToInstalledFaces();
    void paintedColoursMatchStoredValues();
    void paintFollowsEveryChange();
    void doubleClickOnCellIsOneClick();
};

void tst_Form1::windowAfterLoad()
{
    Form1 form;
    QCOMPARE(form.windowTitle(), u"Kugelfix    6 aus 49"_s);
    QCOMPARE(form.size(), QSize(430, 357));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(form.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(form.windowFlags() & Qt::WindowCloseButtonHint);
    QCOMPARE(form.BackColor(), oleColor(0x0080FFFF));
    QCOMPARE(form.windowIcon().availableSizes(),
             QList<QSize>({QSize(64, 64), QSize(48, 48), QSize(32, 32)}));

    QCOMPARE(resultCaptions(form), QStringList(6, u"0"_s));
    for (int n = 1; n <= 49; ++n) {
        QCOMPARE(form.Label3(n)->Caption(), QString::number(n));
        QCOMPARE(form.Label3(n)->BackColor(), Neutral);
        QCOMPARE(form.Label3(n)->ForeColor(), oleColor(0x008080FF));
    }
    QCOMPARE(form.Combo1->Text(), u"10"_s);
    QStringList items;
    for (int i = 0; i < form.Combo1->count(); ++i)
        items.append(form.Combo1->itemText(i));
    QCOMPARE(items, QStringList({u"1"_s, u"5"_s, u"10"_s, u"20"_s, u"50"_s, u"100"_s, u"200"_s}));
    QCOMPARE(form.commando3->Caption(), u"Ermittle\r\nseltene / häufige\r\nZahlen"_s);
    QCOMPARE(form.commando1->Caption(), u"Tipp  erstellen"_s);
    QCOMPARE(form.commando4->Caption(), u"Ziehung simulieren"_s);

    QVERIFY(!form.Timer1->Enabled());
    QVERIFY(!form.Timer2->Enabled());
    QCOMPARE(form.Timer1->Interval(), 50);
    QCOMPARE(form.Timer2->Interval(), 2000);
    QCOMPARE(form.Modus(), qint16(0));
    QCOMPARE(form.Durchlauf(), qint16(0));
    QCOMPARE(form.Ziehungsschritt(), qint16(0));
    QCOMPARE(form.List1->ListCount(), qint16(0));
    QVERIFY(!form.List1->Visible());
    QVERIFY(!Form2::exists());
}

void tst_Form1::boardCellsStandAtTheirPlaces_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::newRow("1 top left") << 1 << 0 << 0;
    QTest::newRow("7 top right") << 7 << 6 << 0;
    QTest::newRow("8 second row") << 8 << 0 << 1;
    QTest::newRow("25 centre") << 25 << 3 << 3;
    QTest::newRow("43 bottom left") << 43 << 0 << 6;
    QTest::newRow("49 bottom right") << 49 << 6 << 6;
}

void tst_Form1::boardCellsStandAtTheirPlaces()
{
    QFETCH(int, number);
    QFETCH(int, column);
    QFETCH(int, row);
    Form1 form;
    ColourLabel *cell = form.Label3(number);
    QCOMPARE(cell->parentWidget(), form.Frame1);
    QCOMPARE(cell->geometry(), Twips::rect(90 + 405 * column, 180 + 360 * row, 375, 330));
    QCOMPARE(cell->Index(), qint16(number));
}

void tst_Form1::controlsHaveTheirDesignValues()
{
    Form1 form;
    for (int i = 0; i <= 5; ++i) {
        ColourLabel *cell = form.label1(i);
        QCOMPARE(cell->geometry(), Twips::rect(270 + 1035 * i, 135, 735, 615));
        QCOMPARE(cell->BackColor(), Colours::SystemWindow);
        QCOMPARE(cell->ForeColor(), Colours::SystemWindowText);
        QVERIFY(cell->hasBorder());
        QCOMPARE(cell->font().family(), u"Arial Narrow"_s);
        QCOMPARE(cell->font().pointSizeF(), 28.5);
        QVERIFY(!cell->font().bold());
    }
    for (const ColourLabel *cell : form.Label3) {
        QVERIFY(cell->hasBorder());
        QCOMPARE(cell->font().family(), u"MS Sans Serif"_s);
        QCOMPARE(cell->font().pointSizeF(), 12.0);
        QVERIFY(cell->font().bold());
    }
    QCOMPARE(form.Frame1->geometry(), Twips::rect(225, 1035, 2985, 2760));
    QCOMPARE(form.Frame1->BackColor(), oleColor(0x0080FFFF));
    QCOMPARE(form.Label4->geometry(), Twips::rect(4095, 1170, 1680, 240));
    QCOMPARE(form.Label4->Caption(), u"Berechnungstiefe"_s);
    QVERIFY(form.Label4->isTransparent());
    QCOMPARE(form.Label4->ForeColor(), Colours::SystemButtonText);
    QCOMPARE(form.Label4->font().family(), u"Arial"_s);
    QCOMPARE(form.Label4->font().pointSizeF(), 9.75);
    QVERIFY(form.Label4->font().bold());
    QCOMPARE(form.Combo1->geometry(), Twips::rect(4095, 1485, 1680, 420));
    QCOMPARE(form.Combo1->font().family(), u"MS Sans Serif"_s);
    QCOMPARE(form.Combo1->font().pointSizeF(), 12.0);
    QVERIFY(form.Combo1->font().bold());
    QCOMPARE(form.Label5->geometry(), Twips::rect(4050, 2160, 1725, 420));
    QCOMPARE(form.Label5->ForeColor(), oleColor(0x000000C0));
    QCOMPARE(form.Label5->font().family(), u"Arial"_s);
    QVERIFY(form.Label5->font().italic() && form.Label5->font().bold());
    QCOMPARE(form.Label5->font().pointSizeF(), 20.25);
    QCOMPARE(form.Image1->geometry(), Twips::rect(4590, 2835, 720, 720));
    QCOMPARE(form.Image1->Picture().availableSizes(), QList<QSize>({QSize(48, 48)}));
    QCOMPARE(form.commando1->geometry(), Twips::rect(45, 4005, 1950, 1320));
    QCOMPARE(form.commando3->geometry(), Twips::rect(2070, 4005, 2040, 1320));
    QCOMPARE(form.commando4->geometry(), Twips::rect(4185, 4005, 2220, 1320));
    QVERIFY(form.Command2->isHidden());
    QVERIFY(form.Command2->geometry().top() >= form.height());

    const auto shape = [&](const char *name) {
        return form.findChild<Shape *>(QString::fromLatin1(name));
    };
    QCOMPARE(shape("Shape1")->geometry(), Twips::rect(45, 45, 6360, 825));
    QCOMPARE(shape("Shape1")->BorderColor(), Colours::SystemWindowText);
    QCOMPARE(shape("Shape2")->geometry(), Twips::rect(45, 945, 3345, 2985));
    QCOMPARE(shape("Shape2")->BorderColor(), Colours::Black);
    QCOMPARE(shape("Shape3")->geometry(), Twips::rect(3465, 945, 2940, 2985));
    QCOMPARE(shape("Shape3")->BorderColor(), Colours::SystemWindowText);
    // The rectangles lie behind everything else, filled with the window's colour.
    const QObjectList children = form.children();
    for (const char *name : {"Shape1", "Shape2", "Shape3"}) {
        QCOMPARE(shape(name)->FillColor(), oleColor(0x0080FFFF));
        for (QObject *child : children) {
            if (!qobject_cast<Shape *>(child) && child->isWidgetType())
                QVERIFY2(children.indexOf(shape(name)) < children.indexOf(child), name);
        }
    }
}

void tst_Form1::fontsResolveToInstalledFaces_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("face");
    QTest::newRow("Arial") << u"Arial"_s << u"Liberation Sans"_s;
    QTest::newRow("Arial Narrow") << u"Arial Narrow"_s << u"Liberation Sans Narrow"_s;
    QTest::newRow("MS Sans Serif") << u"MS Sans Serif"_s << u"Liberation Sans"_s;
}

void tst_Form1::fontsResolveToInstalledFaces()
{
    QFETCH(QString, family);
    QFETCH(QString, face);
    QCOMPARE(QFontInfo(Fonts::font(family, 12)).family(), face);
}

void tst_Form1::paintedColoursMatchStoredValues()
{
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QImage window = form.grab().toImage();
    QCOMPARE(window.pixelColor(2, 200), QColor(255, 255, 128)); // window back colour
    const QImage cell = form.Label3(1)->grab().toImage();
    QCOMPARE(cell.pixelColor(2, cell.height() - 3), QColor(253, 230, 227));
    QCOMPARE(cell.pixelColor(0, 0), QColor(Qt::black)); // flat border
    form.Label3(1)->setBackColor(Green);
    const QImage green = form.Label3(1)->grab().toImage();
    QCOMPARE(green.pixelColor(2, green.height() - 3), QColor(0, 255, 0));
}

void tst_Form1::paintFollowsEveryChange()
{
    // Cells keep their last painting between changes; each change must show.
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    ColourLabel *result = form.label1(0);
    const QImage zero = result->grab().toImage();
    result->setCaption(u"7"_s);
    QVERIFY(result->grab().toImage() != zero);
    result->setCaption(u"0"_s);
    QCOMPARE(result->grab().toImage(), zero);

    ColourLabel *cell = form.Label3(10);
    const QImage neutral = cell->grab().toImage();
    cell->setForeColor(Colours::Black);
    QVERIFY(cell->grab().toImage() != neutral);
    cell->setForeColor(oleColor(0x008080FF));
    QCOMPARE(cell->grab().toImage(), neutral);
    // A system colour follows the palette.
    QPalette palette = result->palette();
    palette.setColor(QPalette::Base, Qt::darkBlue);
    result->setPalette(palette);
    const QImage repainted = result->grab().toImage();
    QCOMPARE(repainted.pixelColor(3, repainted.height() - 3), QColor(Qt::darkBlue));
}

void tst_Form1::doubleClickOnCellIsOneClick()
{
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    ColourLabel *cell = form.Label3(9);
    QWindow *window = form.windowHandle();
    const QPoint at = cell->mapTo(&form, cell->rect().center());
    QTest::mousePress(window, Qt::LeftButton, {}, at);
    QTest::mouseRelease(window, Qt::LeftButton, {}, at);
    // QTest moves its clock on after a release so that presses do not pair up; undo that.
    QTest::lastMouseTimestamp -= QTest::mouseDoubleClickInterval;
    QTest::mousePress(window, Qt::LeftButton, {}, at);
    QTest::mouseRelease(window, Qt::LeftButton, {}, at);
    QCOMPARE(cell->BackColor(), Green);
    QTest::mouseClick(window, Qt::LeftButton, {}, at);
    QCOMPARE(cell->BackColor(), Neutral);
}

QTEST_MAIN(tst_Form1)
#include "tst_form1.moc"
