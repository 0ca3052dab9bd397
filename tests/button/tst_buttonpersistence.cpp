#include "ButtonTesting.h"
#include "Fonts.h"
#include "PropertyBag.h"

#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
PropertyBag bagFromJson(const char *json)
{
    return PropertyBag::fromJson(QJsonDocument::fromJson(json).object());
}

// A host window with its own font, as the ambient font of its buttons.
struct Host
{
    QWidget window;
    Button *button;

    explicit Host(const QString &name = u"commando1"_s) : button(new Button(&window))
    {
        window.setFont(Fonts::font(u"Arial"_s, 11));
        button->setObjectName(name);
        button->resize(130, 88);
    }
};
} // namespace

class TestButtonPersistence : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { Fonts::registerSubstitutions(); }
    void emptySetGivesDefaults();
    void windowDefinitionSet();
    void readingTellsNoChangeAndSetsNoAccessKey();
    void writeKeepsOnlyChangedEntries();
    void writtenButtonsetReadsBackInLowerCase();
    void roundTripGivesSameState();
    void refusedWriteIsSkipped();
    void newInstanceShowsHostName();
    void oddStoredSettings_data();
    void oddStoredSettings();
    void wrongTypeEndsReadingAtItsStep();
};

void TestButtonPersistence::emptySetGivesDefaults()
{
    Host host;
    host.button->UserControl_ReadProperties(PropertyBag());
    const Button &button = *host.button;
    QVERIFY(!button.ButtonPicture());
    QCOMPARE(button.Caption(), QString());
    QCOMPARE(button.Buttonset(), QString());
    QCOMPARE(button.Font(), host.window.font());
    QCOMPARE(button.TextColor(), Colours::SystemButtonText);
    QCOMPARE(button.Enabled(), qint16(-1));
    QVERIFY(button.isEnabled());
    QCOMPARE(button.label2().text(), QString());
    QVERIFY(holdsSkin(button.image2(), u"pressed.bmp"_s));
}

void TestButtonPersistence::windowDefinitionSet()
{
    Host host;
    host.button->UserControl_ReadProperties(bagFromJson(R"({
        "caption": "Ziehung simulieren", "buttonset": "8",
        "font": { "name": "MS Sans Serif", "size": 9.75, "bold": true },
        "_extentx": 3916, "_extenty": 2328 })"));
    const Button &button = *host.button;
    QCOMPARE(button.Caption(), u"Ziehung simulieren"_s);
    QCOMPARE(button.label1().text(), u"Ziehung simulieren"_s);
    QCOMPARE(button.Font().family(), u"MS Sans Serif"_s);
    QCOMPARE(button.label1().font().family(), u"MS Sans Serif"_s);
    QVERIFY(button.label1().font().bold());
    QVERIFY(holdsSkin(button.image5(), u"normal08.bmp"_s));
}

void TestButtonPersistence::readingTellsNoChangeAndSetsNoAccessKey()
{
    Host host;
    QSignalSpy changes(host.button, &Button::propertyChanged);
    host.button->UserControl_ReadProperties(bagFromJson(R"({ "caption": "&Tipp" })"));
    QCOMPARE(changes.count(), 0);
    QCOMPARE(host.button->AccessKeys(), QString());
    host.button->setCaption(u"&Tipp"_s);
    QCOMPARE(host.button->AccessKeys(), u"T"_s);
}

void TestButtonPersistence::writeKeepsOnlyChangedEntries()
{
    Host host;
    host.button->UserControl_ReadProperties(PropertyBag());
    PropertyBag plain;
    host.button->UserControl_WriteProperties(plain);
    QCOMPARE(plain.keys(), QStringList({u"Caption"_s, u"Buttonset"_s}));
    QCOMPARE(plain.value(u"Caption"_s), QVariant(QString()));

    host.button->setButtonPicture(LoadPicture());
    host.button->setEnabled(false);
    host.button->setFont(Fonts::font(u"Courier New"_s, 10));
    host.button->setTextColor(0x00123456);
    PropertyBag full;
    host.button->UserControl_WriteProperties(full);
    QCOMPARE(full.keys(), QStringList({u"ButtonPicture"_s, u"Caption"_s, u"Enabled"_s,
                                       u"Buttonset"_s, u"Font"_s, u"TextColor"_s}));
}

void TestButtonPersistence::writtenButtonsetReadsBackInLowerCase()
{
    Host host;
    host.button->setButtonset(u"6"_s);
    PropertyBag bag;
    host.button->UserControl_WriteProperties(bag);
    QVERIFY(bag.keys().contains(u"Buttonset"_s));
    QCOMPARE(bag.ReadProperty(u"buttonset"_s, QString()), u"6"_s);

    Host other;
    other.button->UserControl_ReadProperties(bag);
    QCOMPARE(other.button->Buttonset(), u"6"_s);
    QVERIFY(holdsSkin(other.button->image1(), u"normal06.bmp"_s));
}

void TestButtonPersistence::roundTripGivesSameState()
{
    Host first;
    first.button->setCaption(u"Ermittle\r\nZahlen"_s);
    first.button->setButtonset(u"12"_s);
    first.button->setFont(Fonts::font(u"Arial Narrow"_s, 13.5, false, true));
    first.button->setTextColor(0x000000C0);
    first.button->setButtonPicture(twipPicture(150, 150));
    first.button->setEnabled(false);
    PropertyBag bag;
    first.button->UserControl_WriteProperties(bag);

    Host second;
    second.button->UserControl_ReadProperties(bag);
    // The picture setter leaves the caption's rest top to the next resize pass,
    // which showing the windows runs.
    QCOMPARE_NE(second.button->captionRestTop(), first.button->captionRestTop());
    first.window.show();
    second.window.show();
    const Button &a = *first.button;
    const Button &b = *second.button;
    QCOMPARE(b.Caption(), a.Caption());
    QCOMPARE(b.Buttonset(), a.Buttonset());
    QCOMPARE(b.Font(), a.Font());
    QCOMPARE(b.TextColor(), a.TextColor());
    QCOMPARE(b.Enabled(), a.Enabled());
    QCOMPARE(b.ButtonPicture(), a.ButtonPicture());
    QCOMPARE(b.image1().picture(), a.image1().picture());
    QCOMPARE(b.label1().text(), a.label1().text());
    QCOMPARE(b.label1().font(), a.label1().font());
    QCOMPARE(b.label1().foreColor(), OleColor(0x00C8C8C8));
    QCOMPARE(b.pictureRestTop(), a.pictureRestTop());
    QCOMPARE(b.captionRestTop(), a.captionRestTop());
}

void TestButtonPersistence::refusedWriteIsSkipped()
{
    Host host;
    host.button->setCaption(u"OK"_s);
    host.button->setEnabled(false);
    host.button->setTextColor(0x00FF00FF);
    PropertyBag bag = bagFromJson(R"({ "caption": "alt" })");
    bag.setReadOnly(u"Caption"_s);
    host.button->UserControl_WriteProperties(bag);
    QCOMPARE(bag.value(u"caption"_s), QVariant(u"alt"_s));
    QCOMPARE(bag.value(u"Enabled"_s), QVariant(false));
    QCOMPARE(bag.value(u"Buttonset"_s), QVariant(QString()));
    QCOMPARE(bag.value(u"TextColor"_s), QVariant(0x00FF00FF));
}

void TestButtonPersistence::newInstanceShowsHostName()
{
    Host host(u"commando9"_s);
    QSignalSpy changes(host.button, &Button::propertyChanged);
    host.button->UserControl_InitProperties();
    QCOMPARE(host.button->Caption(), u"commando9"_s);
    QCOMPARE(host.button->Buttonset(), u"0"_s);
    QVERIFY(host.button->ButtonPicture());
    QVERIFY(!holdsImage(host.button->ButtonPicture()));
    QCOMPARE(host.button->Font(), host.window.font());
    QCOMPARE(host.button->label1().font().family(), u"Arial"_s);
    QCOMPARE(host.button->Enabled(), qint16(-1));
    QCOMPARE(host.button->label1().foreColor(), Colours::SystemButtonText);
    QCOMPARE(host.button->label1().text(), QString());
    QCOMPARE(host.button->AccessKeys(), QString());
    QCOMPARE(changes.count(), 3);

    host.window.show();
    QCOMPARE(host.button->label1().text(), u"commando9"_s);
    QVERIFY(holdsSkin(host.button->image5(), u"initial.bmp"_s));
    QVERIFY(holdsSkin(host.button->image2(), u"initial-pressed.gif"_s));
}

void TestButtonPersistence::oddStoredSettings_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("buttonset");
    QTest::addColumn<int>("textColor");
    QTest::addColumn<int>("enabled");

    const int button = Colours::SystemButtonText;
    QTest::newRow("keys in capitals") << QByteArray(R"({"CAPTION": "Los", "ButtonSet": "2"})")
                                      << u"Los"_s << u"2"_s << button << -1;
    QTest::newRow("empty values") << QByteArray(R"({"caption": "", "buttonset": ""})") << QString()
                                  << QString() << button << -1;
    QTest::newRow("null values count as missing")
        << QByteArray(R"({"caption": null, "textcolor": null})") << QString() << QString() << button
        << -1;
    QTest::newRow("numbers for texts")
        << QByteArray(R"({"caption": 49, "buttonset": 3})") << u"49"_s << u"3"_s << button << -1;
    QTest::newRow("colour as notation and enabled as number")
        << QByteArray(R"({"textcolor": "&H000000FF", "enabled": 0})") << QString() << QString()
        << 0x000000FF << 0;
    QTest::newRow("system colour as number and enabled as text")
        << QByteArray(R"({"TextColor": 2147483656, "Enabled": "True"})") << QString() << QString()
        << int(0x80000008) << -1;
}

void TestButtonPersistence::oddStoredSettings()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, caption);
    QFETCH(QString, buttonset);
    QFETCH(int, textColor);
    QFETCH(int, enabled);
    Host host;
    host.button->UserControl_ReadProperties(bagFromJson(json.constData()));
    QCOMPARE(host.button->Caption(), caption);
    QCOMPARE(host.button->Buttonset(), buttonset);
    QCOMPARE(host.button->TextColor(), OleColor(textColor));
    QCOMPARE(host.button->Enabled(), qint16(enabled));
}

// Caption, skin set and font come before the colour; nothing after it is taken.
void TestButtonPersistence::wrongTypeEndsReadingAtItsStep()
{
    Host host;
    const PropertyBag bag = bagFromJson(
        R"({"caption": "Tipp", "buttonset": "5", "textcolor": "rot", "enabled": false})");
    try {
        host.button->UserControl_ReadProperties(bag);
        QFAIL("a colour of \"rot\" must not be read");
    } catch (const PropertyTypeError &error) {
        QCOMPARE(error.key(), u"TextColor"_s);
    }
    QCOMPARE(host.button->Caption(), u"Tipp"_s);
    QCOMPARE(host.button->Buttonset(), u"5"_s);
    QCOMPARE(host.button->label1().text(), QString());
    QCOMPARE(host.button->label2().text(), u"0"_s);
    QCOMPARE(host.button->Enabled(), qint16(0));

    QVERIFY_THROWS_EXCEPTION(PropertyTypeError, host.button->UserControl_ReadProperties(
                                                    bagFromJson(R"({"font": "Arial"})")));
    QVERIFY_THROWS_EXCEPTION(PropertyTypeError, host.button->UserControl_ReadProperties(
                                                    bagFromJson(R"({"enabled": ""})")));
}

QTEST_MAIN(TestButtonPersistence)
#include "tst_buttonpersistence.moc"
