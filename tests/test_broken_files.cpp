// Every file the game reads, spoiled every way a file can be. A picture
// that cannot be read ends the game at the step that first needs it, with
// its name and the reason; a sound that cannot be read is silent and the
// game goes on. The real program is run as well, to see the error reach
// stderr and the exit status from start-up, a click and a timer.
#include "app/game_application.h"
#include "app/message_box.h"
#include "media/game_timer.h"
#include "samples/sample_files.h"
#include "tests/fixtures.h"

#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QtEndian>
#include <QtTest>

#include <cstdio>

Q_DECLARE_METATYPE(BitmapKind)
Q_DECLARE_METATYPE(WaveFormat)

namespace {

// The title, the idle scene and one scene per action: listed first.
QStringList startUpPictures()
{
    return TestAssets::pictures().first(2 + kActionCount);
}
// Whether a story shows the picture, or plays the sound, the file holds.
bool tells(const QList<ToldMessage>& telling, const QString& soundFile, const QString& file)
{
    const auto shows = [&](const ToldMessage& told) { return told.scene == TestAssets::colourOf(file); };
    return soundFile == file || std::ranges::any_of(telling, shows);
}

// Each way a picture is spoiled, and a part of the reason the game gives.
// clang-format off
const QHash<QString, QString> kPictureDamage{
    {"missing", "ありません"}, {"empty", "空"}, {"half", "切れて"},
    {"other format", "形式ではありません"}, {"directory", "フォルダー"}, {"60000 x 60000", "大きすぎ"},
    {"run-length cut off", "切れて"}};
// clang-format on
const QStringList kSoundDamage{"missing", "empty", "half", "other format", "directory", "a byte short"};

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
    } else if (how == "other format") {
        assets.write(file, file.endsWith(".bmp") ? QByteArray("GIF89a\4\0\4\0") : QByteArray("Not a sound.\n"));
    } else if (how == "60000 x 60000") {
        qToLittleEndian<qint32>(60000, rle.data() + 18);
        qToLittleEndian<qint32>(60000, rle.data() + 22);
        assets.write(file, rle);
    } else if (how == "run-length cut off") {
        assets.write(file, rle.chopped(40));
    } else if (how == "a byte short") { // the samples run past the end
        assets.write(file, bytes.chopped(1));
    }
}

// An ending that shows the picture or plays the sound, if any does.
Ending endingThatTells(const QString& file)
{
    for (Ending ending :
         {Ending::FullRescue, Ending::Rescue, Ending::RescueWithAfterEffect, Ending::DeathAfterCloseCall})
        if (tells(endingTelling(ending), endingSoundFile(ending), file))
            return ending;
    return Ending::Death;
}

// The game as main.cpp starts it, over the folder given, driven from within
// to the point where the picture given is deleted: start-up, a click on the
// title, or the prompt timer's last tick. Message boxes are answered at once;
// the text of an error box is written to stdout first.
int playAsTheGame(int argc, char** argv)
{
    GameApplication app(argc, argv);
    const QByteArray when = argv[2];
    const QString dir = QString::fromLocal8Bit(argv[3]);
    const QString lost = dir + "/" + QString::fromLocal8Bit(argv[4]);
    if (when == "start-up")
        QFile::remove(lost);
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            if (box->icon() == QMessageBox::Critical)
                std::printf("error box: %s\n%s\n", qUtf8Printable(box->windowTitle()), qUtf8Printable(box->text()));
            std::fflush(stdout);
            box->accept();
        }
    });
    answer.start(10);
    ClockRandom random;
    GameWindow window(random, showGameMessage, GameApplication::fail, dir);
    window.start();
    window.show();
    QTimer::singleShot(0, &window, [&] {
        if (when == "intro")
            QFile::remove(lost);
        QTest::mouseClick(window.controls().titlePicture, Qt::LeftButton, {}, QPoint(100, 100));
        auto* prompts = window.findChild<GameTimer*>("promptTimer");
        for (int tick = 1; tick < 30; ++tick)
            QTimer::singleShot(0, prompts, &GameTimer::tick);
        QTimer::singleShot(0, prompts, [prompts, lost] {
            QFile::remove(lost);
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
        for (const QString& file : TestAssets::pictures() + TestAssets::sounds()) {
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
        const bool atStartUp = (!picture || startUpPictures().contains(file)) && how != "half later";
        how.remove(" later");
        if (atStartUp)
            spoil(game.assets, file, how);
        game.start();
        if (!atStartUp)
            spoil(game.assets, file, how);
        if (game.fatalErrors.isEmpty()) {
            game.clickTitle();
            for (int k = 0; k < kActionCount && !picture; ++k) {
                game.press(k);
                const Sound sound = actionSound(k);
                QCOMPARE(game.window->sound(sound).isPlaying(), file != TestAssets::sounds()[int(sound)]);
            }
            if (!tells(introTelling(), {}, file)) {
                game.playToTheLastTick(endingThatTells(file));
                game.tick();
            }
        }
        if (!picture) { // silent, and the game goes on to its end
            QVERIFY(game.fatalErrors.isEmpty());
            QCOMPARE(game.scene(), TestAssets::colourOf(kClosingPicture));
            for (int i = 0; i < kSoundCount; ++i)
                QCOMPARE(game.window->sound(Sound(i)).isOpen(), file != TestAssets::sounds()[i]);
            QCOMPARE(game.timer("musicTimer").isTicking(), file != TestAssets::sounds()[int(Sound::Music)]);
            return;
        }
        QCOMPARE(game.fatalErrors.size(), 1);
        QVERIFY2(game.fatalErrors[0].startsWith(game.assets.path(file) + ": "), qPrintable(game.fatalErrors[0]));
        QVERIFY2(game.fatalErrors[0].contains(kPictureDamage.value(how)), qPrintable(game.fatalErrors[0]));
        // Nothing after the failing step: no music, no play, no prompt.
        QCOMPARE(game.window->sound(Sound::Music).isOpen(), !atStartUp);
        QVERIFY(!game.timer("promptTimer").isTicking());
        QVERIFY(game.controls().actionButtons[0]->isHidden());
    }

    // Bitmaps and waves come in many kinds; the game reads every one.
    void everyKindOfFilePlays_data()
    {
        QTest::addColumn<BitmapKind>("pictures");
        QTest::addColumn<WaveFormat>("sounds");
        QTest::addColumn<int>("musicMs");
        using enum OddChunk;
        QTest::newRow("1-bit, 8-bit sound") << BitmapKind::Mono << WaveFormat{44100, 1, 8} << 1500;
        QTest::newRow("8-bit palette, stereo") << BitmapKind::Palette8 << WaveFormat{44100, 2, 16} << 1500;
        QTest::newRow("run-length, 24-bit sound") << BitmapKind::Rle8 << WaveFormat{44100, 2, 24} << 1500;
        QTest::newRow("24-bit, float sound") << BitmapKind::Rgb24 << WaveFormat{44100, 2, 32, true} << 1500;
        QTest::newRow("32-bit, 22.05 kHz") << BitmapKind::Rgb32 << WaveFormat{22050, 1, 16} << 1500;
        QTest::newRow("96 kHz") << BitmapKind::Rgb24 << WaveFormat{96000, 2, 16} << 1500;
        QTest::newRow("ten minutes of music") << BitmapKind::Rgb24 << WaveFormat{22050, 1, 8} << 600'000;
        QTest::newRow("a padded odd chunk")
            << BitmapKind::Rgb24 << WaveFormat{44100, 1, 16, false, PaddedBeforeSamples} << 1500;
        // The last chunk's pad byte left out: every sample is there.
        QTest::newRow("an unpadded odd chunk at the end")
            << BitmapKind::Rgb24 << WaveFormat{44100, 1, 16, false, UnpaddedAtTheEnd} << 1500;
        QTest::newRow("8-bit mono, an odd number of samples") << BitmapKind::Rgb24 << WaveFormat{11025, 1, 8} << 1500;
    }
    void everyKindOfFilePlays()
    {
        QFETCH(BitmapKind, pictures);
        QFETCH(WaveFormat, sounds);
        QFETCH(int, musicMs);
        TestGame game;
        for (const QString& name : TestAssets::pictures())
            game.assets.write(name, bitmapBytes(pictures, {15, 9}, TestAssets::colourOf(name)));
        for (const QString& name : TestAssets::sounds())
            game.assets.write(name, waveBytes(sounds, name == TestAssets::sounds().front() ? musicMs : 400));
        game.start();
        QVERIFY(qAbs(game.timer("musicTimer").interval() - musicMs) <= 1); // resampled, to the nearest ms
        QVERIFY(game.window->sound(Sound::Music).isPlaying());
        game.clickTitle();
        game.press(1);
        QVERIFY(game.window->sound(Sound::HeartMassage).isPlaying());
        game.playToTheLastTick(Ending::FullRescue);
        game.tick();
        QCOMPARE(game.told, introTelling() + endingTelling(Ending::FullRescue));
        QCOMPARE(game.scene(), TestAssets::colourOf(kClosingPicture));
        QVERIFY(game.window->sound(Sound::FullRescueEnding).isPlaying());
    }

    void theGameStopsOverAPictureLostDuringPlay_data()
    {
        QTest::addColumn<QString>("when");
        QTest::addColumn<QString>("file");
        QTest::newRow("at start-up") << "start-up" << startUpPictures().last();
        QTest::newRow("at a click on the title, after a message") << "intro" << QString(introStory()[2].text);
        QTest::newRow("at the last tick, after a message") << "ending" << kClosingPicture;
    }
    void theGameStopsOverAPictureLostDuringPlay()
    {
        QFETCH(QString, when);
        QFETCH(QString, file);
        TestAssets assets; // in a folder whose name has spaces and Japanese in it
        const QString dir = assets.path("ポコリ の ゲーム");
        QVERIFY(QDir().mkdir(dir));
        for (const QString& name : TestAssets::pictures() + TestAssets::sounds())
            QVERIFY(QFile::copy(assets.path(name), dir + "/" + name));
        QProcess game;
        game.start(QCoreApplication::applicationFilePath(), {"--child", when, dir, file});
        QVERIFY(game.waitForFinished(30'000));
        QCOMPARE(game.exitStatus(), QProcess::NormalExit);
        QCOMPARE(game.exitCode(), 1);
        const QString errors = QString::fromUtf8(game.readAllStandardError());
        QVERIFY2(errors.contains(dir + "/" + file) && errors.contains("ファイルがありません"), qPrintable(errors));
        // On a display the player sees it too, in a box that ends the game
        // when dismissed; on a headless platform nobody could.
        const QString box = QString::fromUtf8(game.readAllStandardOutput());
        if (QGuiApplication::platformName() == "offscreen")
            QCOMPARE(box, QString());
        else
            QCOMPARE(
                box,
                QString("error box: ポコリー救出劇\n画像ファイルを読み込めません。\n%1/%2\nファイルがありません。\n")
                    .arg(dir, file));
    }
};

int main(int argc, char** argv)
{
    if (argc == 5 && qstrcmp(argv[1], "--child") == 0)
        return playAsTheGame(argc, argv);
    QApplication app(argc, argv);
    BrokenFilesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_broken_files.moc"
