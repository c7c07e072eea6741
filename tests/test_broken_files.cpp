// Every file the game reads, spoiled every way a file can be. A picture
// that cannot be read ends the game at the step that first needs it, with
// its name and the reason; a sound that cannot be read is silent and the
// game goes on. The real program is run as well, to see the error reach
// stderr and the exit status from start-up, a click and a timer.
#include "app/game_application.h"
#include "app/message_box.h"
#include "media/game_timer.h"
#include "tests/fixtures.h"
#include "tests/sample_files.h"

#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QRandomGenerator>
#include <QtEndian>
#include <QtTest>

Q_DECLARE_METATYPE(BitmapKind)
Q_DECLARE_METATYPE(WaveFormat)

namespace {

const QStringList kStartUpPictures{"stt.bmp", "0.bmp", "1.bmp", "2.bmp", "3.bmp"};

// Each way a picture is spoiled, and a part of the reason the game gives.
// clang-format off
const QHash<QString, QString> kPictureDamage{
    {"missing", "ありません"}, {"empty", "空"}, {"half", "切れて"}, {"random bytes", ""},
    {"other format", "形式ではありません"}, {"directory", "フォルダー"}, {"60000 x 60000", "大きすぎ"},
    {"run-length cut off", "切れて"}};
// clang-format on
const QStringList kSoundDamage{"missing", "empty", "half", "random bytes", "other format", "directory"};

void spoil(const TestAssets& assets, const QString& file, const QString& how)
{
    QFile original(assets.path(file));
    const QByteArray bytes = original.open(QIODevice::ReadOnly) ? original.readAll() : QByteArray();
    original.close();
    QByteArray rle = bitmapBytes(BitmapKind::Rle8, {64, 64}, Qt::red);
    if (how == "missing" || how == "directory") {
        QFile::remove(assets.path(file));
        if (how == "directory")
            QDir().mkdir(assets.path(file));
    } else if (how == "empty") {
        assets.write(file, {});
    } else if (how == "half") {
        assets.write(file, bytes.left(bytes.size() / 2));
    } else if (how == "random bytes") {
        QByteArray noise(bytes.size(), '\0');
        QRandomGenerator random(qHash(file));
        random.fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
        assets.write(file, noise);
    } else if (how == "other format") {
        assets.write(file, file.endsWith(".bmp") ? QByteArray("GIF89a\4\0\4\0") : QByteArray("Not a sound.\n"));
    } else if (how == "60000 x 60000") {
        qToLittleEndian<qint32>(60000, rle.data() + 18);
        qToLittleEndian<qint32>(60000, rle.data() + 22);
        assets.write(file, rle);
    } else if (how == "run-length cut off") {
        assets.write(file, rle.chopped(40));
    }
}

// Plays a round whose ending shows the picture or plays the sound.
void playToTheEndingOf(TestGame& game, const QString& file)
{
    const QHash<QString, std::pair<int, int>> counts{
        {"end1.bmp", {65, 0}},  {"6.wav", {64, 0}},    {"end1b.bmp", {65, 65}},
        {"5.wav", {64, 64}},    {"end2.bmp", {66, 0}}, {"end2b.bmp", {66, 0}},
        {"end2c.bmp", {66, 0}}, {"8.wav", {66, 0}},    {"4.wav", {29, 27}}};
    const auto [hits, misses] = counts.value(file, {0, 0});
    const int action = game.window->round().currentAction();
    game.press(action, hits);
    game.press((action + 1) % 3, misses);
    game.tickToTheLastPrompt();
    game.tick();
}

// The game as main.cpp starts it, over the folder given, driven from within
// to the point where a picture is deleted: start-up, a click on the title,
// or the prompt timer's last tick. Message boxes are answered at once.
int playAsTheGame(int argc, char** argv)
{
    GameApplication app(argc, argv);
    const QString dir = QString::fromLocal8Bit(argv[3]);
    const QByteArray when = argv[2];
    if (when == "start-up")
        QFile::remove(dir + "/3.bmp");
    ClockRandom random;
    GameWindow window(random, showGameMessage, GameApplication::fail, dir);
    window.start();
    window.show();
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->accept();
    });
    answer.start(10);
    QTimer::singleShot(0, &window, [&] {
        if (when == "intro")
            QFile::remove(dir + "/img1.bmp");
        QTest::mouseClick(window.controls().titlePicture, Qt::LeftButton, {}, QPoint(100, 100));
        auto* prompts = window.findChild<GameTimer*>("promptTimer");
        for (int tick = 1; tick < 30; ++tick)
            QTimer::singleShot(0, prompts, &GameTimer::tick);
        QTimer::singleShot(0, prompts, [prompts, dir] {
            QFile::remove(dir + "/end.bmp");
            emit prompts->tick();
        });
    });
    return GameApplication::exec();
}

} // namespace

class BrokenFilesTest : public QObject {
    Q_OBJECT
private slots:
    // Every file the game reads, spoiled every way, in the order the game
    // needs it. The reason a picture gives is checked in part.
    void eachBrokenFile_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("how");
        for (const QString& file : TestAssets::kPictures + TestAssets::kSounds) {
            const QStringList damage = file.endsWith(".bmp") ? kPictureDamage.keys() : kSoundDamage;
            for (const QString& how : damage)
                QTest::addRow("%s %s", qPrintable(file), qPrintable(how)) << file << how;
        }
        QTest::addRow("0.bmp cut off after start-up") << "0.bmp"
                                                      << "half later";
    }
    void eachBrokenFile()
    {
        QFETCH(QString, file);
        QFETCH(QString, how);
        TestGame game;
        const bool picture = file.endsWith(".bmp");
        const bool atStartUp = (!picture || kStartUpPictures.contains(file)) && how != "half later";
        how.remove(" later");
        if (atStartUp)
            spoil(game.assets, file, how);
        game.start();
        if (!atStartUp)
            spoil(game.assets, file, how);
        if (game.fatalErrors.isEmpty()) {
            game.clickTitle();
            for (int k = 0; k < 3 && !picture; ++k) {
                game.press(k);
                QCOMPARE(game.window->sounds()[k + 1].isPlaying(), file != QString("%1.wav").arg(k + 1));
            }
            if (!QStringList{"0.bmp", "img1.bmp", "img2.bmp"}.contains(file)) // not in the intro
                playToTheEndingOf(game, file);
        }
        if (!picture) { // silent, and the game goes on to its end
            QVERIFY(game.fatalErrors.isEmpty());
            QCOMPARE(game.scene(), TestAssets::colourOf("end.bmp"));
            for (int i = 0; i < SoundBank::kSize; ++i)
                QCOMPARE(game.window->sounds()[i].isOpen(), file != QString("%1.wav").arg(i));
            QCOMPARE(game.timer("musicTimer").isTicking(), file != "0.wav");
            return;
        }
        QCOMPARE(game.fatalErrors.size(), 1);
        QVERIFY2(game.fatalErrors[0].startsWith(game.assets.path(file) + ": "), qPrintable(game.fatalErrors[0]));
        QVERIFY2(game.fatalErrors[0].contains(kPictureDamage.value(how)), qPrintable(game.fatalErrors[0]));
        // Nothing after the failing step: no music, no play, no prompt.
        QCOMPARE(game.window->sounds()[0].isOpen(), !atStartUp);
        QVERIFY(!game.timer("promptTimer").isTicking());
        QVERIFY(game.controls().actionButtons[0]->isHidden());
    }

    // Bitmaps and waves come in many kinds; the game reads every one.
    void everyKindOfFilePlays_data()
    {
        QTest::addColumn<BitmapKind>("pictures");
        QTest::addColumn<WaveFormat>("sounds");
        QTest::addColumn<int>("musicMs");
        QTest::newRow("1-bit, 8-bit sound") << BitmapKind::Mono << WaveFormat{44100, 1, 8, false} << 1500;
        QTest::newRow("8-bit palette, stereo") << BitmapKind::Palette8 << WaveFormat{44100, 2, 16, false} << 1500;
        QTest::newRow("run-length, 24-bit sound") << BitmapKind::Rle8 << WaveFormat{44100, 2, 24, false} << 1500;
        QTest::newRow("24-bit, float sound") << BitmapKind::Rgb24 << WaveFormat{44100, 2, 32, true} << 1500;
        QTest::newRow("32-bit, 22.05 kHz") << BitmapKind::Rgb32 << WaveFormat{22050, 1, 16, false} << 1500;
        QTest::newRow("96 kHz") << BitmapKind::Rgb24 << WaveFormat{96000, 2, 16, false} << 1500;
        QTest::newRow("ten minutes of music") << BitmapKind::Rgb24 << WaveFormat{22050, 1, 8, false} << 600'000;
    }
    void everyKindOfFilePlays()
    {
        QFETCH(BitmapKind, pictures);
        QFETCH(WaveFormat, sounds);
        QFETCH(int, musicMs);
        TestGame game;
        for (const QString& name : TestAssets::kPictures)
            game.assets.write(name, bitmapBytes(pictures, {15, 9}, TestAssets::colourOf(name)));
        for (const QString& name : TestAssets::kSounds)
            game.assets.write(name, waveBytes(sounds, name == "0.wav" ? musicMs : 400));
        game.start();
        QVERIFY(qAbs(game.timer("musicTimer").interval() - musicMs) <= 1); // resampled, to the nearest ms
        QVERIFY(game.window->sounds()[0].isPlaying());
        game.clickTitle();
        game.press(1);
        QVERIFY(game.window->sounds()[2].isPlaying());
        playToTheEndingOf(game, "end2.bmp");
        QCOMPARE(game.told[1].scene, TestAssets::colourOf("img1.bmp"));
        QCOMPARE(game.told[5].scene, TestAssets::colourOf("end2b.bmp"));
        QCOMPARE(game.scene(), TestAssets::colourOf("end.bmp"));
        QVERIFY(game.window->sounds()[8].isPlaying());
    }

    void theGameStopsOverAPictureLostDuringPlay_data()
    {
        QTest::addColumn<QString>("when");
        QTest::addColumn<QString>("file");
        QTest::newRow("at start-up") << "start-up"
                                     << "3.bmp";
        QTest::newRow("at a click on the title") << "intro"
                                                 << "img1.bmp";
        QTest::newRow("at the last tick, after a message") << "ending"
                                                           << "end.bmp";
    }
    void theGameStopsOverAPictureLostDuringPlay()
    {
        QFETCH(QString, when);
        QFETCH(QString, file);
        TestAssets assets; // in a folder whose name has spaces and Japanese in it
        const QString dir = assets.path("ポコリ の ゲーム");
        QVERIFY(QDir().mkdir(dir));
        for (const QString& name : TestAssets::kPictures + TestAssets::kSounds)
            QVERIFY(QFile::copy(assets.path(name), dir + "/" + name));
        QProcess game;
        game.start(QCoreApplication::applicationFilePath(), {"--child", when, dir});
        QVERIFY(game.waitForFinished(30'000));
        QCOMPARE(game.exitStatus(), QProcess::NormalExit);
        QCOMPARE(game.exitCode(), 1);
        const QString errors = QString::fromUtf8(game.readAllStandardError());
        QVERIFY2(errors.contains(dir + "/" + file) && errors.contains("ファイルがありません"), qPrintable(errors));
    }
};

int main(int argc, char** argv)
{
    if (argc == 4 && qstrcmp(argv[1], "--child") == 0)
        return playAsTheGame(argc, argv);
    QApplication app(argc, argv);
    BrokenFilesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_broken_files.moc"
