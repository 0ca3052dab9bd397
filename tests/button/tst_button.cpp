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

#include <algorithm>
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

class TestButton : public QObject
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
        if (!caption.isEmpty())
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
        QTest::newRow("plain caption keeps it") << QStringList{u"&Ab"_s, u"Cd"_s} << none << u"A"_s;
        QTest::newRow("first marker wins") << QStringList{u"&Zahl &Ende"_s} << none << u"Z"_s;
        QTest::newRow("marker at the end keeps it")
            << QStringList{u"&x"_s, u"Ende&"_s} << none << u"x"_s;
        QTest::newRow("doubled then single") << QStringList{u"A&&B &Cd"_s} << none << u"C"_s;
        QTest::newRow("only doubled") << QStringList{u"A&&B&&"_s} << none << none;
        QTest::newRow("skin-set number keeps it") << QStringList{u"&Los"_s} << u"3"_s << u"L"_s;
        QTest::newRow("skin-set text is scanned") << QStringList() << u"&9"_s << u"9"_s;
    }

    void accessKey()
    {
        QFETCH(QStringList, captions);
        QFETCH(QString, buttonset);
        QFETCH(QString, key);
        Button button;
        for (const QString &caption : captions)
            button.setCaption(caption);
        if (!buttonset.isNull())
            button.setButtonset(buttonset);
        QCOMPARE(button.AccessKeys(), key);
    }

    // A newly placed instance takes the host's name and font and skin set "0". The Enabled
    // setter greys the caption with &H00BCBCC0, the TextColor setter and any re-layout with
    // &H00C8C8C8. Each setter tells the host once; an unchanged caption lays nothing out.
    void newInstanceAndSetters()
    {
        Host host;
        Button &button = *host.button;
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
        QVERIFY(holdsSkin(button.image5(), u"initial.bmp"_s));
        QVERIFY(holdsSkin(button.image2(), u"initial-pressed.gif"_s));

        button.setEnabled(false);
        QVERIFY(!button.isEnabled() && button.Enabled() == 0);
        QCOMPARE(button.label1().foreColor(), OleColor(0x00BCBCC0));
        button.setCaption(button.Caption());
        QCOMPARE(button.label1().foreColor(), OleColor(0x00BCBCC0));
        button.setCaption(u"&Tipp && mehr"_s);
        QCOMPARE(button.label1().foreColor(), OleColor(0x00C8C8C8));
        QCOMPARE(button.accessibleName(), u"Tipp & mehr"_s);
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

    void faceFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("bits");

        for (int set = 1; set <= 13; ++set)
            QTest::addRow("face of skin set %d", set)
                << u"normal%1.bmp"_s.arg(set, 2, 10, QChar(u'0')) << QSize(set <= 3 ? 128 : 147, 87)
                << (set == 11 ? 32 : 24);
        QTest::newRow("initial face") << u"initial.bmp"_s << QSize(128, 87) << 24;
        QTest::newRow("pressed face") << u"pressed.bmp"_s << QSize(128, 87) << 24;
        QTest::newRow("initial pressed face") << u"initial-pressed.gif"_s << QSize(96, 64) << 8;
    }

    void faceFiles()
    {
        QFETCH(QString, file);
        QFETCH(QSize, size);
        QFETCH(int, bits);
        QFile resource(skin(file));
        QVERIFY(resource.open(QIODevice::ReadOnly));
        const QByteArray bytes = resource.readAll();
        QCOMPARE(QImage::fromData(bytes).size(), size);
        if (bits == 8) {
            QCOMPARE(bytes.left(6), QByteArray("GIF87a"));
        } else {
            // An uncompressed, bottom-up (positive height) Windows bitmap.
            QCOMPARE(bytes.left(2), QByteArray("BM"));
            QCOMPARE(qFromLittleEndian<quint32>(bytes.constData() + 2), quint32(bytes.size()));
            QCOMPARE(qFromLittleEndian<qint32>(bytes.constData() + 22), size.height());
            QCOMPARE(qFromLittleEndian<quint16>(bytes.constData() + 28), bits);
            QCOMPARE(qFromLittleEndian<quint32>(bytes.constData() + 30), 0u);
        }
        // Anyone can remake the faces: the generator gives the committed bytes exactly.
        const std::vector<SkinFile> made = skinFiles();
        const auto same = std::ranges::find(made, file.toStdString(), &SkinFile::name);
        QVERIFY(same != made.end());
        QCOMPARE(bytes, QByteArray(reinterpret_cast<const char *>(same->bytes.data()),
                                   qsizetype(same->bytes.size())));
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
        QCOMPARE(tall->captionRestTop(), qint16(32767));
        QCOMPARE(tall->pictureRestTop(), qint16(32767));
        QTest::mousePress(tall.get(), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(tall->label1().top(), 32752.0f);
        QTest::mouseRelease(tall.get(), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(tall->label1().top(), 32767.0f);

        const auto narrow = shownButton(30, 1320, u"Tipp  erstellen"_s);
        QCOMPARE(narrow->label1().width(), 0.0f);
        QVERIFY(narrow->label1().height() >= 2 * tall->label1().height());
        narrow->resize(0, 0);
        QCOMPARE((QList<float>{narrow->label1().width(), narrow->label1().top()}),
                 (QList<float>{0, 0}));
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

    // Events go through the window, as the platform delivers them. The second press of a
    // double click shows nothing; every release clicks unless the setter disabled the control.
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
        QSignalSpy clicks(button.get(), &Button::Click);
        QWindow *window = button->windowHandle();
        if (how == u"double click"_s) {
            QTest::mouseClick(window, mouseButton, modifiers, at);
            // QTest moves its clock on after a release so that presses do not pair up; undo that.
            QTest::lastMouseTimestamp -= QTest::mouseDoubleClickInterval;
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
        QCOMPARE(clicks.count(), how == u"setter"_s ? 0 : how == u"double click"_s ? 2 : 1);
    }

    // Pressed places come from the rest tops, so a second press adds nothing. Layout work
    // goes on while pressed; only a full re-layout shows the normal face again.
    void layoutWhilePressed()
    {
        const auto button = pictureButton();
        QSignalSpy clicks(button.get(), &Button::Click);
        const QPoint at = button->label1().rect().center().toPoint();
        QTest::mousePress(button.get(), Qt::LeftButton, {}, at);
        QTest::mousePress(button.get(), Qt::RightButton, {}, at);
        button->setButtonset(u"4"_s);
        // The empty reference clears the picture and moves nothing.
        button->setButtonPicture(Picture());
        verifyLook(*button, u"pressed.bmp"_s, 15);
        QVERIFY(!button->image4().picture() && button->image4().height() == 300);
        // An empty picture object counts as a picture: the content is arranged anew.
        button->setButtonPicture(LoadPicture());
        QVERIFY(button->image4().picture() && !button->image4().hasPicture());
        verifyLook(*button, u"pressed.bmp"_s);
        QTest::mouseRelease(button.get(), Qt::RightButton, {}, at);
        QTest::mouseRelease(button.get(), Qt::LeftButton, {}, at);
        QCOMPARE(clicks.count(), 2);

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

    // Reading tells the host of no change and sets no access key, and keys match in any
    // case. Writing drops entries equal to their defaults except "Caption" and "Buttonset";
    // the written set reads back to the same control.
    void storedProperties()
    {
        Host first;
        Button &button = *first.button;
        QSignalSpy told(&button, &Button::propertyChanged);
        button.UserControl_ReadProperties(PropertyBag());
        QVERIFY(button.Caption().isEmpty() && button.Buttonset().isEmpty());
        QVERIFY(!button.ButtonPicture() && button.isEnabled() && button.Enabled() == -1);
        QCOMPARE(button.Font(), first.window.font());
        QCOMPARE(button.TextColor(), Colours::SystemButtonText);
        // "" differs from the label's initial "0", so the skin routine runs; the empty
        // caption keeps the label's own font.
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
        QVERIFY(holdsSkin(button.image5(), u"normal03.bmp"_s));
        QCOMPARE(button.captionRestTop(), rounded(button.label1().top()));
        QCOMPARE(button.pictureRestTop(), rounded(button.image4().top()));

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

        Host second;
        second.button->UserControl_ReadProperties(written);
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

QTEST_MAIN(TestButton)
#include "tst_button.moc"
