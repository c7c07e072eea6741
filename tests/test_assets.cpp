// The pictures and sounds the build makes, as the game will show and play
// them: format and size, a real drawing, and clean sounds that start at once
// and loop without a click; and the web page's pictures, which use nothing a
// browser lacks and, drawn as the desktop's bitmaps are drawn, are those
// bitmaps.
#include "assets/asset_files.h"
#include "game/sound.h"
#include "media/bitmap_loader.h"
#include "tools/svg2bmp/render.h"
#include "tools/svg2bmp/shared_defs.h"
#include "tools/svg2bmp/web_svg.h"

#include <QImage>
#include <QSet>
#include <QtTest>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

QString readSource(const QString& name)
{
    QFile file(QStringLiteral(POKORI_PICTURE_SOURCES "/") + name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class AssetsTest : public QObject {
    Q_OBJECT
private slots:
    void eachSoundIsCleanAndOfItsLength_data()
    {
        QTest::addColumn<int>("sound");
        QTest::addColumn<double>("minSeconds");
        QTest::addColumn<double>("maxSeconds");
        QTest::newRow("music") << int(Sound::Music) << 15.0 << 30.0;
        QTest::newRow("breath") << int(Sound::Breath) << 0.3 << 0.6;
        QTest::newRow("heart massage") << int(Sound::HeartMassage) << 0.1 << 0.3;
        QTest::newRow("call") << int(Sound::Call) << 0.3 << 0.6;
        for (int ending = int(Sound::CloseCallEnding); ending < kSoundCount; ++ending)
            QTest::addRow("ending sound %d", ending) << ending << 2.0 << 6.0;
    }
    void eachSoundIsCleanAndOfItsLength()
    {
        QFETCH(int, sound);
        QFETCH(double, minSeconds);
        QFETCH(double, maxSeconds);
        SF_INFO info{};
        const std::string path = std::string(POKORI_RUNTIME_DIR "/") + kSoundFiles[sound];
        SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
        QVERIFY(file);
        std::vector<float> x(std::size_t(info.frames));
        x.resize(std::size_t(sf_readf_float(file, x.data(), info.frames)));
        sf_close(file);
        QCOMPARE(info.samplerate, 44100);
        const double seconds = double(x.size()) / 44100;
        QVERIFY2(seconds >= minSeconds && seconds <= maxSeconds, qPrintable(QString::number(seconds)));
        float peak = 0;
        for (float v : x)
            peak = std::max(peak, std::abs(v));
        QVERIFY2(peak <= 0.891f, "louder than -1 dBFS");
        // No click at either end, where the music joins itself when it loops.
        QVERIFY2(std::abs(x.front()) < 0.001f && std::abs(x.back()) < 0.002f, "a click at an edge");
        if (sound >= int(Sound::Breath) && sound <= int(Sound::Call)) {
            // A press is heard at once: above -40 dBFS within 5 ms.
            const auto audible = std::find_if(x.begin(), x.end(), [](float v) { return std::abs(v) > 0.01f; });
            QVERIFY(audible - x.begin() <= 44100 * 5 / 1000);
        }
    }

    // Each picture a drawing, which the game reads, and which the page's
    // outlines draw the same in any browser.
    void eachPictureIsTheDesktopsBitmapInAnyBrowser_data()
    {
        QTest::addColumn<QString>("bitmap");
        QTest::addColumn<QSize>("size");
        for (const PictureFile& picture : kPictureFiles)
            QTest::newRow(picture.name) << QString(picture.name) << QSize(picture.width, picture.height);
    }
    void eachPictureIsTheDesktopsBitmapInAnyBrowser()
    {
        QFETCH(QString, bitmap);
        QFETCH(QSize, size);
        const auto defs = defsContent(readSource(QStringLiteral("parts.svg")));
        QVERIFY(defs);
        const auto picture
            = withSharedDefs(readSource(QString(bitmap).replace(QLatin1String(".bmp"), QLatin1String(".svg"))), *defs);
        QVERIFY(picture);
        QString error;
        const auto page = webSvg(*picture, size.width(), size.height(), error);
        QVERIFY2(page, qPrintable(error));
        // No text, which an <img> draws only in a font of its own, nor a paint of SVG Tiny's.
        QVERIFY(!page->contains(QLatin1String("<text")) && !page->contains(QLatin1String("solidColor")));

        const auto drawn = renderSvg(*page, size.width(), size.height(), error);
        QVERIFY2(drawn, qPrintable(error));
        const QString path = QStringLiteral(POKORI_RUNTIME_DIR "/") + bitmap;
        const QImage desktop(path, "BMP");
        QCOMPARE(desktop.size(), size);
        const Bitmap read = loadBitmap(path); // as the game reads it: the very image of Qt's own reader
        QVERIFY(std::holds_alternative<QImage>(read) && std::get<QImage>(read) == desktop);
        // A source that could not be drawn leaves a plain sheet; a drawing
        // with outlines and smooth edges has hundreds of colours.
        QSet<QRgb> colours;
        for (int y = 0; y < size.height(); y += 4)
            for (int x = 0; x < size.width(); x += 4)
                colours.insert(desktop.pixel(x, y));
        QVERIFY(colours.size() > 200);
        // Edges are smoothed a little differently here and there; a part
        // missing or out of place differs by far more.
        qsizetype differing = 0;
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                const QRgb a = desktop.pixel(x, y);
                const QRgb b = drawn->pixel(x, y);
                differing += std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                       std::abs(qBlue(a) - qBlue(b))})
                    > 32;
            }
        }
        QVERIFY2(differing * 2000 <= size.width() * size.height(), qPrintable(QString::number(differing)));
    }
};

QTEST_MAIN(AssetsTest)
#include "test_assets.moc"
