// Files spoiled every way a file can be. A picture that cannot be read is
// refused with the reason why, and stops the window with an error box over
// the last picture shown; a sound that cannot be read is silent and the
// game goes on. The real program is run as well, to see the error reach
// stderr and the exit status from start-up, a click and a timer.
#include "desktop/game_application.h"
#include "desktop/game_timer.h"
#include "desktop/message_box.h"
#include "media/audio_device.h"
#include "media/bitmap_loader.h"
#include "media/sound_channel.h"
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
Q_DECLARE_METATYPE(PictureFault)

namespace {

// Spoils a file of the folder: "missing", "directory", "empty", "half",
// "other format", "60000 x 60000" (a run-length bitmap claiming that size),
// "run-length cut off", "a byte short".
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

// The game as main.cpp starts it, over the folder given, driven from within
// to the point where the picture given is deleted: start-up or the prompt
// timer's last tick. Message boxes are answered at once;
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
    GameWindow window(random, showGameMessage, showErrorBox, dir);
    QObject::connect(
        &window, &GameWindow::ended, &app, [](int status) { GameApplication::exit(status); }, Qt::QueuedConnection);

    window.start();
    QTimer::singleShot(0, &window, [&] {
        QTest::mouseClick(window.controls()[Control::TitlePicture], Qt::LeftButton, {}, QPoint(100, 100));
        auto* prompts = window.findChild<GameTimer*>("promptTimer");
        for (int tick = 1; tick < 30; ++tick)
            QTimer::singleShot(0, prompts, &GameTimer::tick);
        QTimer::singleShot(0, prompts, [prompts, lost] {
            QFile::remove(lost);
            emit prompts->tick();
        });
    });
    const int status = GameApplication::exec();
    // What stood under the error as the game ended.
    const QPixmap scene = window.controls().as<PictureBox>(Control::ScenePicture)->pixmap();
    std::printf("shown %d, scene %s\n", window.isVisible(), qPrintable(centreColour(scene).name()));
    return status;
}

} // namespace

class BrokenFilesTest : public QObject {
    Q_OBJECT
private slots:
    // A picture file spoiled every way, and the reason the game is given.
    void aSpoiledPictureIsRefusedWithItsReason_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<PictureFault>("fault");
        QTest::newRow("missing") << "missing" << PictureFault::Missing;
        QTest::newRow("directory") << "directory" << PictureFault::NotAFile;
        QTest::newRow("empty") << "empty" << PictureFault::Empty;
        QTest::newRow("half") << "half" << PictureFault::CutOff;
        QTest::newRow("other format") << "other format" << PictureFault::NotABitmap;
        QTest::newRow("60000 x 60000") << "60000 x 60000" << PictureFault::TooLarge;
        QTest::newRow("run-length cut off") << "run-length cut off" << PictureFault::CutOff;
    }
    void aSpoiledPictureIsRefusedWithItsReason()
    {
        QFETCH(QString, how);
        QFETCH(PictureFault, fault);
        const TestAssets assets;
        spoil(assets, "img1.bmp", how);
        const Bitmap bitmap = loadBitmap(assets.path("img1.bmp"));
        QVERIFY(std::holds_alternative<PictureFault>(bitmap));
        QCOMPARE(std::get<PictureFault>(bitmap), fault);
    }

    // Each sound spoiled is silent, and the game goes on to its end.
    void aSpoiledSoundIsSilent_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("how");
        for (const QString& file : TestAssets::sounds())
            QTest::addRow("%s missing", qPrintable(file)) << file << "missing";
        for (const QString how : {"empty", "half", "other format", "directory", "a byte short"})
            QTest::addRow("6.wav %s", qPrintable(how)) << "6.wav" << how;
    }
    void aSpoiledSoundIsSilent()
    {
        QFETCH(QString, file);
        QFETCH(QString, how);
        TestGame game;
        spoil(game.assets, file, how);
        game.window->start();
        game.clickTitle();
        for (int k = 0; k < kActionCount; ++k) {
            game.press(k);
            QCOMPARE(game.window->sound(actionSound(k)).isPlaying(), file != TestAssets::sounds()[int(actionSound(k))]);
        }
        game.press(game.window->round().currentAction(), 64); // the rescue, whose sound is 6.wav
        for (int tick = 1; tick <= 30; ++tick) {
            game.random.script({0.0f, drawFor((game.window->round().currentAction() + 1) % kActionCount)});
            game.tick();
        }
        QVERIFY(game.errors.isEmpty());
        QCOMPARE(game.scene(), TestAssets::colourOf("end.bmp"));
        for (int i = 0; i < kSoundCount; ++i)
            QCOMPARE(game.window->sound(Sound(i)).isOpen(), file != TestAssets::sounds()[i]);
        QCOMPARE(game.timer("musicTimer").isTicking(), file != TestAssets::sounds()[int(Sound::Music)]);
    }

    // Bitmaps and waves come in many kinds; the game reads every one, and
    // the music's length, resampled, to the nearest ms.
    void everyKindOfFileIsRead_data()
    {
        QTest::addColumn<BitmapKind>("picture");
        QTest::addColumn<WaveFormat>("sound");
        QTest::addColumn<int>("soundMs");
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
    void everyKindOfFileIsRead()
    {
        QFETCH(BitmapKind, picture);
        QFETCH(WaveFormat, sound);
        QFETCH(int, soundMs);
        const TestAssets assets;
        assets.write("0.bmp", bitmapBytes(picture, {15, 9}, TestAssets::colourOf("0.bmp")));
        const Bitmap bitmap = loadBitmap(assets.path("0.bmp"));
        QVERIFY(std::holds_alternative<QImage>(bitmap));
        QCOMPARE(std::get<QImage>(bitmap).pixelColor(7, 4), TestAssets::colourOf("0.bmp"));
        assets.write("0.wav", waveBytes(sound, soundMs));
        {
            const AudioDevice device(1);
            SoundChannel channel(0);
            channel.open(assets.path("0.wav"));
            channel.play();
            QVERIFY(channel.isPlaying() && qAbs(channel.lengthMs() - soundMs) <= 1);
        }
        SoundChannel channel(0); // with no audio device, silent
        channel.open(assets.path("0.wav"));
        channel.play();
        QVERIFY(!channel.isOpen() && !channel.isPlaying() && channel.lengthMs() == 0);
    }

    // The program stops at the step that needs the picture, the last picture
    // shown under its error (none at start-up, where the window never shows).
    void theGameStopsOverAPictureLostDuringPlay_data()
    {
        QTest::addColumn<QString>("when");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("under");
        QTest::newRow("at start-up") << QString("start-up") << QString("3.bmp") << QString("shown 0, scene #000000");
        // No press: the death, whose picture is shown before its closing one.
        QTest::newRow("at the last tick, after a message")
            << QString("ending") << QString("end.bmp") << QString("end0.bmp");
    }
    void theGameStopsOverAPictureLostDuringPlay()
    {
        QFETCH(QString, when);
        QFETCH(QString, file);
        QFETCH(QString, under);
        if (under.endsWith(".bmp"))
            under = "shown 1, scene " + TestAssets::colourOf(under).name();
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
        const QString box = QGuiApplication::platformName() == "offscreen"
            ? QString()
            : QString("error box: ポコリー救出劇\n画像ファイルを読み込めません。\n%1/%2\nファイルがありません。\n")
                  .arg(dir, file);
        QCOMPARE(QString::fromUtf8(game.readAllStandardOutput()), box + under + "\n");
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
