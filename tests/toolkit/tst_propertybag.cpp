#include "PropertyBag.h"

#include <QJsonDocument>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
PropertyBag bagFromJson(const char *json)
{
    return PropertyBag::fromJson(QJsonDocument::fromJson(json).object());
}
} // namespace

class TestPropertyBag : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keysIgnoreCase();
    void writeKeepsOnlyWhatDiffersFromTheDefault();
    void hostEntriesAreReadOnly();
    void colours_data();
    void colours();
    void wrongTypesAreReported();
};

void TestPropertyBag::keysIgnoreCase()
{
    const PropertyBag bag = bagFromJson(R"({"buttonset": "8", "CAPTION": "OK", "_extentx": 2040})");
    QCOMPARE(bag.ReadProperty(u"Buttonset"_s, QString()), u"8"_s);
    QCOMPARE(bag.ReadProperty(u"caption"_s, QString()), u"OK"_s);
    QCOMPARE(bag.ReadProperty(u"Font"_s, QString(u"none"_s)), u"none"_s);

    PropertyBag written = bag;
    written.WriteProperty(u"Buttonset"_s, u"3"_s, QVariant());
    // The entry takes the spelling it was written with.
    QCOMPARE(written.keys().size(), 3);
    QVERIFY(written.keys().contains(u"Buttonset"_s));
    QVERIFY(!written.keys().contains(u"buttonset"_s));
    QCOMPARE(written.ReadProperty(u"buttonset"_s, QString()), u"3"_s);
}

void TestPropertyBag::writeKeepsOnlyWhatDiffersFromTheDefault()
{
    PropertyBag bag;
    bag.WriteProperty(u"Enabled"_s, true, true);
    bag.WriteProperty(u"TextColor"_s, Colours::SystemButtonText, Colours::SystemButtonText);
    QVERIFY(bag.keys().isEmpty());

    // A string, even the empty one, never equals the empty reference.
    bag.WriteProperty(u"Caption"_s, QString(), QVariant());
    bag.WriteProperty(u"Enabled"_s, false, true);
    QCOMPARE(bag.keys(), (QStringList{u"Caption"_s, u"Enabled"_s}));
    QCOMPARE(bag.value(u"caption"_s), QVariant(QString()));

    // Writing the default again drops an entry stored before.
    bag.WriteProperty(u"enabled"_s, true, true);
    QCOMPARE(bag.keys(), QStringList{u"Caption"_s});
    // The empty reference itself is never stored.
    bag.WriteProperty(u"ButtonPicture"_s, PropertyBag::pictureValue(Picture()), QVariant());
    QVERIFY(!bag.contains(u"ButtonPicture"_s));
    bag.WriteProperty(u"ButtonPicture"_s, PropertyBag::pictureValue(LoadPicture()), QVariant());
    QVERIFY(bag.ReadProperty(u"ButtonPicture"_s, Picture()));
}

void TestPropertyBag::hostEntriesAreReadOnly()
{
    PropertyBag bag = bagFromJson(R"({"_extenty": 1320})");
    QVERIFY_THROWS_EXCEPTION(PropertyWriteError, bag.WriteProperty(u"_ExtentY"_s, 99, QVariant()));
    QCOMPARE(bag.value(u"_extenty"_s).toInt(), 1320);
    QVERIFY_THROWS_EXCEPTION(PropertyWriteError,
                             bag.WriteProperty(u"Caption"_s, QStringList{u"a"_s}, QVariant()));
    QVERIFY(!bag.contains(u"Caption"_s));
}

void TestPropertyBag::colours_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<bool>("converts");
    QTest::addColumn<int>("colour");

    QTest::newRow("number") << QByteArray(R"({"c": 255})") << true << 0x000000FF;
    QTest::newRow("system colour past the signed range")
        << QByteArray(R"({"c": 2147483666})") << true << int(0x80000012);
    QTest::newRow("negative number") << QByteArray(R"({"c": -1})") << true << -1;
    QTest::newRow("hexadecimal notation")
        << QByteArray(R"({"c": "&H00C0C0C0&"})") << true << 0x00C0C0C0;
    QTest::newRow("decimal text") << QByteArray(R"({"c": " 4000 "})") << true << 4000;
    QTest::newRow("fraction") << QByteArray(R"({"c": 1.5})") << false << 0;
    QTest::newRow("past 32 bits") << QByteArray(R"({"c": 4294967296})") << false << 0;
    QTest::newRow("word") << QByteArray(R"({"c": "rot"})") << false << 0;
    QTest::newRow("boolean") << QByteArray(R"({"c": true})") << false << 0;
}

void TestPropertyBag::colours()
{
    QFETCH(QByteArray, json);
    QFETCH(bool, converts);
    QFETCH(int, colour);
    const PropertyBag bag = bagFromJson(json.constData());
    if (converts)
        QCOMPARE(bag.ReadProperty(u"C"_s, Colours::Black), OleColor(colour));
    else
        QVERIFY_THROWS_EXCEPTION(PropertyTypeError, bag.ReadProperty(u"C"_s, Colours::Black));
}

void TestPropertyBag::wrongTypesAreReported()
{
    const PropertyBag bag =
        bagFromJson(R"({"font": "Arial", "enabled": "vielleicht", "caption": [1], "pic": "x"})");
    try {
        bag.ReadProperty(u"Enabled"_s, true);
        QFAIL("\"vielleicht\" must not read as a boolean");
    } catch (const PropertyTypeError &error) {
        QCOMPARE(error.key(), u"Enabled"_s);
        QVERIFY(QString::fromStdString(error.what()).contains(u"Enabled"_s));
    }
    QVERIFY_THROWS_EXCEPTION(PropertyTypeError, bag.ReadProperty(u"Font"_s, QFont()));
    QVERIFY_THROWS_EXCEPTION(PropertyTypeError, bag.ReadProperty(u"Caption"_s, QString()));
    QVERIFY_THROWS_EXCEPTION(PropertyTypeError, bag.ReadProperty(u"Pic"_s, Picture()));
    QCOMPARE(bagFromJson(R"({"enabled": "False"})").ReadProperty(u"Enabled"_s, true), false);
    QCOMPARE(bagFromJson(R"({"enabled": -1})").ReadProperty(u"Enabled"_s, false), true);
}

QTEST_GUILESS_MAIN(TestPropertyBag)
#include "tst_propertybag.moc"
