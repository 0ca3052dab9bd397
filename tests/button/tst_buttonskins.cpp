#include "SkinCatalogue.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QTest>
#include <QtEndian>

using namespace Qt::StringLiterals;

namespace {
QByteArray resource(const QString &name)
{
    QFile file(u":/button/skins/"_s + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint32 le32(const QByteArray &bytes, int at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint16 le16(const QByteArray &bytes, int at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

// Mean lightness of a strip one pixel inside the outline.
double edgeLightness(const QImage &face, bool upperLeft)
{
    const int inset = upperLeft ? 1 : -2;
    const int row = upperLeft ? inset : face.height() + inset;
    const int column = upperLeft ? inset : face.width() + inset;
    double sum = 0;
    int count = 0;
    for (int x = 4; x < face.width() - 4; ++x, ++count)
        sum += QColor(face.pixel(x, row)).lightnessF();
    for (int y = 4; y < face.height() - 4; ++y, ++count)
        sum += QColor(face.pixel(column, y)).lightnessF();
    return sum / count;
}

enum class Bevel
{
    Raised,
    Sunken,
    Flat
};
} // namespace

Q_DECLARE_METATYPE(Bevel)

class TestButtonSkins : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void committedFacesAreTheGeneratorsOutput();
    void faces_data();
    void faces();
};

// Anyone can remake the faces: the generator gives the committed bytes exactly.
void TestButtonSkins::committedFacesAreTheGeneratorsOutput()
{
    const std::vector<SkinFile> files = skinFiles();
    QCOMPARE(files.size(), std::size_t(16));
    for (const SkinFile &file : files) {
        const QByteArray generated(reinterpret_cast<const char *>(file.bytes.data()),
                                   qsizetype(file.bytes.size()));
        QCOMPARE(resource(QString::fromLatin1(file.name)), generated);
    }
}

void TestButtonSkins::faces_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("bits");
    // Hue range in degrees; -1 to -1 for grey.
    QTest::addColumn<int>("hueFrom");
    QTest::addColumn<int>("hueTo");
    QTest::addColumn<Bevel>("bevel");

    QTest::newRow("set 1 yellow") << u"normal01.bmp"_s << 128 << 87 << 24 << 40 << 60
                                  << Bevel::Raised;
    QTest::newRow("set 2 light grey")
        << u"normal02.bmp"_s << 128 << 87 << 24 << -1 << -1 << Bevel::Raised;
    QTest::newRow("set 3 green") << u"normal03.bmp"_s << 128 << 87 << 24 << 90 << 150
                                 << Bevel::Raised;
    QTest::newRow("set 4 pink") << u"normal04.bmp"_s << 147 << 87 << 24 << 310 << 345
                                << Bevel::Raised;
    QTest::newRow("set 5 salmon") << u"normal05.bmp"_s << 147 << 87 << 24 << 5 << 20
                                  << Bevel::Raised;
    QTest::newRow("set 6 blue") << u"normal06.bmp"_s << 147 << 87 << 24 << 205 << 235
                                << Bevel::Raised;
    QTest::newRow("set 7 cyan") << u"normal07.bmp"_s << 147 << 87 << 24 << 175 << 200
                                << Bevel::Raised;
    QTest::newRow("set 8 peach") << u"normal08.bmp"_s << 147 << 87 << 24 << 20 << 40
                                 << Bevel::Raised;
    QTest::newRow("set 9 olive") << u"normal09.bmp"_s << 147 << 87 << 24 << 50 << 70
                                 << Bevel::Raised;
    QTest::newRow("set 10 dark green")
        << u"normal10.bmp"_s << 147 << 87 << 24 << 110 << 150 << Bevel::Raised;
    QTest::newRow("set 11 magenta at 32 bits")
        << u"normal11.bmp"_s << 147 << 87 << 32 << 290 << 315 << Bevel::Raised;
    QTest::newRow("set 12 red") << u"normal12.bmp"_s << 147 << 87 << 24 << -10 << 5
                                << Bevel::Raised;
    QTest::newRow("set 13 light blue")
        << u"normal13.bmp"_s << 147 << 87 << 24 << 195 << 220 << Bevel::Raised;
    QTest::newRow("initial light blue")
        << u"initial.bmp"_s << 128 << 87 << 24 << 195 << 220 << Bevel::Raised;
    QTest::newRow("pressed cream")
        << u"pressed.bmp"_s << 128 << 87 << 24 << 35 << 55 << Bevel::Sunken;
    QTest::newRow("initial pressed pale blue-grey")
        << u"initial-pressed.gif"_s << 96 << 64 << 8 << 200 << 230 << Bevel::Flat;
}

void TestButtonSkins::faces()
{
    QFETCH(QString, file);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, bits);
    QFETCH(int, hueFrom);
    QFETCH(int, hueTo);
    QFETCH(Bevel, bevel);

    const QByteArray bytes = resource(file);
    if (file.endsWith(u".gif"_s)) {
        QCOMPARE(bytes.left(6), QByteArray("GIF87a"));
        QCOMPARE(le16(bytes, 6), width);
        QCOMPARE(le16(bytes, 8), height);
    } else {
        QVERIFY(bytes.size() >= 54);
        QCOMPARE(bytes.left(2), QByteArray("BM"));
        QCOMPARE(le32(bytes, 2), quint32(bytes.size()));
        QCOMPARE(qint32(le32(bytes, 18)), width);
        QCOMPARE(qint32(le32(bytes, 22)), height); // positive: bottom-up
        QCOMPARE(le16(bytes, 28), bits);
        QCOMPARE(le32(bytes, 30), 0u); // uncompressed
    }

    const QImage face = QImage::fromData(bytes);
    QCOMPARE(face.size(), QSize(width, height));
    const QColor centre(face.pixel(width / 2, height / 2));
    if (hueTo < 0) {
        QVERIFY2(centre.hsvSaturationF() < 0.08, qPrintable(centre.name()));
    } else {
        QVERIFY2(centre.hsvSaturationF() > 0.08, qPrintable(centre.name()));
        // Red straddles 0 degrees.
        const int hue =
            hueFrom < 0 && centre.hsvHue() > 180 ? centre.hsvHue() - 360 : centre.hsvHue();
        QVERIFY2(hue >= hueFrom && hue <= hueTo,
                 qPrintable(u"%1 has hue %2"_s.arg(centre.name()).arg(hue)));
    }
    const double light = edgeLightness(face, true);
    const double dark = edgeLightness(face, false);
    switch (bevel) {
    case Bevel::Raised:
        QVERIFY2(light > dark + 0.15, qPrintable(u"%1 against %2"_s.arg(light).arg(dark)));
        break;
    case Bevel::Sunken:
        QVERIFY2(dark > light + 0.15, qPrintable(u"%1 against %2"_s.arg(light).arg(dark)));
        break;
    case Bevel::Flat:
        QVERIFY(qAbs(light - dark) < 0.02);
        break;
    }
    // A thin dark outline all round.
    QVERIFY(QColor(face.pixel(0, 0)).lightnessF() < centre.lightnessF());
    QVERIFY(QColor(face.pixel(width - 1, height - 1)).lightnessF() < centre.lightnessF());
}

QTEST_GUILESS_MAIN(TestButtonSkins)
#include "tst_buttonskins.moc"
