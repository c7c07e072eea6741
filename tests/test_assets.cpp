// The pictures and sounds the build makes, as the game will show and play
// them: format and size, a real drawing, clean and balanced sounds, and a
// music loop without a click at the join.
#include <QFile>
#include <QImage>
#include <QSet>
#include <QtTest>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int kRate = 44100;

QString built(const QString& name)
{
    return QStringLiteral(POKORI_RUNTIME_DIR "/") + name;
}

std::vector<float> samplesOf(int sound, SF_INFO* info)
{
    SNDFILE* file = sf_open(QFile::encodeName(built(QString("%1.wav").arg(sound))).constData(), SFM_READ, info);
    std::vector<float> samples(file ? std::size_t(info->frames) : 0);
    if (file) {
        samples.resize(std::size_t(sf_readf_float(file, samples.data(), info->frames)));
        sf_close(file);
    }
    return samples;
}

double dbfs(double amplitude)
{
    return 20 * std::log10(std::max(amplitude, 1e-9));
}

// The RMS of the loudest stretch of the given length: how loud it feels.
double loudest(const std::vector<float>& x, std::size_t window)
{
    window = std::min(window, x.size());
    double sum = 0, best = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        sum += double(x[i]) * x[i];
        if (i >= window)
            sum -= double(x[i - window]) * x[i - window];
        best = std::max(best, sum);
    }
    return window ? std::sqrt(best / double(window)) : 0;
}

} // namespace

class AssetsTest : public QObject {
    Q_OBJECT
private slots:
    void eachPictureIsADrawingOfItsSize_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::newRow("stt") << "stt" << QSize(576, 812);
        for (const char* scene : {"0", "1", "2", "3", "img1", "img2", "end0", "end1", "end1b", "end2", "end2b",
                                  "end2c", "end"})
            QTest::newRow(scene) << scene << QSize(530, 530);
    }
    void eachPictureIsADrawingOfItsSize()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QFile file(built(name + ".bmp"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray header = file.read(30);
        QVERIFY(header.startsWith("BM"));
        QCOMPARE(int(header[28]), 24); // bits per pixel
        const QImage image(file.fileName());
        QCOMPARE(image.size(), size);
        // A source that could not be drawn leaves a plain sheet; a drawing
        // with outlines and smooth edges has hundreds of colours.
        QSet<QRgb> colours;
        for (int y = 0; y < size.height(); y += 4)
            for (int x = 0; x < size.width(); x += 4)
                colours.insert(image.pixel(x, y));
        QVERIFY2(colours.size() > 200, qPrintable(QString("only %1 colours").arg(colours.size())));
    }

    void eachSoundIsCleanAndOfItsLength_data()
    {
        QTest::addColumn<int>("sound");
        QTest::addColumn<double>("minSeconds");
        QTest::addColumn<double>("maxSeconds");
        QTest::newRow("0 music") << 0 << 15.0 << 30.0;
        QTest::newRow("1 breath") << 1 << 0.3 << 0.6;
        QTest::newRow("2 thump") << 2 << 0.1 << 0.3;
        QTest::newRow("3 call") << 3 << 0.3 << 0.6;
        for (int ending = 4; ending <= 8; ++ending)
            QTest::addRow("%d ending", ending) << ending << 2.0 << 6.0;
    }
    void eachSoundIsCleanAndOfItsLength()
    {
        QFETCH(int, sound);
        QFETCH(double, minSeconds);
        QFETCH(double, maxSeconds);
        SF_INFO info{};
        const std::vector<float> x = samplesOf(sound, &info);
        QCOMPARE(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
        QCOMPARE(info.samplerate, kRate);
        QCOMPARE(info.channels, 1);
        const double seconds = double(x.size()) / kRate;
        QVERIFY2(seconds >= minSeconds && seconds <= maxSeconds, qPrintable(QString::number(seconds)));
        const float peak = std::abs(*std::max_element(x.begin(), x.end(), [](float a, float b) {
            return std::abs(a) < std::abs(b);
        }));
        QVERIFY2(dbfs(peak) <= -1.0, "no headroom");
        QVERIFY2(std::abs(x.front()) < 0.001f && std::abs(x.back()) < 0.002f, "a click at an edge");
        if (sound >= 1 && sound <= 3) { // a press is heard at once
            const auto audible = std::find_if(x.begin(), x.end(), [](float v) { return dbfs(std::abs(v)) > -40; });
            QVERIFY(audible - x.begin() <= kRate * 5 / 1000);
        }
    }

    // The music restarts when it ends: it must end in silence and come
    // straight back in on the downbeat, and lie under the sound effects.
    void theMusicLoopsCleanlyUnderTheEffects()
    {
        SF_INFO info{};
        const std::vector<float> music = samplesOf(0, &info);
        QVERIFY(dbfs(loudest({music.end() - kRate / 100, music.end()}, kRate)) < -50);
        QVERIFY(dbfs(loudest({music.begin(), music.begin() + kRate / 20}, kRate)) > -30);
        double quietest = 1, loudestEffect = 0;
        for (int sound = 1; sound <= 8; ++sound) {
            const double level = loudest(samplesOf(sound, &info), kRate / 10);
            quietest = std::min(quietest, level);
            loudestEffect = std::max(loudestEffect, level);
        }
        QVERIFY2(dbfs(loudestEffect) - dbfs(quietest) <= 3.0, "effects unequally loud");
        QVERIFY2(dbfs(loudest(music, kRate / 10)) <= dbfs(quietest) - 2, "music over the effects");
    }
};

QTEST_GUILESS_MAIN(AssetsTest)
#include "test_assets.moc"
