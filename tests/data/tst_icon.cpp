#include "IconFile.h"

#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

class tst_Icon : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void iconHoldsThreeTrueColourImages();
    void damagedIconFilesGiveWhatTheyHold();
};

void tst_Icon::iconHoldsThreeTrueColourImages()
{
    QFile file(QStringLiteral(KUGELFIX_ICON));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();
    const auto u16 = [&](qsizetype at) {
        return qFromLittleEndian<quint16>(data.constData() + at);
    };
    QCOMPARE(u16(2), quint16(1)); // an icon, not a cursor
    QCOMPARE(u16(4), quint16(3));
    const int sizes[] = {64, 48, 32};
    for (int i = 0; i < 3; ++i) {
        const qsizetype entry = 6 + 16 * i;
        QCOMPARE(quint8(data[entry]), quint8(sizes[i]));
        QCOMPARE(quint8(data[entry + 1]), quint8(sizes[i]));
        QCOMPARE(u16(entry + 6), quint16(24));
        const auto offset = qFromLittleEndian<quint32>(data.constData() + entry + 12);
        QCOMPARE(u16(offset + 14), quint16(24)); // the DIB's own bit count
    }

    QImageReader reader(QStringLiteral(KUGELFIX_ICON));
    QCOMPARE(reader.imageCount(), 3);
    const QList<QImage> images = readIconImages(QStringLiteral(KUGELFIX_ICON));
    QCOMPARE(images.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QVERIFY(reader.jumpToImage(i));
        const QImage plain = reader.read();
        const QImage &image = images[i];
        QCOMPARE(image.size(), QSize(sizes[i], sizes[i]));
        QCOMPARE(image.pixel(sizes[i] / 2, sizes[i] / 2), plain.pixel(sizes[i] / 2, sizes[i] / 2));
        // Transparent corners, an opaque ball in the middle.
        QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
        QCOMPARE(image.pixelColor(sizes[i] / 2, sizes[i] / 6).alpha(), 255);
    }
}

void tst_Icon::damagedIconFilesGiveWhatTheyHold()
{
    QFile original(QStringLiteral(KUGELFIX_ICON));
    QVERIFY(original.open(QIODevice::ReadOnly));
    const QByteArray data = original.readAll();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("damaged.ico"));
    const auto imagesOf = [&](const QByteArray &bytes) {
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(bytes);
        file.close();
        return readIconImages(path).size();
    };
    QCOMPARE(imagesOf(QByteArray()), 0);
    QCOMPARE(imagesOf(data.left(5)), 0);
    QCOMPARE(imagesOf(data.left(6 + 48 + 40)), 0);
    QVERIFY(imagesOf(data.left(data.size() - 1)) < 3);
    QByteArray hugeOffset = data;
    hugeOffset[6 + 12 + 3] = char(0x7F);
    QVERIFY(imagesOf(hugeOffset) < 3);
    QCOMPARE(readIconImages(dir.filePath(QStringLiteral("missing.ico"))).size(), 0);
}

QTEST_MAIN(tst_Icon)
#include "tst_icon.moc"
