// Every file the game reads, spoiled every way a file can be, and the
// picture and sound variants that must still work. A picture that cannot be
// read stops the game with an AssetError naming it, at the step that first
// needs it; a sound that cannot be read leaves its channel silent and the
// game goes on.
#include "asset_error.h"
#include "fixtures.h"
#include "fom.h"
#include "picture_box.h"
#include "sample_files.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

Q_DECLARE_METATYPE(BitmapKind)
Q_DECLARE_METATYPE(WaveFormat)

namespace {

const QStringList kStartUpPictures{"stt.bmp", "0.bmp", "1.bmp", "2.bmp", "3.bmp"};
const QStringList kIntroPictures{"img1.bmp", "img2.bmp", "0.bmp"};

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Whether a file without read permission cannot be read here; it can when
// the tests run as root.
bool permissionBitsStopReads()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("locked");
    write(path, "x");
    QFile::setPermissions(path, {});
    return !QFile(path).open(QIODevice::ReadOnly);
}

const char* const kRootReads = "running as root: permission bits do not stop reads, so no file is unreadable";

// Spoils one of the game's files in place.
void spoil(const TestAssets& assets, const QString& file, const QString& how)
{
    const QString path = assets.path(file);
    const QByteArray original = contents(path);
    if (how == "missing") {
        assets.remove(file);
    } else if (how == "empty") {
        write(path, {});
    } else if (how == "half") {
        write(path, original.left(original.size() / 2));
    } else if (how == "random bytes") {
        QByteArray noise(original.size(), '\0');
        QRandomGenerator random(qHash(file));
        for (char& byte : noise)
            byte = static_cast<char>(random.bounded(256));
        write(path, noise);
    } else if (how == "other format") {
        if (file.endsWith(".bmp")) {
            QImage image(16, 16, QImage::Format_RGB888);
            image.fill(Qt::red);
            QByteArray png;
            QBuffer buffer(&png);
            image.save(&buffer, "PNG");
            write(path, png);
        } else {
            write(path, "This is not a sound.\n");
        }
    } else if (how == "directory") {
        assets.remove(file);
        QDir().mkdir(path);
    } else if (how == "unreadable") {
        QFile::setPermissions(path, {});
    } else if (how == "huge header") {
        write(path, bitmapHeaderOnly({60000, 60000}));
    } else if (how == "huge run-length header") {
        QByteArray rle = bitmapBytes(BitmapKind::Rle8, {16, 16}, Qt::red);
        qToLittleEndian<qint32>(60000, rle.data() + 18);
        qToLittleEndian<qint32>(60000, rle.data() + 22);
        write(path, rle);
    } else if (how == "run-length cut off") {
        write(path, bitmapBytes(BitmapKind::Rle8, {64, 64}, Qt::red).chopped(40));
    }
}

// The hits and misses that bring the ending showing a picture or playing a
// sound.
std::pair<int, int> countsFor(const QString& file)
{
    if (file == "end1.bmp" || file == "6.wav")
        return {65, 0};
    if (file == "end1b.bmp" || file == "5.wav")
        return {65, 65};
    if (file.startsWith("end2") || file == "8.wav")
        return {66, 0};
    if (file == "4.wav")
        return {30, 29};
    return {0, 0};
}

void playToTheEnd(TestGame& game, const QString& file)
{
    const auto [hits, misses] = countsFor(file);
    game.press(game.fom->state().CurrentAction, hits);
    game.press((game.fom->state().CurrentAction + 1) % 3, misses);
    game.tickToTheLastPrompt();
    game.fom->Tim_Timer();
}

const QStringList kPictureSpoils{"missing", "empty", "half", "random bytes", "other format", "directory",
                                 "unreadable", "huge header", "huge run-length header", "run-length cut off"};
const QStringList kSoundSpoils{"missing", "empty", "half", "random bytes", "other format", "directory",
                               "unreadable"};

} // namespace

class BrokenFilesTest : public QObject {
    Q_OBJECT
private slots:
    void aBrokenPictureStopsTheGameWhereItIsNeeded_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("reason"); // a part of it; empty: any
        const QHash<QString, QString> reasons{{"missing", "ありません"}, {"empty", "空"}, {"half", "切れて"},
                                              {"other format", "形式ではありません"}, {"directory", "フォルダー"},
                                              {"unreadable", "権限"}, {"huge header", "大きすぎ"},
                                              {"huge run-length header", "大きすぎ"}, {"run-length cut off", "切れて"}};
        for (const QString& file : TestAssets::kPictures)
            for (const QString& how : kPictureSpoils)
                QTest::addRow("%s %s", qPrintable(file), qPrintable(how)) << file << how << reasons.value(how);
        QTest::addRow("0.bmp on disk only, after start-up") << "0.bmp" << "late" << "切れて";
    }
    void aBrokenPictureStopsTheGameWhereItIsNeeded()
    {
        QFETCH(QString, file);
        QFETCH(QString, how);
        QFETCH(QString, reason);
        if (how == "unreadable" && !permissionBitsStopReads())
            QSKIP(kRootReads);
        TestGame game;
        const bool atStartUp = kStartUpPictures.contains(file) && how != "late";
        if (how == "late")
            how = "half";
        try {
            if (atStartUp)
                spoil(game.assets, file, how);
            game.load();
            QVERIFY(!atStartUp);
            QVERIFY(game.fom->channel(0).isPlaying()); // start-up went on to the music
            spoil(game.assets, file, how);
            game.startRound();
            QVERIFY2(!kIntroPictures.contains(file), "the intro went on past a broken picture");
            playToTheEnd(game, file);
            QFAIL("the round ended without needing the broken picture");
        } catch (const AssetError& error) {
            QCOMPARE(error.path(), game.assets.path(file));
            QVERIFY(error.message().contains(game.assets.path(file)));
            QVERIFY2(error.reason().contains(reason), qPrintable(error.reason()));
        }
        if (!atStartUp)
            QVERIFY(!game.fom->timers().Tim.isTicking()); // no prompt comes after the stop
    }

    void aBrokenSoundIsSilentAndTheGameGoesOn_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("how");
        for (const QString& file : TestAssets::kSounds)
            for (const QString& how : kSoundSpoils)
                QTest::addRow("%s %s", qPrintable(file), qPrintable(how)) << file << how;
    }
    void aBrokenSoundIsSilentAndTheGameGoesOn()
    {
        QFETCH(QString, file);
        QFETCH(QString, how);
        if (how == "unreadable" && !permissionBitsStopReads())
            QSKIP(kRootReads);
        TestGame game;
        spoil(game.assets, file, how);
        const int broken = file.left(1).toInt();
        game.load();
        for (int i = 0; i < game.fom->channelCount(); ++i)
            QCOMPARE(game.fom->channel(i).isOpen(), i != broken);
        QCOMPARE(game.fom->timers().BakSongTim.isTicking(), broken != 0);

        game.startRound();
        for (int k = 0; k < 3; ++k) {
            game.fom->Com_MouseDown(k);
            QCOMPARE(game.sceneColour(), TestAssets::colourOf(QString("%1.bmp").arg(k + 1)));
            QCOMPARE(game.fom->channel(k + 1).isPlaying(), k + 1 != broken);
            game.fom->Com_MouseUp(k);
        }
        playToTheEnd(game, file);
        QCOMPARE(game.sceneColour(), TestAssets::colourOf("end.bmp"));
        QVERIFY(!game.fom->channel(broken).isPlaying());
    }

    void everyKindOfBitmapShows_data()
    {
        QTest::addColumn<BitmapKind>("kind");
        QTest::newRow("1-bit") << BitmapKind::Mono;
        QTest::newRow("8-bit palette") << BitmapKind::Palette8;
        QTest::newRow("8-bit run-length") << BitmapKind::Rle8;
        QTest::newRow("24-bit") << BitmapKind::Rgb24;
        QTest::newRow("32-bit") << BitmapKind::Rgb32;
    }
    void everyKindOfBitmapShows()
    {
        QFETCH(BitmapKind, kind);
        TestGame game;
        for (const QString& name : TestAssets::kPictures)
            write(game.assets.path(name), bitmapBytes(kind, {15, 9}, TestAssets::colourOf(name)));
        game.load();
        const QPixmap& title = game.fom->controls().ImgStt->pixmap();
        QCOMPARE(title.size(), QSize(15, 9));
        QCOMPARE(title.toImage().pixelColor(7, 4), TestAssets::colourOf("stt.bmp"));
        game.startRound();
        QCOMPARE(game.messages.sceneColours,
                 (QList<QColor>{TestAssets::colourOf("0.bmp"), TestAssets::colourOf("img1.bmp"),
                                TestAssets::colourOf("img2.bmp")}));
        game.fom->Com_MouseDown(2);
        QCOMPARE(game.sceneColour(), TestAssets::colourOf("3.bmp"));
        playToTheEnd(game, "end2.bmp");
        QCOMPARE(game.messages.sceneColours.mid(3, 3),
                 (QList<QColor>{TestAssets::colourOf("end2.bmp"), TestAssets::colourOf("end2.bmp"),
                                TestAssets::colourOf("end2b.bmp")}));
        QCOMPARE(game.sceneColour(), TestAssets::colourOf("end.bmp"));
    }

    void everyKindOfWavePlays_data()
    {
        QTest::addColumn<WaveFormat>("format");
        QTest::newRow("8-bit") << WaveFormat{44100, 1, 8, false};
        QTest::newRow("16-bit mono") << WaveFormat{44100, 1, 16, false};
        QTest::newRow("16-bit stereo") << WaveFormat{44100, 2, 16, false};
        QTest::newRow("24-bit") << WaveFormat{44100, 2, 24, false};
        QTest::newRow("32-bit float") << WaveFormat{44100, 2, 32, true};
        QTest::newRow("22.05 kHz") << WaveFormat{22050, 1, 16, false};
        QTest::newRow("96 kHz") << WaveFormat{96000, 2, 16, false};
    }
    void everyKindOfWavePlays()
    {
        QFETCH(WaveFormat, format);
        TestGame game;
        for (const QString& name : TestAssets::kSounds)
            write(game.assets.path(name), waveBytes(format, name == "0.wav" ? 1500 : 400));
        game.load();
        // Resampling may round a length by a millisecond.
        QCOMPARE(game.fom->timers().BakSongTim.interval(), game.fom->channel(0).length());
        QVERIFY(qAbs(game.fom->channel(0).length() - 1500) <= 1);
        QVERIFY(game.fom->channel(0).isPlaying());
        game.startRound();
        for (int i = 1; i < game.fom->channelCount(); ++i) {
            QVERIFY(game.fom->channel(i).isOpen());
            QVERIFY(qAbs(game.fom->channel(i).length() - 400) <= 1);
        }
        game.fom->Com_MouseDown(1);
        QVERIFY(game.fom->channel(2).isPlaying());
    }

    void aTenMinuteMusicLoadsAndLoopsAtItsLength()
    {
        TestGame game;
        write(game.assets.path("0.wav"), waveBytes({22050, 1, 8, false}, 10 * 60 * 1000));
        game.load();
        QCOMPARE(game.fom->timers().BakSongTim.interval(), 10 * 60 * 1000);
        QVERIFY(game.fom->timers().BakSongTim.isTicking());
        QVERIFY(game.fom->channel(0).isPlaying());
    }

    // The real program, from a folder of its own, stops with status 1 and
    // names the broken picture on stderr.
    void theProgramNamesTheBrokenPictureAndExits_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("how");
        QTest::newRow("title picture of random bytes") << "stt.bmp" << "random bytes";
        QTest::newRow("action picture claiming 60000 x 60000") << "2.bmp" << "huge header";
    }
    void theProgramNamesTheBrokenPictureAndExits()
    {
        QFETCH(QString, file);
        QFETCH(QString, how);
        TestAssets assets;
        QVERIFY(QFile::copy(POKORI_RUNTIME_DIR "/pokori-rescue", assets.path("pokori-rescue")));
        spoil(assets, file, how);
        QProcess game;
        game.start(assets.path("pokori-rescue"), {});
        QVERIFY(game.waitForFinished(60'000));
        QCOMPARE(game.exitStatus(), QProcess::NormalExit);
        QCOMPARE(game.exitCode(), 1);
        const QString errors = QString::fromUtf8(game.readAllStandardError());
        QVERIFY2(errors.contains(assets.path(file)), qPrintable(errors));
    }
};

QTEST_MAIN(BrokenFilesTest)
#include "test_broken_files.moc"
