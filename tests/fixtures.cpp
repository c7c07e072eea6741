#include "tests/fixtures.h"

#include "app/action_button.h"
#include "app/picture_box.h"
#include "media/asset_error.h"
#include "media/game_timer.h"
#include "tests/sample_files.h"

#include <QFile>
#include <QImage>
#include <QtTest>

const QStringList TestAssets::kPictures{"stt.bmp",  "0.bmp",     "1.bmp",     "2.bmp",    "3.bmp",
                                        "img1.bmp", "img2.bmp",  "end0.bmp",  "end1.bmp", "end1b.bmp",
                                        "end2.bmp", "end2b.bmp", "end2c.bmp", "end.bmp"};
const QStringList TestAssets::kSounds{"0.wav", "1.wav", "2.wav", "3.wav", "4.wav", "5.wav", "6.wav", "7.wav", "8.wav"};

TestAssets::TestAssets(int musicMs)
{
    for (const QString& name : kPictures)
        write(name, bitmapBytes(BitmapKind::Rgb24, {16, 16}, colourOf(name)));
    for (const QString& name : kSounds)
        write(name, waveBytes({}, name == "0.wav" ? musicMs : 200));
}

void TestAssets::write(const QString& fileName, const QByteArray& bytes) const
{
    QFile file(path(fileName));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QColor TestAssets::colourOf(const QString& fileName)
{
    const int index = static_cast<int>(kPictures.indexOf(fileName));
    return QColor(QColor::fromHsv(index * 360 / static_cast<int>(kPictures.size()), 200, 220).rgb());
}

QColor centreColour(const QPixmap& pixmap)
{
    if (pixmap.isNull())
        return {};
    return pixmap.toImage().pixelColor(pixmap.width() / 2, pixmap.height() / 2);
}

TestGame::TestGame(int musicMs)
    : assets(musicMs)
{
    auto record = [this](QWidget*, const QString& text) {
        int ending = -1;
        for (int i = 4; i < SoundBank::kSize; ++i)
            if (window->sounds()[i].isPlaying())
                ending = i;
        told.append({text, scene(), timer("promptTimer").isTicking(), ending});
    };
    auto fail = [this](const AssetError& error) { fatalErrors << error.path() + ": " + error.reason(); };
    window = std::make_unique<GameWindow>(random, record, fail, assets.dir());
}

TestGame::~TestGame() = default;

void TestGame::start()
{
    window->start();
    window->show();
}

void TestGame::clickTitle()
{
    QTest::mouseClick(controls().titlePicture, Qt::LeftButton, {}, QPoint(100, 100));
}

void TestGame::press(int action, int times, Qt::MouseButton button)
{
    for (int i = 0; i < times; ++i)
        QTest::mouseClick(controls().actionButtons[action], button);
}

void TestGame::tick()
{
    GameTimer& prompts = timer("promptTimer");
    QVERIFY2(prompts.isTicking(), "the prompt timer ticked while stopped");
    emit prompts.tick();
}

void TestGame::endFlash()
{
    GameTimer& flash = timer("flashTimer");
    QVERIFY2(flash.isTicking(), "the flash timer ticked while stopped");
    QCOMPARE(flash.interval(), 300);
    emit flash.tick();
}

void TestGame::tickToTheLastPrompt()
{
    for (int tick = 1; tick < 30; ++tick) {
        random.script({0.0f, drawFor((window->round().currentAction() + 1) % 3)});
        this->tick();
    }
}

GameTimer& TestGame::timer(const char* name) const
{
    return *window->findChild<GameTimer*>(QLatin1String(name));
}

QColor TestGame::scene() const
{
    return centreColour(controls().scenePicture->pixmap());
}
