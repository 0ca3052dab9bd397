#include "Button.h"
#include "Fonts.h"
#include "PropertyBag.h"
#include "SkinCatalogue.h"
#include "Twips.h"

#include <QAccessible>
#include <QFile>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>
#include <QtEndian>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {
// A host window whose font is the ambient font of its buttons; it is underlined and
// struck out, which captions never take over.
struct Host
{
    QWidget window;
    Button *button = new Button(&window);

    Host()
    {
        QFont font = Fonts::font(u"Arial"_s, 11, true, true);
        font.setUnderline(true);
        font.setStrikeOut(true);
        window.setFont(font);
        button->resize(130, 88);
    }
};
} // namespace

class tst_Button : public QObject
{
    Q_OBJECT

    static QString skin(const QString &name) { return u":/button/skins/"_s + name; }
    static bool holdsSkin(const PictureElement &element, const QString &name)
    {
        return element.picture() && *element.picture() == QImage(skin(name));
    }
    static qint16 rounded(float twips) { return qint16(std::nearbyint(twips)); }
    static PropertyBag bag(const char *json)
    {
        return PropertyBag::fromJson(QJsonDocument::fromJson(json).object());
    }

    // Enabled, with the host's font and colour; showing it runs the first resize pass.
    static std::unique_ptr<Button> shownButton(int width, int height, const QString &caption = {})
    {
        auto button = std::make_unique<Button>();
        button->UserControl_InitProperties();
        button->resize(Twips::toWholePixels(width), Twips::toWholePixels(height));
        button->setCaption(caption);
        button->show();
        return button;
    }

    // At 1440 dpi each pixel is one twip of natural size.
    static Picture twipPicture(int width, int height)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::darkBlue);
        image.setDotsPerMeterX(56693);
        image.setDotsPerMeterY(56693);
        return std::make_shared<const QImage>(image);
    }

    // A set-4 button with a picture above its caption, laid out again as a window would.
    static std::unique_ptr<Button> pictureButton()
    {
        auto button = shownButton(2040, 1320, u"Ermittle\r\nZahlen"_s);
        button->setButtonset(u"4"_s);
        button->setButtonPicture(twipPicture(300, 300));
        button->resize(button->width(), button->height() + 1);
        return button;
    }

    // The face shows `face`; picture and caption stand `raised` twips above their rest
    // tops, exactly while pressed and to the nearest twip at rest.
    static void verifyLook(const Button &button, const QString &face, int raised = 0)
    {
        QVERIFY(holdsSkin(button.image5(), face));
        const auto top = [raised](float top) { return raised ? top + raised : rounded(top); };
        QCOMPARE(top(button.image4().top()), float(button.pictureRestTop()));
        QCOMPARE(top(button.label1().top()), float(button.captionRestTop()));
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
        QFETCH(QString, key);
        Button button;
        for (const QString &caption : captions)
            button.setCaption(caption);
        button.setButtonset(buttonset);
        QCOMPARE(button.AccessKeys(), key);
    }

    // A new instance starts collapsed, then takes the host's name and font and skin set "0".
    // The Enabled setter greys with &H00BCBCC0, TextColor and re-layouts with &H00C8C8C8; each
    // setter tells the host once, and an unchanged caption lays nothing out.
    void newInstanceAndSetters()
    {
        Host host;
        Button &button = *host.button;
        QVERIFY(button.image4().height() == 1 && button.label1().height() == 1);
        // Before the first resize pass the face covers only its design height, so the
        // bottom strip is bare surface, which only clicks.
        QSignalSpy clicks(&button, &Button::Click);
        QTest::mouseClick(&button, Qt::RightButton, {}, QPoint(10, 86));
        QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 86));
        QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(clicks.count() == 1 && !button.image5().picture());
        button.setObjectName(u"commando9"_s);
        QSignalSpy told(&button, &Button::propertyChanged);
        button.UserControl_InitProperties();
        QCOMPARE(button.Caption(), u"commando9"_s);
        QCOMPARE(button.Buttonset(), u"0"_s);
        QVERIFY(button.ButtonPicture() && !holdsImage(button.ButtonPicture()));
        QCOMPARE(button.Font(), host.window.font());
        QCOMPARE(button.label1().font(), Fonts::font(u"Arial"_s, 11, true, true));
        QVERIFY(button.Enabled() == -1 && button.label1().foreColor() == Colours::SystemButtonText);
        // The caption reaches its label only with the first resize pass.
        QVERIFY(button.label1().text().isEmpty() && button.AccessKeys().isEmpty());
        host.window.show();
        QCOMPARE(button.label1().text(), u"commando9"_s);

        button.setEnabled(false);
        QVERIFY(!button.isEnabled() && button.Enabled() == 0);
        QCOMPARE(button.label1().foreColor(), OleColor(0x00BCBCC0));
        button.setCaption(button.Caption());
        QCOMPARE(button.label1().foreColor(), OleColor(0x00BCBCC0));
        button.setCaption(u"&Tipp && mehr"_s);
        QCOMPARE(button.label1().foreColor(), OleColor(0x00C8C8C8));
        QCOMPARE(QAccessible::queryAccessibleInterface(&button)->text(QAccessible::Name),
                 u"Tipp & mehr"_s);
        QCOMPARE(QAccessible::queryAccessibleInterface(&button)->role(), QAccessible::Button);
        button.setEnabled(false);
        button.setTextColor(0x0000FF00);
        QCOMPARE(button.label1().foreColor(), OleColor(0x00C8C8C8));
        button.setEnabled(true);
        QVERIFY(button.isEnabled() && button.Enabled() == -1);
        QCOMPARE(button.label1().foreColor(), OleColor(0x0000FF00));
        button.setButtonset(button.Buttonset());
        button.setButtonPicture(button.ButtonPicture());
        QStringList names;
        for (const QList<QVariant> &arguments : told)
            names << arguments.at(0).toString();
        QCOMPARE(names, QStringList({u"Font"_s, u"TextColor"_s, u"Enabled"_s, u"Enabled"_s,
                                     u"Caption"_s, u"Caption"_s, u"Enabled"_s, u"TextColor"_s,
                                     u"Enabled"_s, u"Buttonset"_s, u"ButtonPicture"_s}));
    }

    void skinSets_data()
    {
        QTest::addColumn<QStringList>("buttonsets");
        QTest::addColumn<QString>("normal");

        for (int set = 1; set <= 13; ++set)
            QTest::addRow("skin set %d", set) << QStringList{QString::number(set)}
                                              << u"normal%1.bmp"_s.arg(set, 2, 10, QChar(u'0'));
        QTest::newRow("14 is yellow") << QStringList{u"14"_s} << u"normal01.bmp"_s;
        QTest::newRow("20 is yellow") << QStringList{u"20"_s} << u"normal01.bmp"_s;
        QTest::newRow("13.5 is yellow") << QStringList{u"13.5"_s} << u"normal01.bmp"_s;
        QTest::newRow("leading number") << QStringList{u"7 Cyan"_s} << u"normal07.bmp"_s;
        QTest::newRow("2.5 keeps the face") << QStringList{u"5"_s, u"2.5"_s} << u"normal05.bmp"_s;
        QTest::newRow("-1 keeps the face") << QStringList{u"9"_s, u"-1"_s} << u"normal09.bmp"_s;
        QTest::newRow("0 as a new text") << QStringList{u"0.0"_s} << u"initial.bmp"_s;
        QTest::newRow("empty text") << QStringList{QString()} << u"initial.bmp"_s;
        QTest::newRow("initial text 0 applies nothing") << QStringList{u"0"_s} << u"initial.bmp"_s;
    }

    void skinSets()
    {
        QFETCH(QStringList, buttonsets);
        QFETCH(QString, normal);
        const auto button = shownButton(1950, 1320, u"Tipp"_s);
        for (const QString &buttonset : buttonsets)
            button->setButtonset(buttonset);
        QVERIFY(holdsSkin(button->image1(), normal));
        // Any text but the label's initial "0" installs the cream pressed face.
        const bool initial = buttonsets == QStringList{u"0"_s};
        QVERIFY(holdsSkin(button->image2(), initial ? u"initial-pressed.gif"_s : u"pressed.bmp"_s));
    }

    // Hues in degrees, [-1, -1] for grey; bevel +1 raised, -1 sunken, 0 flat.
    void faceFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("bits");
        QTest::addColumn<QList<int>>("hues");
        QTest::addColumn<int>("bevel");
        const QList<QList<int>> hues{{40, 60},   {-1, -1},   {90, 150}, {310, 345}, {5, 20},
                                     {205, 235}, {175, 200}, {20, 40},  {50, 70},   {110, 150},
                                     {290, 315}, {-10, 5},   {195, 220}};
        for (int set = 1; set <= 13; ++set)
            QTest::addRow("face of skin set %d", set)
                << u"normal%1.bmp"_s.arg(set, 2, 10, QChar(u'0')) << QSize(set <= 3 ? 128 : 147, 87)
                << (set == 11 ? 32 : 24) << hues[set - 1] << 1;
        QTest::newRow("initial light blue face")
            << u"initial.bmp"_s << QSize(128, 87) << 24 << QList<int>{195, 220} << 1;
        QTest::newRow("cream pressed face")
            << u"pressed.bmp"_s << QSize(128, 87) << 24 << QList<int>{35, 55} << -1;
        QTest::newRow("initial pressed face")
            << u"initial-pressed.gif"_s << QSize(96, 64) << 8 << QList<int>{200, 230} << 0;
    }

    void faceFiles()
    {
        QFETCH(QString, file);
        QFETCH(QSize, size);
        QFETCH(int, bits);
        QFETCH(QList<int>, hues);
        QFETCH(int, bevel);
        QFile resource(skin(file));
        QVERIFY(resource.open(QIODevice::ReadOnly));
        const QByteArray bytes = resource.readAll();
        const QImage face = QImage::fromData(bytes);
        QCOMPARE(face.size(), size);
        // The GIF is the initial pressed face; the rest are uncompressed, bottom-up bitmaps.
        QCOMPARE(bytes.left(bits == 8 ? 6 : 2), QByteArray(bits == 8 ? "GIF87a" : "BM"));
        if (bits != 8) {
            QCOMPARE(qFromLittleEndian<quint32>(bytes.constData() + 2), quint32(bytes.size()));
            QCOMPARE(qFromLittleEndian<qint32>(bytes.constData() + 22), size.height());
            QCOMPARE(qFromLittleEndian<quint16>(bytes.constData() + 28), bits);
            QCOMPARE(qFromLittleEndian<quint32>(bytes.constData() + 30), 0u);
        }
        const QColor centre = face.pixelColor(size.width() / 2, size.height() / 2);
        const int hue = centre.hsvHue() > 345 ? centre.hsvHue() - 360 : centre.hsvHue();
        QVERIFY2(hue >= hues[0] && hue <= hues[1], qPrintable(centre.name()));
        // Inside the outline: the upper-left bevel against the lower-right one.
        const float upperLeft = face.pixelColor(2, 2).lightnessF();
        const float lowerRight = face.pixelColor(size.width() - 3, size.height() - 3).lightnessF();
        QCOMPARE(upperLeft > lowerRight + 0.1f ? 1 : lowerRight > upperLeft + 0.1f ? -1 : 0, bevel);
        QVERIFY(face.pixelColor(0, 0).lightnessF() < centre.lightnessF());
    }

    // Anyone can remake the faces: the generator gives the committed bytes exactly.
    void facesAreTheGeneratorsOutput()
    {
        const std::vector<SkinFile> files = skinFiles();
        QCOMPARE(files.size(), std::size_t(16));
        for (const SkinFile &file : files) {
            QFile resource(skin(QString::fromStdString(file.name)));
            QVERIFY(resource.open(QIODevice::ReadOnly));
            QCOMPARE(resource.readAll(),
                     QByteArray(reinterpret_cast<const char *>(file.bytes.data()),
                                qsizetype(file.bytes.size())));
        }
    }

    // An empty caption (height 0) and pictures of whole twips keep the sums exact on a
    // control of 1950 × 150 twips. Expected: picture top, caption top and left, picture rest top.
    void arrangeContent_data()
    {
        QTest::addColumn<int>("pictureHeight");
        QTest::addColumn<QList<float>>("expected");

        QTest::newRow("caption fits under the picture") << 20 << QList<float>{65, 85, 25, 65};
        QTest::newRow("rest top 64.5 rounds to even") << 21 << QList<float>{64.5, 85.5, 25, 64};
        QTest::newRow("rest top 63.5 rounds to even") << 23 << QList<float>{63.5, 86.5, 25, 64};
        // 50 + (150 - 50) / 2 + 0 + 50 == 150: the caption stays where the 20-twip picture put it.
        QTest::newRow("exact fit leaves the caption") << 50 << QList<float>{50, 85, 25, 50};
        QTest::newRow("no fit: caption at half height") << 51 << QList<float>{49.5, 75, 5, 50};
    }

    void arrangeContent()
    {
        QFETCH(int, pictureHeight);
        QFETCH(QList<float>, expected);
        const auto button = shownButton(1950, 150);
        button->setButtonPicture(twipPicture(1, 20));
        button->setButtonPicture(twipPicture(1, pictureHeight));
        QCOMPARE(button->image4().left(), 974.5f);
        QCOMPARE(button->label1().width(), 1900.0f);
        QCOMPARE((QList<float>{button->image4().top(), button->label1().top(),
                               button->label1().left(), float(button->pictureRestTop())}),
                 expected);
    }

    // Without a picture the caption and 1 twip are the content. Below 50 twips of width
    // the caption's width is held at 0; rest tops past 16 bits are held at the ends.
    void lowNarrowAndVeryTallControls()
    {
        const auto low = shownButton(1950, 300, u"Ermittle\r\nseltene / häufige\r\nZahlen"_s);
        const float content = low->label1().height() + 1;
        QCOMPARE(low->image4().top(), (300 - content) / 2);
        QCOMPARE((QList<float>{low->label1().top(), low->label1().left()}), (QList<float>{150, 5}));

        const auto tall = shownButton(1950, 75000, u"Tipp"_s);
        QVERIFY(tall->captionRestTop() == 32767 && tall->pictureRestTop() == 32767);
        QTest::mousePress(tall.get(), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(tall->label1().top(), 32752.0f);
        QTest::mouseRelease(tall.get(), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(tall->label1().top(), 32767.0f);

        const auto narrow = shownButton(30, 1320, u"Tipp  erstellen"_s);
        QCOMPARE(narrow->label1().width(), 0.0f);
        QVERIFY(narrow->label1().height() >= 2 * tall->label1().height());
        narrow->resize(0, 0);
        QVERIFY(narrow->label1().width() == 0 && narrow->label1().top() == 0);
    }

    void pressAndRelease_data()
    {
        QTest::addColumn<Qt::MouseButton>("mouseButton");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QString>("how");

        // Every button is laid out alike.
        const auto button = pictureButton();
        const QPoint face(3, 3), picture = button->image4().rect().center().toPoint(),
                                 caption = button->label1().rect().center().toPoint();
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

    // Events go through the window, as the platform delivers them. Only an enabled press
    // shows the pressed look, not the second of a double click, and never moves the lefts;
    // every release clicks unless the setter disabled the control.
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
        const QList<float> lefts{button->image4().left(), button->label1().left()};
        QSignalSpy clicks(button.get(), &Button::Click);
        if (how == u"double click"_s) {
            QTest::mouseClick(button->windowHandle(), mouseButton, modifiers, at);
            // QTest moves its clock on after a release so that presses do not pair up; undo that.
            QTest::lastMouseTimestamp -= QTest::mouseDoubleClickInterval;
        }
        QTest::mousePress(button->windowHandle(), mouseButton, modifiers, at);
        const bool pressedLook = how.isEmpty() || how == u"outside"_s;
        verifyLook(*button, pressedLook ? u"pressed.bmp"_s : u"normal04.bmp"_s,
                   pressedLook ? 15 : 0);
        QCOMPARE(clicks.count(), how == u"double click"_s ? 1 : 0);
        if (how == u"outside"_s) {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"outside target window"_s));
            at = QPoint(-40, button->height() + 40);
        }
        QTest::mouseRelease(button->windowHandle(), mouseButton, modifiers, at);
        verifyLook(*button, u"normal04.bmp"_s);
        QCOMPARE((QList<float>{button->image4().left(), button->label1().left()}), lefts);
        QCOMPARE(clicks.count(), how == u"setter"_s ? 0 : how == u"double click"_s ? 2 : 1);
    }

    // Pressed places come from the rest tops, so a second press adds nothing. Layout work goes
    // on while pressed: the empty reference moves nothing, an empty picture object arranges
    // anew, and only a full re-layout shows the normal face again.
    void layoutWhilePressed()
    {
        const auto button = pictureButton();
        QSignalSpy clicks(button.get(), &Button::Click);
        const QPoint at = button->label1().rect().center().toPoint();
        QTest::mousePress(button.get(), Qt::LeftButton, {}, at);
        QTest::mousePress(button.get(), Qt::RightButton, {}, at);
        button->setButtonset(u"4"_s);
        button->setButtonPicture(Picture());
        verifyLook(*button, u"pressed.bmp"_s, 15);
        QVERIFY(!button->image4().picture() && button->image4().height() == 300);
        button->setButtonPicture(LoadPicture());
        QVERIFY(button->image4().picture() && !button->image4().hasPicture());
        verifyLook(*button, u"pressed.bmp"_s);
        QTest::mouseRelease(button.get(), Qt::RightButton, {}, at);
        QTest::mouseRelease(button.get(), Qt::LeftButton, {}, at);

        QTest::mousePress(button.get(), Qt::LeftButton, {}, at);
        button->setCaption(button->Caption());
        verifyLook(*button, u"pressed.bmp"_s);
        button->setCaption(u"Ziehung wird durchgeführt"_s);
        verifyLook(*button, u"normal04.bmp"_s);
        QTest::mouseRelease(button.get(), Qt::LeftButton, {}, at);

        QTest::mousePress(button.get(), Qt::LeftButton, {}, at);
        button->resize(button->width() + 5, button->height());
        verifyLook(*button, u"normal04.bmp"_s);
        button->setButtonset(u"11"_s);
        QTest::mouseRelease(button.get(), Qt::LeftButton, {}, at);
        verifyLook(*button, u"normal11.bmp"_s);
        QCOMPARE(clicks.count(), 4);
    }

    // Reading tells the host of nothing, sets no access key and matches keys in any case.
    // Writing skips a refused entry and drops those equal to their defaults, but always keeps
    // "Caption" and "Buttonset"; a written set reads back to the same control.
    void storedProperties()
    {
        Host first;
        Button &button = *first.button;
        QSignalSpy told(&button, &Button::propertyChanged);
        button.UserControl_ReadProperties(PropertyBag());
        QVERIFY(button.Caption().isEmpty() && button.Buttonset().isEmpty() &&
                !button.ButtonPicture());
        QVERIFY(button.isEnabled() && button.Enabled() == -1);
        QCOMPARE(button.Font(), first.window.font());
        QCOMPARE(button.TextColor(), Colours::SystemButtonText);
        // "" is a new skin-set text; the empty caption keeps the label's own font.
        QVERIFY(holdsSkin(button.image2(), u"pressed.bmp"_s));
        QCOMPARE(button.label1().font(), Fonts::font(u"Courier New"_s, 8.25));
        PropertyBag plain;
        button.UserControl_WriteProperties(plain);
        QCOMPARE(plain.keys(), QStringList({u"Caption"_s, u"Buttonset"_s}));

        // The caption's resize pass applies the skin set, whose own pass nests in it;
        // the outer pass has the last word on the rest tops.
        button.UserControl_ReadProperties(bag(R"({"CAPTION": "&Los", "buttonset": "3"})"));
        QCOMPARE(button.label1().text(), u"&Los"_s);
        QCOMPARE(button.label1().font(), Fonts::font(u"Arial"_s, 11, true, true));
        verifyLook(button, u"normal03.bmp"_s);

        // A value of the wrong type ends reading there, with the steps before it taken.
        const PropertyBag wrong =
            bag(R"({"caption": "Tipp", "buttonset": "5", "textcolor": "rot", "enabled": false})");
        QVERIFY_THROWS_EXCEPTION(PropertyTypeError, button.UserControl_ReadProperties(wrong));
        QCOMPARE(button.Caption(), u"Tipp"_s);
        QCOMPARE(button.Buttonset(), u"5"_s);
        QVERIFY(button.label2().text() == u"3"_s && button.Enabled() == -1);
        QVERIFY(button.AccessKeys().isEmpty() && told.isEmpty());

        button.setCaption(u"Ermittle\r\nZahlen"_s);
        button.setButtonset(u"12"_s);
        button.setFont(Fonts::font(u"Arial Narrow"_s, 13.5, false, true));
        button.setTextColor(0x000000C0);
        button.setButtonPicture(twipPicture(150, 150));
        button.setEnabled(false);
        PropertyBag written;
        button.UserControl_WriteProperties(written);
        QCOMPARE(written.keys(), QStringList({u"ButtonPicture"_s, u"Caption"_s, u"Enabled"_s,
                                              u"Buttonset"_s, u"Font"_s, u"TextColor"_s}));
        PropertyBag refusing = bag(R"({"caption": "alt"})");
        refusing.setReadOnly(u"Caption"_s);
        button.UserControl_WriteProperties(refusing);
        QCOMPARE(refusing.keys().size(), 6);

        Host second;
        second.button->UserControl_ReadProperties(written);
        // The picture setter left the caption's rest top to the next resize pass.
        QCOMPARE_NE(second.button->captionRestTop(), button.captionRestTop());
        first.window.show();
        second.window.show();
        const Button &copy = *second.button;
        for (const char *property :
             {"Caption", "Buttonset", "Font", "TextColor", "Enabled", "ButtonPicture"})
            QCOMPARE(copy.property(property), button.property(property));
        QCOMPARE(copy.label1().font(), button.label1().font());
        QCOMPARE(copy.image5().picture(), button.image5().picture());
        QCOMPARE(copy.pictureRestTop(), button.pictureRestTop());
        QCOMPARE(copy.captionRestTop(), button.captionRestTop());
        QCOMPARE(copy.label1().foreColor(), OleColor(0x00C8C8C8));
    }
};

QTEST_MAIN(tst_Button)
#include "tst_button.moc"
