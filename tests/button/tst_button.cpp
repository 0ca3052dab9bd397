#include "ButtonTesting.h"
#include "Fonts.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

class TestButton : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { Fonts::registerSubstitutions(); }
    void startsCollapsedWithInitialContent();
    void accessKey_data();
    void accessKey();
    void buttonsetTextIsScannedToo();
    void settersTellTheHost_data();
    void settersTellTheHost();
    void equalButtonsetAppliesNoSkin();
    void disabledCaptionGreys();
    void fontSetterCopiesFourAttributes();
    void emptyReferenceLeavesPositions();
    void emptyPictureRearranges();
    void pictureGetterSharesTheObject();
    void accessibleNameAndRole();
};

void TestButton::startsCollapsedWithInitialContent()
{
    Button button;
    QCOMPARE(button.label1().text(), QString());
    QCOMPARE(button.label2().text(), u"0"_s);
    QCOMPARE(button.image4().height(), 1.0f);
    QCOMPARE(button.label1().height(), 1.0f);
    QCOMPARE(button.Enabled(), qint16(0));
    QVERIFY(!button.ButtonPicture());
    QVERIFY(holdsSkin(button.image1(), u"initial.bmp"_s));
    QVERIFY(holdsSkin(button.image2(), u"initial-pressed.gif"_s));
    QVERIFY(holdsSkin(button.image3(), u"normal13.bmp"_s));
    QCOMPARE(button.label1().font().family(), u"Courier New"_s);
    QCOMPARE(button.label1().foreColor(), Colours::Black);
}

void TestButton::accessKey_data()
{
    QTest::addColumn<QString>("earlier");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("key");

    QTest::newRow("plain caption keeps the earlier key") << u"&Tipp"_s << u"Ohne"_s << u"T"_s;
    QTest::newRow("first marker wins") << QString() << u"&Zahl &Ende"_s << u"Z"_s;
    QTest::newRow("marker in last place counts not") << QString() << u"Ende&"_s << QString();
    QTest::newRow("last-place marker keeps the earlier key") << u"&x"_s << u"Ende&"_s << u"x"_s;
    QTest::newRow("doubled then single") << QString() << u"A&&B &Cd"_s << u"C"_s;
    QTest::newRow("only doubled") << QString() << u"A&&B&&"_s << QString();
    QTest::newRow("triple ampersand") << QString() << u"&&&"_s << QString();
    QTest::newRow("marker before a line break") << QString() << u"Eins\r\n&Zwei"_s << u"Z"_s;
}

void TestButton::accessKey()
{
    QFETCH(QString, earlier);
    QFETCH(QString, caption);
    QFETCH(QString, key);
    Button button;
    if (!earlier.isEmpty())
        button.setCaption(earlier);
    button.setCaption(caption);
    QCOMPARE(button.AccessKeys(), key);
    QCOMPARE(button.Caption(), caption);
    QCOMPARE(button.label1().text(), caption);
}

void TestButton::buttonsetTextIsScannedToo()
{
    Button button;
    button.setCaption(u"&Los"_s);
    button.setButtonset(u"3"_s);
    QCOMPARE(button.AccessKeys(), u"L"_s);
    button.setButtonset(u"&9"_s);
    QCOMPARE(button.AccessKeys(), u"9"_s);
}

void TestButton::settersTellTheHost_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("value");

    QTest::newRow("Caption") << u"Caption"_s << QVariant(u"Neu"_s);
    QTest::newRow("Buttonset") << u"Buttonset"_s << QVariant(u"5"_s);
    QTest::newRow("TextColor") << u"TextColor"_s << QVariant(0x00FF0000);
    QTest::newRow("Enabled") << u"Enabled"_s << QVariant(false);
    QTest::newRow("Font") << u"Font"_s << QVariant::fromValue(Fonts::font(u"Arial"_s, 12));
    QTest::newRow("ButtonPicture") << u"ButtonPicture"_s << QVariant::fromValue(LoadPicture());
}

void TestButton::settersTellTheHost()
{
    QFETCH(QString, property);
    QFETCH(QVariant, value);
    Button button;
    QSignalSpy spy(&button, &Button::propertyChanged);
    QVERIFY(button.setProperty(property.toLatin1().constData(), value));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), property);
}

void TestButton::equalButtonsetAppliesNoSkin()
{
    Button button;
    QSignalSpy spy(&button, &Button::propertyChanged);
    button.setButtonset(u"0"_s);
    QCOMPARE(spy.count(), 1);
    QVERIFY(holdsSkin(button.image2(), u"initial-pressed.gif"_s));

    button.setButtonset(u"4"_s);
    QVERIFY(holdsSkin(button.image1(), u"normal04.bmp"_s));
    button.setButtonset(u"4"_s);
    QCOMPARE(spy.count(), 3);
    QVERIFY(holdsSkin(button.image1(), u"normal04.bmp"_s));
}

void TestButton::disabledCaptionGreys()
{
    const auto button = shownButton(1950, 1320, u"Tipp"_s);
    button->setTextColor(0x000000FF);
    button->setEnabled(true);
    QCOMPARE(button->label1().foreColor(), OleColor(0x000000FF));

    button->setEnabled(false);
    QVERIFY(!button->isEnabled());
    QCOMPARE(button->Enabled(), qint16(0));
    QCOMPARE(button->label1().foreColor(), OleColor(0x00BCBCC0));

    button->setTextColor(0x0000FF00);
    QCOMPARE(button->label1().foreColor(), OleColor(0x00C8C8C8));
    QCOMPARE(button->TextColor(), OleColor(0x0000FF00));

    button->setEnabled(true);
    QCOMPARE(button->Enabled(), qint16(-1));
    QCOMPARE(button->label1().foreColor(), OleColor(0x0000FF00));

    button->setEnabled(false);
    button->resize(button->width() + 10, button->height());
    QCOMPARE(button->label1().foreColor(), OleColor(0x00C8C8C8));
    QVERIFY(button->image5().picture() == button->image1().picture());
}

void TestButton::fontSetterCopiesFourAttributes()
{
    Button button;
    QFont font = Fonts::font(u"Arial"_s, 12, true, true);
    font.setUnderline(true);
    font.setStrikeOut(true);
    button.setFont(font);
    QCOMPARE(button.Font(), font);
    const QFont caption = button.label1().font();
    QCOMPARE(caption.family(), u"Arial"_s);
    QCOMPARE(caption.pointSizeF(), 12.0);
    QVERIFY(caption.bold());
    QVERIFY(caption.italic());
    QVERIFY(!caption.underline());
    QVERIFY(!caption.strikeOut());
}

void TestButton::emptyReferenceLeavesPositions()
{
    const auto button = shownButton(1950, 1320, u"Tipp"_s);
    button->setButtonPicture(twipPicture(300, 300));
    QCOMPARE(button->image4().height(), 300.0f);
    QTest::mousePress(button.get(), Qt::LeftButton, {}, QPoint(2, 2));
    const float pressedPicture = button->image4().top();
    const float pressedCaption = button->label1().top();

    button->setButtonPicture(Picture());
    QVERIFY(!button->image4().picture());
    QCOMPARE(button->image4().top(), pressedPicture);
    QCOMPARE(button->label1().top(), pressedCaption);
    QCOMPARE(button->image4().height(), 300.0f);
}

void TestButton::emptyPictureRearranges()
{
    const auto button = shownButton(1950, 1320, u"Tipp"_s);
    QTest::mousePress(button.get(), Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(button->label1().top(), float(button->captionRestTop() - 15));

    button->setButtonPicture(LoadPicture());
    QVERIFY(button->image4().picture());
    QVERIFY(!button->image4().hasPicture());
    QCOMPARE(roundedTwips(button->label1().top()), button->captionRestTop());
    QCOMPARE(roundedTwips(button->image4().top()), button->pictureRestTop());
}

void TestButton::pictureGetterSharesTheObject()
{
    Button button;
    const Picture picture = twipPicture(10, 10);
    button.setButtonPicture(picture);
    QCOMPARE(button.ButtonPicture(), picture);
    QCOMPARE(button.image4().picture(), picture);
}

void TestButton::accessibleNameAndRole()
{
    const auto button = shownButton(1950, 1320, u"&Tipp\r\nerstellen && mehr"_s);
    QCOMPARE(button->accessibleName(), u"Tipp erstellen & mehr"_s);
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(button.get());
    QVERIFY(accessible);
    QCOMPARE(accessible->role(), QAccessible::Button);
    QCOMPARE(accessible->text(QAccessible::Name), u"Tipp erstellen & mehr"_s);
}

QTEST_MAIN(TestButton)
#include "tst_button.moc"
