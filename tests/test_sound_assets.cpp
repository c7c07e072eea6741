// Checks the nine synthesised sounds as the game will play them: format,
// length, headroom, quick starts, a click-free music loop and balanced levels.

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct Sound {
    SF_INFO info{};
    std::vector<float> samples;
};

QString wavPath(int number) { return QStringLiteral(POKORI_RUNTIME_DIR "/%1.wav").arg(number); }

Sound load(const QString& path)
{
    Sound s;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &s.info);
    if (!file) return s;
    s.samples.resize(std::size_t(s.info.frames * s.info.channels));
    s.samples.resize(std::size_t(sf_readf_float(file, s.samples.data(), s.info.frames) * s.info.channels));
    sf_close(file);
    return s;
}

double dbfs(double amplitude) { return 20 * std::log10(std::max(amplitude, 1e-9)); }

double peak(const std::vector<float>& x, std::size_t from = 0)
{
    double p = 0;
    for (std::size_t i = from; i < x.size(); ++i) p = std::max(p, double(std::abs(x[i])));
    return p;
}

double rms(const std::vector<float>& x)
{
    double sum = 0;
    for (float v : x) sum += double(v) * v;
    return x.empty() ? 0 : std::sqrt(sum / x.size());
}

// The RMS of the loudest 100 ms: how loud a sound feels while it plays.
double loudestRms(const std::vector<float>& x)
{
    const std::size_t window = std::min<std::size_t>(x.size(), 4410);
    double sum = 0, best = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        sum += double(x[i]) * x[i];
        if (i >= window) sum -= double(x[i - window]) * x[i - window];
        best = std::max(best, sum);
    }
    return window ? std::sqrt(best / window) : 0;
}

void addEverySound()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<double>("minSeconds");
    QTest::addColumn<double>("maxSeconds");
    QTest::newRow("0 music") << 0 << 15.0 << 30.0;
    QTest::newRow("1 breath") << 1 << 0.3 << 0.6;
    QTest::newRow("2 thump") << 2 << 0.1 << 0.3;
    QTest::newRow("3 call") << 3 << 0.3 << 0.6;
    QTest::newRow("4 close call") << 4 << 2.0 << 4.0;
    QTest::newRow("5 babble") << 5 << 2.0 << 4.0;
    QTest::newRow("6 rescue") << 6 << 2.0 << 4.0;
    QTest::newRow("7 death") << 7 << 2.0 << 4.0;
    QTest::newRow("8 full rescue") << 8 << 3.0 << 6.0;
}

constexpr int kRate = 44100;
constexpr int kFirstEffect = 1, kLastEffect = 8;

} // namespace

class TestSoundAssets : public QObject {
    Q_OBJECT

private slots:
    void formatAndLength_data() { addEverySound(); }
    void formatAndLength()
    {
        QFETCH(int, number);
        QFETCH(double, minSeconds);
        QFETCH(double, maxSeconds);
        QVERIFY2(QFile::exists(wavPath(number)), qPrintable(wavPath(number)));
        const Sound s = load(wavPath(number));
        QCOMPARE(s.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
        QCOMPARE(s.info.samplerate, kRate);
        QCOMPARE(s.info.channels, 1);
        const double seconds = double(s.info.frames) / kRate;
        QVERIFY2(seconds >= minSeconds && seconds <= maxSeconds, qPrintable(QString::number(seconds)));
    }

    void cleanEdgesAndHeadroom_data() { addEverySound(); }
    void cleanEdgesAndHeadroom()
    {
        QFETCH(int, number);
        const std::vector<float> x = load(wavPath(number)).samples;
        QVERIFY(x.size() > 1000);
        QVERIFY2(dbfs(peak(x)) <= -1.0, qPrintable(QString::number(dbfs(peak(x)))));
        QVERIFY2(std::abs(x.front()) < 0.001f, "starts with a click");
        QVERIFY2(dbfs(peak(x, x.size() - kRate / 200)) < -40, "does not end on silence");
        double sum = 0;
        for (float v : x) sum += v;
        QVERIFY2(std::abs(sum / x.size()) < 0.001, "DC offset");
    }

    // A button press must be heard at once.
    void actionSoundStartsAtOnce_data()
    {
        QTest::addColumn<int>("number");
        QTest::newRow("1 breath") << 1;
        QTest::newRow("2 thump") << 2;
        QTest::newRow("3 call") << 3;
    }
    void actionSoundStartsAtOnce()
    {
        QFETCH(int, number);
        const std::vector<float> x = load(wavPath(number)).samples;
        const auto audible = std::find_if(x.begin(), x.end(), [](float v) { return dbfs(std::abs(v)) > -40; });
        QVERIFY(audible != x.end());
        QVERIFY2(audible - x.begin() <= kRate * 5 / 1000, qPrintable(QString::number(audible - x.begin())));
    }

    // The game restarts the music when it ends: the join must be silent and step-free.
    void musicLoopsWithoutAClick()
    {
        const std::vector<float> x = load(wavPath(0)).samples;
        QVERIFY(x.size() > std::size_t(kRate));
        QVERIFY(std::abs(x.back() - x.front()) < 0.002f);
        const std::vector<float> lastTenMs(x.end() - kRate / 100, x.end());
        QVERIFY2(dbfs(rms(lastTenMs)) < -50, qPrintable(QString::number(dbfs(rms(lastTenMs)))));
        // ...and the tune comes straight back in on the downbeat.
        const std::vector<float> firstFiftyMs(x.begin(), x.begin() + kRate / 20);
        QVERIFY(dbfs(rms(firstFiftyMs)) > -30);
    }

    void effectsEquallyLoudAndMusicUnderThem()
    {
        double quietest = 1, loudest = 0;
        for (int n = kFirstEffect; n <= kLastEffect; ++n) {
            const double level = loudestRms(load(wavPath(n)).samples);
            quietest = std::min(quietest, level);
            loudest = std::max(loudest, level);
        }
        QVERIFY2(dbfs(loudest) - dbfs(quietest) <= 3.0,
                 qPrintable(QStringLiteral("%1 to %2 dBFS").arg(dbfs(quietest)).arg(dbfs(loudest))));

        const std::vector<float> music = load(wavPath(0)).samples;
        QVERIFY2(dbfs(rms(music)) <= dbfs(quietest) - 5, qPrintable(QString::number(dbfs(rms(music)))));
        QVERIFY2(dbfs(loudestRms(music)) <= dbfs(quietest) - 2, qPrintable(QString::number(dbfs(loudestRms(music)))));
    }

    // The sounds are rebuilt on every machine; they must come out the same.
    void toolWritesTheSameBytesAgain_data() { addEverySound(); }
    void toolWritesTheSameBytesAgain()
    {
        QFETCH(int, number);
        const QString tool = QStringLiteral(POKORI_RUNTIME_DIR "/../tools/synth/synth");
        QVERIFY2(QFile::exists(tool), qPrintable(tool));
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString again = dir.filePath(QStringLiteral("again.wav"));
        QCOMPARE(QProcess::execute(tool, {QString::number(number), again}), 0);

        QFile built(wavPath(number)), rebuilt(again);
        QVERIFY(built.open(QIODevice::ReadOnly) && rebuilt.open(QIODevice::ReadOnly));
        const QByteArray expected = built.readAll();
        QVERIFY(!expected.isEmpty());
        QVERIFY(rebuilt.readAll() == expected);
    }
};

QTEST_GUILESS_MAIN(TestSoundAssets)
#include "test_sound_assets.moc"
