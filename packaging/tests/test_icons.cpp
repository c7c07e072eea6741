// The icon files made at build time: the desktop theme's PNGs, the window
// icon compiled into the program, and the Windows .ico.

#include <QFile>
#include <QIcon>
#include <QImageReader>
#include <QSet>
#include <QTest>
#include <QtEndian>

namespace {

const QString kIconDir = QStringLiteral(POKORI_ICON_DIR);

bool isWhite(QColor colour)
{
    return colour.alpha() == 255 && colour.red() > 230 && colour.green() > 230 && colour.blue() > 230;
}

// The window's body fills the middle; the corners show the desktop.
void checkDrawnIcon(const QImage& image, int size)
{
    QCOMPARE(image.size(), QSize(size, size));
    QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
    QVERIFY2(isWhite(image.pixelColor(size / 2, size / 2)), "the middle is not the white window");
}

int opaqueColourCount(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) == 255)
                colours.insert(image.pixel(x, y));
        }
    }
    return int(colours.size());
}

quint16 u16(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 u32(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

int rowBytes(int width, int bits)
{
    return (width * bits + 31) / 32 * 4;
}

struct IcoPicture {
    int size;
    int colours;
    int bits;
};

const IcoPicture kIcoPictures[] = {{32, 2, 1}, {32, 16, 4}, {16, 16, 4}};

} // namespace

class TestIcons : public QObject {
    Q_OBJECT

private slots:
    void themePicture_data();
    void themePicture();
    void largePictureShowsStripAndShadow();
    void windowIconIsCompiledIn();
    void icoDirectoryAndBitmaps();
    void icoDecodes();
};

void TestIcons::themePicture_data()
{
    QTest::addColumn<int>("size");
    for (int size : {16, 32, 48, 128, 256})
        QTest::addRow("%dx%d", size, size) << size;
}

void TestIcons::themePicture()
{
    QFETCH(int, size);
    const QString path = kIconDir + QStringLiteral("/%1x%1/pokori-rescue.png").arg(size);
    QImage image;
    QVERIFY2(image.load(path), qPrintable(path));
    checkDrawnIcon(image.convertToFormat(QImage::Format_ARGB32), size);
}

void TestIcons::largePictureShowsStripAndShadow()
{
    QImage image;
    QVERIFY(image.load(kIconDir + QStringLiteral("/256x256/pokori-rescue.png")));
    const QColor strip = image.pixelColor(88, 55);
    QVERIFY2(strip.red() < 80 && strip.green() > 150 && strip.blue() > 200, "no cyan title strip");
    const QColor shadow = image.pixelColor(228, 190);
    QVERIFY2(shadow.alpha() == 255 && qAbs(shadow.red() - 144) < 16 && shadow.red() == shadow.blue(),
             "no grey shadow at the lower right");
}

void TestIcons::windowIconIsCompiledIn()
{
    const QIcon icon(QStringLiteral(":/pokori-rescue.svg"));
    QVERIFY(!icon.isNull());
    checkDrawnIcon(icon.pixmap(48, 48).toImage().convertToFormat(QImage::Format_ARGB32), 48);
}

void TestIcons::icoDirectoryAndBitmaps()
{
    QFile file(kIconDir + QStringLiteral("/pokori-rescue.ico"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray ico = file.readAll();
    QVERIFY(ico.size() >= 6);
    QCOMPARE(u16(ico, 0), quint16(0));
    QCOMPARE(u16(ico, 2), quint16(1)); // an icon, not a cursor
    QCOMPARE(u16(ico, 4), quint16(3));
    QVERIFY(ico.size() >= 6 + 3 * 16);

    for (int i = 0; i < 3; ++i) {
        const IcoPicture& want = kIcoPictures[i];
        const qsizetype entry = 6 + 16 * i;
        QCOMPARE(int(uchar(ico[entry])), want.size);
        QCOMPARE(int(uchar(ico[entry + 1])), want.size);
        QCOMPARE(int(uchar(ico[entry + 2])), want.colours);
        QCOMPARE(u16(ico, entry + 4), quint16(1));
        QCOMPARE(int(u16(ico, entry + 6)), want.bits);

        // Header, palette, colour rows, then a one-bit mask of equal height.
        const quint32 length = u32(ico, entry + 8);
        const quint32 offset = u32(ico, entry + 12);
        const int rows = want.size;
        QCOMPARE(length, quint32(40 + 4 * want.colours + rows * rowBytes(want.size, want.bits)
                                 + rows * rowBytes(want.size, 1)));
        QVERIFY(offset + length <= quint32(ico.size()));
        QCOMPARE(u32(ico, offset), quint32(40));
        QCOMPARE(int(u32(ico, offset + 4)), want.size);
        QCOMPARE(int(u32(ico, offset + 8)), 2 * want.size);
        QCOMPARE(int(u16(ico, offset + 14)), want.bits);
        QCOMPARE(u32(ico, offset + 16), quint32(0)); // uncompressed
    }
}

void TestIcons::icoDecodes()
{
    QImageReader reader(kIconDir + QStringLiteral("/pokori-rescue.ico"), "ico");
    QCOMPARE(reader.imageCount(), 3);
    for (int i = 0; i < 3; ++i) {
        QVERIFY(reader.jumpToImage(i));
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        const QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
        checkDrawnIcon(pixels, kIcoPictures[i].size);
        const int colours = opaqueColourCount(pixels);
        QVERIFY(colours >= 2 && colours <= kIcoPictures[i].colours);
    }
}

QTEST_MAIN(TestIcons)
#include "test_icons.moc"
