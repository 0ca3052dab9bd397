#include "Button.h"
#include "Fonts.h"
#include "PropertyBag.h"
#include "Twips.h"

#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {
PropertyBag bag(const char *json)
{
    return PropertyBag::fromJson(QJsonDocument::fromJson(json).object());
}

Picture picture(int width, int height, int dotsPerMetre = 3780)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    return std::make_shared<const QImage>(image);
}

bool holdsSkin(const PictureElement &element, const QString &name)
{
    return element.picture() && *element.picture() == QImage(u":/button/skins/"_s + name);
}

// The host's font is the ambient one; captions never take its underline and strike-out.
Button &hostedButton(QWidget &host)
{
    QFont font = Fonts::font(u"Arial"_s, 11, true, true);
    font.setUnderline(true);
    font.setStrikeOut(true);
    host.setFont(font);
    auto *button = new Button(&host);
    button->resize(130, 88);
    return *button;
}
} // namespace

class tst_Button : public QObject
{
    Q_OBJECT

    static std::unique_ptr<Button> shownButton(int width, int height, const QString &caption = {})
    {
        auto button = std::make_unique<Button>();
        button->UserControl_InitProperties();
        button->resize(Twips::toWholePixels(width), Twips::toWholePixels(height));
        button->setCaption(caption);
        button->show();
        return button;
    }

    static std::unique_ptr<Button> pictureButton()
    {
        auto button = shownButton(2040, 1320, u"Ermittle\r\nZahlen"_s);
        button->setButtonset(u"4"_s);
        button->setButtonPicture(picture(20, 20));
        button->resize(button->width(), button->height() + 1);
        return button;
    }

    // Picture and caption stand `raised` twips above their rest tops, rounded at rest.
    static void verifyLook(const Button &button, const QString &face, int raised = 0)
    {
        QVERIFY(holdsSkin(button.Image5, face));
        const auto top = [raised](float t) { return raised ? t + raised : std::nearbyint(t); };
        QCOMPARE(top(button.Image4.top()), float(button.PictureRestTop));
        QCOMPARE(top(button.Label1.top()), float(button.CaptionRestTop));
    }

private Q_SLOTS:
    void initTestCase() { Fonts::registerSubstitutions(); }

    void accessKey_data()
    {
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QString>("buttonset");
        QTest::addColumn<QString>("key");
        const QString none;
        QTest::newRow("no marker keeps key") << QStringList{u"&Ab"_s, u"Cd"_s} << none << u"A"_s;
        QTest::newRow("first marker wins") << QStringList{u"&Zahl &Ende"_s} << none << u"Z"_s;
        QTest::newRow("end marker keeps key") << QStringList{u"&x"_s, u"Ende&"_s} << none << u"x"_s;
        QTest::newRow("doubled then single") << QStringList{u"A&&B &Cd"_s} << none << u"C"_s;
        QTest::newRow("only doubled") << QStringList{u"A&&B&&"_s} << none << none;
        QTest::newRow("skin-set number keeps key") << QStringList{u"&Los"_s} << u"3"_s << u"L"_s;
        QTest::newRow("skin-set text is scanned too") << QStringList() << u"&9"_s << u"9"_s;
    }

    void accessKey()
    {
        QFETCH(QStringList, captions);
        QFETCH(QString, buttonset);
        Button button;
        for (const QString &caption : captions)
            button.setCaption(caption);
        button.setButtonset(buttonset);
        QTEST(button.AccessKeys(), "key");
    }

    // Enabled greys with &H00BCBCC0, a re-layout with &H00C8C8C8; each setter tells once.
    void newInstanceAndSetters()
    {
        QWidget host;
        Button &button = hostedButton(host);
        button.setObjectName(u"commando&9"_s);
        button.UserControl_InitProperties();
        QCOMPARE(button.Label1.font(), Fonts::font(u"Arial"_s, 11, true, true));
        host.show();
        QCOMPARE(button.Label1.text(), u"commando&9"_s);

        QSignalSpy told(&button, &Button::propertyChanged);
        button.setEnabled(false);
        QCOMPARE(button.Label1.foreColor(), OleColor(0x00BCBCC0));
        button.setCaption(u"&Tipp && mehr"_s);
        QCOMPARE(button.Label1.foreColor(), OleColor(0x00C8C8C8));
        button.setTextColor(0x0000FF00);
        QCOMPARE(button.Label1.foreColor(), OleColor(0x00C8C8C8));
        button.setEnabled(true);
        QVERIFY(button.Enabled() == -1 && button.Label1.foreColor() == OleColor(0x0000FF00));
        button.setButtonset(button.Buttonset());
        button.setButtonPicture(button.ButtonPicture());
        QStringList names;
        for (const QList<QVariant> &arguments : std::as_const(told))
            names << arguments.at(0).toString();
        QCOMPARE(names, QStringList({u"Enabled"_s, u"Caption"_s, u"TextColor"_s, u"Enabled"_s,
                                     u"Buttonset"_s, u"ButtonPicture"_s}));
    }

    void skinSets_data()
    {
        QTest::addColumn<QStringList>("buttonsets");
        QTest::addColumn<QString>("normal");
        for (int set = 1; set <= 13; ++set)
            QTest::addRow("skin set %d", set) << QStringList{QString::number(set)}
                                              << u"normal%1.bmp"_s.arg(set, 2, 10, QChar(u'0'));
        QTest::newRow("13.5 is yellow") << QStringList{u"13.5"_s} << u"normal01.bmp"_s;
        QTest::newRow("leading number") << QStringList{u"7 Cyan"_s} << u"normal07.bmp"_s;
        QTest::newRow("2.5 keeps the face") << QStringList{u"5"_s, u"2.5"_s} << u"normal05.bmp"_s;
        QTest::newRow("0 as a new text") << QStringList{u"0.0"_s} << u"initial.bmp"_s;
        QTest::newRow("initial text 0 applies nothing") << QStringList{u"0"_s} << u"initial.bmp"_s;
    }

    // Any text but the label's initial "0" installs the cream pressed face.
    void skinSets()
    {
        QFETCH(QStringList, buttonsets);
        QFETCH(QString, normal);
        const auto button = shownButton(1950, 1320, u"Tipp"_s);
        for (const QString &buttonset : buttonsets)
            button->setButtonset(buttonset);
        QVERIFY(holdsSkin(button->Image1, normal));
        const bool initial = buttonsets == QStringList{u"0"_s};
        QVERIFY(holdsSkin(button->Image2, initial ? u"initial-pressed.gif"_s : u"pressed.bmp"_s));
    }

    // Empty caption on 1950 × 150 twips: picture top, caption top and left, rest top.
    void arrangeContent_data()
    {
        QTest::addColumn<int>("pictureHeight");
        QTest::addColumn<int>("dotsPerMetre");
        QTest::addColumn<QList<float>>("expected");
        QTest::newRow("caption fits under the picture, 72 dpi")
            << 2 << 2835 << QList<float>{60, 90, 25, 60};
        QTest::newRow("rest top 67.5 rounds to even, 300 dpi")
            << 1 << 11811 << QList<float>{67.5, 82.5, 25, 68};
        QTest::newRow("rest top 52.5 rounds to even, no resolution")
            << 3 << 0 << QList<float>{52.5, 97.5, 25, 52};
        QTest::newRow("no fit: caption at half height") << 4 << 3780 << QList<float>{45, 75, 5, 45};
    }

    void arrangeContent()
    {
        QFETCH(int, pictureHeight);
        QFETCH(int, dotsPerMetre);
        const auto button = shownButton(1950, 150);
        button->setButtonPicture(picture(2, pictureHeight, dotsPerMetre));
        QVERIFY(button->Image4.width() == 30 && button->Image4.left() == 960);
        QCOMPARE(button->Label1.width(), 1900.0f);
        QTEST((QList<float>{button->Image4.top(), button->Label1.top(), button->Label1.left(),
                            float(button->PictureRestTop)}),
              "expected");
    }

    void captionWithoutPicture()
    {
        const auto low = shownButton(1950, 300, u"Ermittle\r\nseltene / häufige\r\nZahlen"_s);
        QCOMPARE(low->Image4.top(), (300 - low->Label1.height() - 1) / 2);
        QCOMPARE((QList<float>{low->Label1.top(), low->Label1.left()}), (QList<float>{150, 5}));
    }

    void pressAndRelease_data()
    {
        QTest::addColumn<Qt::MouseButton>("mouseButton");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QString>("how");
        const auto button = pictureButton(); // every button is laid out alike
        const QPoint face(3, 3), picture = button->Image4.rect().center().toPoint(),
                                 caption = button->Label1.rect().center().toPoint();
        const Qt::KeyboardModifiers none, both = Qt::ShiftModifier | Qt::ControlModifier;
        QTest::newRow("left on the face") << Qt::LeftButton << none << face << QString();
        QTest::newRow("right on the caption") << Qt::RightButton << none << caption << QString();
        QTest::newRow("middle with shift and control on the picture")
            << Qt::MiddleButton << both << picture << QString();
        QTest::newRow("release outside") << Qt::LeftButton << none << picture << u"outside"_s;
        QTest::newRow("double click") << Qt::LeftButton << none << caption << u"double click"_s;
        QTest::newRow("disabled by the setter") << Qt::LeftButton << none << face << u"setter"_s;
        QTest::newRow("stored Enabled false") << Qt::LeftButton << none << face << u"stored"_s;
    }

    // Only an enabled single press looks pressed; a click finds the button back at rest.
    void pressAndRelease()
    {
        QFETCH(Qt::MouseButton, mouseButton);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QPoint, at);
        QFETCH(QString, how);
        const auto button = pictureButton();
        QVERIFY(QTest::qWaitForWindowExposed(button.get()));
        if (how == u"setter"_s)
            button->setEnabled(false);
        if (how == u"stored"_s)
            button->UserControl_ReadProperties(bag(R"({"buttonset": "4", "enabled": false})"));
        const QList<float> lefts{button->Image4.left(), button->Label1.left()};
        QSignalSpy clicks(button.get(), &Button::Click);
        connect(button.get(), &Button::Click, this,
                [&button] { verifyLook(*button, u"normal04.bmp"_s); });
        QWindow *window = button->windowHandle();
        if (how == u"double click"_s) {
            QTest::mouseClick(window, mouseButton, modifiers, at);
            QTest::lastMouseTimestamp -= QTest::mouseDoubleClickInterval; // pair them up
        }
        QTest::mousePress(window, mouseButton, modifiers, at);
        const bool pressedLook = how.isEmpty() || how == u"outside"_s;
        verifyLook(*button, pressedLook ? u"pressed.bmp"_s : u"normal04.bmp"_s,
                   pressedLook ? 15 : 0);
        QCOMPARE(clicks.count(), how == u"double click"_s ? 1 : 0);
        if (how == u"outside"_s) {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"outside target window"_s));
            at = QPoint(-40, button->height() + 40);
        }
        QTest::mouseRelease(window, mouseButton, modifiers, at);
        verifyLook(*button, u"normal04.bmp"_s);
        QCOMPARE((QList<float>{button->Image4.left(), button->Label1.left()}), lefts);
        QCOMPARE(clicks.count(), how == u"setter"_s ? 0 : how == u"double click"_s ? 2 : 1);
    }

    // Pressed places come from the rest tops; only a new caption shows the normal face.
    void layoutWhilePressed()
    {
        const auto button = pictureButton();
        QSignalSpy clicks(button.get(), &Button::Click);
        const QPoint at = button->Label1.rect().center().toPoint();
        QTest::mousePress(button.get(), Qt::LeftButton, {}, at);
        QTest::mousePress(button.get(), Qt::RightButton, {}, at);
        button->setButtonPicture(Picture());
        verifyLook(*button, u"pressed.bmp"_s, 15);
        QVERIFY(!button->Image4.picture() && button->Image4.height() == 300);
        button->setButtonPicture(LoadPicture());
        verifyLook(*button, u"pressed.bmp"_s);
        QTest::mouseRelease(button.get(), Qt::RightButton, {}, at);
        QTest::mouseRelease(button.get(), Qt::LeftButton, {}, at);

        QTest::mousePress(button.get(), Qt::LeftButton, {}, at);
        button->setCaption(button->Caption());
        verifyLook(*button, u"pressed.bmp"_s);
        button->setCaption(u"Ziehung wird durchgeführt"_s);
        verifyLook(*button, u"normal04.bmp"_s);
        QTest::mouseRelease(button.get(), Qt::LeftButton, {}, at);

        QCOMPARE(clicks.count(), 3);
    }

    // Reading tells the host nothing and matches keys in any case; writing skips a refused
    // entry and drops defaults but Caption and Buttonset; what it writes reads back alike.
    void storedProperties()
    {
        QWidget first;
        Button &button = hostedButton(first);
        QSignalSpy told(&button, &Button::propertyChanged);
        button.UserControl_ReadProperties(PropertyBag());
        QVERIFY(button.Caption().isEmpty() && button.Buttonset().isEmpty());
        PropertyBag plain;
        button.UserControl_WriteProperties(plain);
        QCOMPARE(plain.keys(), QStringList({u"Caption"_s, u"Buttonset"_s}));

        button.UserControl_ReadProperties(bag(R"({"CAPTION": "&Los", "buttonset": "3"})"));
        QCOMPARE(button.Label1.font(), Fonts::font(u"Arial"_s, 11, true, true));
        verifyLook(button, u"normal03.bmp"_s);
        const PropertyBag wrong =
            bag(R"({"caption": "Tipp", "buttonset": "5", "textcolor": "rot", "enabled": false})");
        QVERIFY_THROWS_EXCEPTION(PropertyTypeError, button.UserControl_ReadProperties(wrong));
        QVERIFY(button.Caption() == u"Tipp"_s && button.Buttonset() == u"5"_s);
        QVERIFY(button.Label2.text() == u"3"_s && button.Enabled() == -1);
        QVERIFY(button.AccessKeys().isEmpty() && told.isEmpty());

        button.setCaption(u"Ermittle\r\nZahlen"_s);
        button.setButtonset(u"12"_s);
        button.setFont(Fonts::font(u"Arial Narrow"_s, 13.5, false, true));
        button.setTextColor(0x000000C0);
        button.setButtonPicture(picture(10, 10));
        button.setEnabled(false);
        PropertyBag written;
        button.UserControl_WriteProperties(written);
        QCOMPARE(written.keys(), QStringList({u"ButtonPicture"_s, u"Caption"_s, u"Enabled"_s,
                                              u"Buttonset"_s, u"Font"_s, u"TextColor"_s}));
        PropertyBag refusing = bag(R"({"caption": "alt"})");
        refusing.setReadOnly(u"Caption"_s);
        button.UserControl_WriteProperties(refusing);
        QCOMPARE(refusing.keys().size(), 6);

        QWidget second;
        Button &copy = hostedButton(second);
        copy.UserControl_ReadProperties(written);
        first.show();
        second.show();
        QCOMPARE(copy.grab().toImage(), button.grab().toImage()); // greyed alike
    }
};

QTEST_MAIN(tst_Button)
#include "tst_button.moc"
