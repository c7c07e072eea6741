// The icon files made at build time: the desktop theme's PNGs, the window
// icon compiled into the program, and the Windows .ico with its three
// pictures.
#include <QIcon>
#include <QImageReader>
#include <QSet>
#include <QTest>

namespace {

// The white window fills the middle; the corners show the desktop.
void checkDrawnIcon(const QImage& image, int size)
{
    QCOMPARE(image.size(), QSize(size, size));
    QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
    const QColor middle = image.pixelColor(size / 2, size / 2);
    QVERIFY2(middle.alpha() == 255 && middle.value() > 230 && middle.saturation() < 25, "no white window");
}

} // namespace

class TestIcons : public QObject {
    Q_OBJECT
private slots:
    void theThemeShowsTheWindowAtEverySize()
    {
        for (int size : {16, 32, 48, 128, 256}) {
            const QImage image(QStringLiteral(POKORI_ICON_DIR "/%1x%1/pokori-rescue.png").arg(size));
            checkDrawnIcon(image.convertToFormat(QImage::Format_ARGB32), size);
        }
        const QImage large(QStringLiteral(POKORI_ICON_DIR "/256x256/pokori-rescue.png"));
        const QColor strip = large.pixelColor(88, 55);
        QVERIFY2(strip.red() < 80 && strip.green() > 150 && strip.blue() > 200, "no cyan title strip");
        const QColor shadow = large.pixelColor(228, 190);
        QVERIFY2(qAbs(shadow.red() - 144) < 16 && shadow.red() == shadow.blue(), "no grey shadow");
        const QIcon window(QStringLiteral(":/pokori-rescue.svg"));
        checkDrawnIcon(window.pixmap(48, 48).toImage().convertToFormat(QImage::Format_ARGB32), 48);
    }

    // 32 x 32 in 2 colours, 32 x 32 and 16 x 16 in 16 colours.
    void theWindowsIconHoldsThreePictures()
    {
        QImageReader reader(QStringLiteral(POKORI_ICON_DIR "/pokori-rescue.ico"), "ico");
        QCOMPARE(reader.imageCount(), 3);
        const int sizes[] = {32, 32, 16};
        const int colours[] = {2, 16, 16};
        for (int i = 0; i < 3; ++i) {
            QVERIFY(reader.jumpToImage(i));
            const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
            checkDrawnIcon(image, sizes[i]);
            QSet<QRgb> opaque;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (qAlpha(image.pixel(x, y)) == 255)
                        opaque.insert(image.pixel(x, y));
            QVERIFY(opaque.size() >= 2 && opaque.size() <= colours[i]);
        }
    }
};

QTEST_MAIN(TestIcons)
#include "test_icons.moc"
