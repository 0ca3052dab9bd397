#include "ButtonTesting.h"
#include "Fonts.h"
#include "PropertyBag.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
enum class Place
{
    Face,
    Picture,
    Caption
};

QPoint pointOn(const Button &button, Place place)
{
    switch (place) {
    case Place::Picture:
        return button.image4().rect().center().toPoint();
    case Place::Caption:
        return button.label1().rect().center().toPoint();
    case Place::Face:
        break;
    }
    return QPoint(3, 3);
}

// A set-4 button with a picture above its caption, as the windows would build it.
std::unique_ptr<Button> pictureButton()
{
    auto button = shownButton(2040, 1320, u"Ermittle\r\nZahlen"_s);
    button->setButtonset(u"4"_s);
    button->setButtonPicture(twipPicture(300, 300));
    button->resize(button->width(), button->height() + 1);
    return button;
}

void verifyAtRest(const Button &button)
{
    QVERIFY(holdsSkin(button.image5(), u"normal04.bmp"_s));
    QCOMPARE(roundedTwips(button.image4().top()), button.pictureRestTop());
    QCOMPARE(roundedTwips(button.label1().top()), button.captionRestTop());
}
} // namespace

Q_DECLARE_METATYPE(Place)

class TestButtonPress : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { Fonts::registerSubstitutions(); }
    void pressShowsPressedLook_data();
    void pressShowsPressedLook();
    void releaseOutsideStillClicks();
    void doubleClickRaisesTwoClicks();
    void disabledThroughSetterTakesNoInput();
    void storedDisabledStillClicks();
    void repeatedPressesDoNotAccumulate();
    void skinChangedBetweenPressAndRelease();
    void captionSetWhilePressed();
    void bareSurfaceOnlyClicks();
};

void TestButtonPress::pressShowsPressedLook_data()
{
    QTest::addColumn<Qt::MouseButton>("mouseButton");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<Place>("place");

    QTest::newRow("left on the face") << Qt::LeftButton << Qt::KeyboardModifiers() << Place::Face;
    QTest::newRow("right on the caption")
        << Qt::RightButton << Qt::KeyboardModifiers() << Place::Caption;
    QTest::newRow("middle on the picture")
        << Qt::MiddleButton << Qt::KeyboardModifiers() << Place::Picture;
    QTest::newRow("left with shift and control on the caption")
        << Qt::LeftButton << Qt::KeyboardModifiers(Qt::ShiftModifier | Qt::ControlModifier)
        << Place::Caption;
}

void TestButtonPress::pressShowsPressedLook()
{
    QFETCH(Qt::MouseButton, mouseButton);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(Place, place);
    const auto button = pictureButton();
    verifyAtRest(*button);
    const float pictureLeft = button->image4().left();
    const float captionLeft = button->label1().left();
    QSignalSpy clicks(button.get(), &Button::Click);

    const QPoint at = pointOn(*button, place);
    QTest::mousePress(button.get(), mouseButton, modifiers, at);
    QVERIFY(holdsSkin(button->image5(), u"pressed.bmp"_s));
    QCOMPARE(button->image4().top(), float(button->pictureRestTop() - 15));
    QCOMPARE(button->label1().top(), float(button->captionRestTop() - 15));
    QCOMPARE(clicks.count(), 0);

    QTest::mouseRelease(button.get(), mouseButton, modifiers, at);
    verifyAtRest(*button);
    QCOMPARE(button->image4().left(), pictureLeft);
    QCOMPARE(button->label1().left(), captionLeft);
    QCOMPARE(clicks.count(), 1);
}

void TestButtonPress::releaseOutsideStillClicks()
{
    const auto button = pictureButton();
    QSignalSpy clicks(button.get(), &Button::Click);
    QTest::mousePress(button.get(), Qt::LeftButton, {}, pointOn(*button, Place::Caption));
    QTest::mouseRelease(button.get(), Qt::LeftButton, {}, QPoint(-40, button->height() + 40));
    QCOMPARE(clicks.count(), 1);
    verifyAtRest(*button);
}

// Through the window, as the platform delivers it: press, release, double click, release.
void TestButtonPress::doubleClickRaisesTwoClicks()
{
    const auto button = pictureButton();
    QVERIFY(QTest::qWaitForWindowExposed(button.get()));
    QSignalSpy clicks(button.get(), &Button::Click);
    const QPoint at = pointOn(*button, Place::Caption);
    QWindow *window = button->windowHandle();
    QTest::mousePress(window, Qt::LeftButton, {}, at);
    QTest::mouseRelease(window, Qt::LeftButton, {}, at);
    // QTest moves its clock on after a release so that presses do not pair up; undo that.
    QTest::lastMouseTimestamp -= QTest::mouseDoubleClickInterval;
    QTest::mousePress(window, Qt::LeftButton, {}, at);
    verifyAtRest(*button);
    QCOMPARE(clicks.count(), 1);
    QTest::mouseRelease(window, Qt::LeftButton, {}, at);
    QCOMPARE(clicks.count(), 2);
    verifyAtRest(*button);
}

void TestButtonPress::disabledThroughSetterTakesNoInput()
{
    const auto button = pictureButton();
    button->setEnabled(false);
    QSignalSpy clicks(button.get(), &Button::Click);
    QTest::mousePress(button.get(), Qt::LeftButton, {}, pointOn(*button, Place::Face));
    verifyAtRest(*button);
    QTest::mouseRelease(button.get(), Qt::LeftButton, {}, pointOn(*button, Place::Face));
    QCOMPARE(clicks.count(), 0);

    button->setEnabled(true);
    QTest::mouseClick(button.get(), Qt::LeftButton, {}, pointOn(*button, Place::Face));
    QCOMPARE(clicks.count(), 1);
}

void TestButtonPress::storedDisabledStillClicks()
{
    QWidget host;
    auto *button = new Button(&host);
    button->resize(130, 88);
    PropertyBag bag;
    bag.WriteProperty(u"Caption"_s, u"Aus"_s, {});
    bag.WriteProperty(u"Buttonset"_s, u"4"_s, {});
    bag.WriteProperty(u"Enabled"_s, false, true);
    button->UserControl_ReadProperties(bag);
    host.show();
    QVERIFY(button->isEnabled());
    QCOMPARE(button->Enabled(), qint16(0));
    QCOMPARE(button->label1().foreColor(), OleColor(0x00C8C8C8));

    QSignalSpy clicks(button, &Button::Click);
    QTest::mousePress(button, Qt::LeftButton, {}, pointOn(*button, Place::Caption));
    verifyAtRest(*button);
    QTest::mouseRelease(button, Qt::LeftButton, {}, pointOn(*button, Place::Caption));
    QCOMPARE(clicks.count(), 1);
}

void TestButtonPress::repeatedPressesDoNotAccumulate()
{
    const auto button = pictureButton();
    QSignalSpy clicks(button.get(), &Button::Click);
    const QPoint at = pointOn(*button, Place::Face);
    QTest::mousePress(button.get(), Qt::LeftButton, {}, at);
    QMouseEvent second(QEvent::MouseButtonPress, at, button->mapToGlobal(at), Qt::RightButton,
                       Qt::LeftButton | Qt::RightButton, {});
    QApplication::sendEvent(button.get(), &second);
    QCOMPARE(button->label1().top(), float(button->captionRestTop() - 15));
    QCOMPARE(button->image4().top(), float(button->pictureRestTop() - 15));

    QMouseEvent firstUp(QEvent::MouseButtonRelease, at, button->mapToGlobal(at), Qt::LeftButton,
                        Qt::RightButton, {});
    QApplication::sendEvent(button.get(), &firstUp);
    QCOMPARE(clicks.count(), 1);
    QTest::mouseRelease(button.get(), Qt::RightButton, {}, QPoint(-5, -5));
    QCOMPARE(clicks.count(), 2);
    verifyAtRest(*button);
}

void TestButtonPress::skinChangedBetweenPressAndRelease()
{
    const auto button = pictureButton();
    QTest::mousePress(button.get(), Qt::LeftButton, {}, pointOn(*button, Place::Face));
    button->setButtonset(u"11"_s);
    QTest::mouseRelease(button.get(), Qt::LeftButton, {}, pointOn(*button, Place::Face));
    QVERIFY(holdsSkin(button->image5(), u"normal11.bmp"_s));
}

void TestButtonPress::captionSetWhilePressed()
{
    const auto button = pictureButton();
    QSignalSpy clicks(button.get(), &Button::Click);
    QTest::mousePress(button.get(), Qt::LeftButton, {}, pointOn(*button, Place::Caption));

    button->setCaption(button->Caption());
    QVERIFY(holdsSkin(button->image5(), u"pressed.bmp"_s));
    QCOMPARE(roundedTwips(button->label1().top()), button->captionRestTop());
    QCOMPARE(roundedTwips(button->image4().top()), button->pictureRestTop());

    button->setCaption(u"Ziehung wird durchgeführt"_s);
    QVERIFY(holdsSkin(button->image5(), u"normal04.bmp"_s));

    QTest::mouseRelease(button.get(), Qt::LeftButton, {}, QPoint(1, 1));
    QCOMPARE(clicks.count(), 1);
    verifyAtRest(*button);
}

// Before its first resize pass the face covers only the design size, so the
// right-hand part of a larger control is bare surface.
void TestButtonPress::bareSurfaceOnlyClicks()
{
    Button button;
    button.resize(300, 200);
    QSignalSpy clicks(&button, &Button::Click);
    const QPoint bare(250, 150);
    QTest::mouseClick(&button, Qt::RightButton, {}, bare);
    QCOMPARE(clicks.count(), 1);
    QVERIFY(!button.image5().picture());

    QTest::mousePress(&button, Qt::LeftButton, {}, bare);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(clicks.count(), 1);
}

QTEST_MAIN(TestButtonPress)
#include "tst_buttonpress.moc"
