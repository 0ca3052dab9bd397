#include "ColourLabel.h"
#include "ComboBox.h"
#include "Fonts.h"
#include "IconFile.h"
#include "NumberFormat.h"
#include "TextElement.h"
#include "Timer.h"

#include <QElapsedTimer>
#include <QImageReader>
#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
TextElement caption(const QString &text, float widthTwips)
{
    TextElement element({}, true, true);
    element.setFont(Fonts::font(u"Arial"_s, 12));
    element.setWidth(widthTwips);
    element.setText(text);
    return element;
}

// A caption's pixels or, given plain, those of plain text that QPainter draws into its box.
QImage rendered(const QString &text, const QString &plain = {}, bool underline = false)
{
    const TextElement element = caption(text, 1500);
    QImage image(100, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font = element.font();
    font.setUnderline(underline);
    painter.setFont(font);
    painter.drawText(element.rect(), Qt::AlignHCenter | Qt::TextWordWrap, plain);
    if (plain.isEmpty())
        element.paint(painter, QPalette());
    return image;
}

QRect ink(const QImage &image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                box |= QRect(x, y, 1, 1);
    return box;
}
} // namespace

class tst_Toolkit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { Fonts::registerSubstitutions(); }

    void numericValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("leading point") << u".5"_s << 0.5;
        QTest::newRow("leading blank and tab") << u" \t20"_s << 20.0;
        QTest::newRow("exponent 1e2") << u"1e2"_s << 100.0;
        QTest::newRow("blank between sign and digits") << u"- 3"_s << 0.0;
        QTest::newRow("comma is no decimal point") << u"1,5"_s << 1.0;
        QTest::newRow("full-width digits") << u"\uFF11\uFF10"_s << 0.0;
        QTest::newRow("negative beyond double range") << u"-1e400"_s << -qInf();
    }

    void numericValue()
    {
        QFETCH(QString, text);
        QTEST(::numericValue(text), "value");
    }

    // Centred ink; a label's first baseline lies the face's win ascent below its top, so a "1"
    // of a result cell's Arial Narrow 38 px ends on row 34.
    void labelInk()
    {
        ColourLabel label;
        label.resize(90, 60);
        label.setFont(Fonts::font(u"Arial"_s, 12));
        label.setBackColor(Colours::White);
        label.setForeColor(Colours::Black);
        label.setAlignment(Qt::AlignHCenter);
        label.setCaption(u"7"_s);
        const QRect centred = ink(label.grab().toImage());
        QCOMPARE_LE(std::abs(centred.left() - (label.width() - 1 - centred.right())), 1);
        label.resize(49, 41);
        label.setBorder(true);
        label.setFont(Fonts::font(u"Arial Narrow"_s, 28.5));
        label.setCaption(u"1"_s);
        const QRect inside = label.rect().adjusted(1, 1, -1, -1);
        QCOMPARE_LE(std::abs(ink(label.grab().toImage().copy(inside)).bottom() - 34), 1);
    }

    void labelsAndCombo()
    {
        // System colours paint in the palette's colour of their number.
        ColourLabel c(nullptr, 3);
        QPalette palette;
        for (const auto &[bits, role] :
             {std::pair(0x80000005u, QPalette::Base), std::pair(0x80000008u, QPalette::Text),
              std::pair(0x80000012u, QPalette::ButtonText)}) {
            palette.setColor(role, QColor(int(bits & 0xFF), 1, 2));
            c.setPalette(palette);
            c.setBackColor(oleColor(bits));
            QCOMPARE(c.grab().toImage().pixelColor(5, 5), palette.color(role));
        }

        c.show();
        QSignalSpy clicks(&c, &ColourLabel::Click);
        QTest::mouseClick(&c, Qt::LeftButton);
        QTest::mousePress(&c, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(&c, Qt::LeftButton, {}, QPoint(c.width() + 5, 5));
        QTest::mouseClick(&c, Qt::RightButton);
        QCOMPARE(clicks.count(), 1);

        // The depth box: no completion of "2" to "20", and typing adds no item.
        ComboBox combo;
        combo.addItems({u"1"_s, u"5"_s, u"10"_s, u"20"_s, u"200"_s});
        combo.show();
        QVERIFY(QTest::qWaitForWindowActive(&combo)); // completion needs the focus
        combo.setText(QString());
        QTest::keyClicks(combo.lineEdit(), u"2\r"_s);
        QCOMPARE(combo.Text(), u"2"_s);
        QCOMPARE(combo.count(), 5);
    }

    // Real time on a loaded machine: a period restarted by switching on again ticks at 1500 ms.
    void timerSwitchedOnAgainKeepsItsPhase()
    {
        Timer timer(1000);
        QSignalSpy ticks(&timer, &Timer::tick);
        QElapsedTimer clock;
        clock.start();
        timer.setEnabled(true);
        QTest::qWait(500);
        timer.setEnabled(true);
        QVERIFY(ticks.count() > 0 || ticks.wait(5000));
        const qint64 firstTick = clock.elapsed();
        QVERIFY2(firstTick >= 900 && firstTick < 1400, qPrintable(QString::number(firstTick)));
    }

    void textElement()
    {
        const float oneLine = caption(u"Tipp"_s, 1920).height();
        const float threeLines = caption(u"A\r\nB\r\nC"_s, 1920).height();
        QVERIFY(oneLine > 0 && threeLines > 2.5f * oneLine && threeLines < 3.5f * oneLine);
        TextElement wrapped = caption(u"Ziehung wird durchgeführt"_s, 3000);
        QCOMPARE(wrapped.height(), oneLine);
        wrapped.setWidth(600);
        QVERIFY(wrapped.height() > 2.5f * oneLine);

        QCOMPARE(rendered(u"&x"_s), rendered(u"&x"_s, u"x"_s, true));
        QCOMPARE(rendered(u"&&"_s), rendered(u"&&"_s, u"&"_s));
    }

    // Read by hand for the masks: Qt's reader gives the colours but leaves the corners opaque.
    void iconImages()
    {
        const QList<QImage> images = readIconImages(QStringLiteral(KUGELFIX_ICON));
        QImageReader reader(QStringLiteral(KUGELFIX_ICON));
        QCOMPARE(images.size(), 3);
        for (int i = 0; i < 3; ++i) {
            const int size = 64 - 16 * i;
            QCOMPARE(images[i].size(), QSize(size, size));
            QCOMPARE(images[i].pixelColor(0, 0).alpha(), 0);
            QCOMPARE(images[i].pixelColor(size / 2, size / 6).alpha(), 255);
#if QT_CONFIG(ico) // a Qt without its ICO reader, which the program never needs, skips this
            QVERIFY2(reader.jumpToImage(i), qPrintable(reader.errorString()));
            QCOMPARE(images[i].pixel(size / 2, size / 2), reader.read().pixel(size / 2, size / 2));
#endif
        }
    }
};

QTEST_MAIN(tst_Toolkit)
#include "tst_toolkit.moc"
