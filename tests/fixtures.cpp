#include "tests/fixtures.h"

#include "assets/asset_files.h"
#include "media/asset_error.h"
#include "media/game_timer.h"
#include "samples/sample_files.h"

#include <QFile>
#include <QImage>
#include <QtTest>

#include <map>
#include <optional>

const QStringList& TestAssets::pictures()
{
    static const QStringList names = [] {
        QStringList names;
        for (const PictureFile& file : kPictureFiles)
            names << file.name;
        return names;
    }();
    return names;
}

const QStringList& TestAssets::sounds()
{
    static const QStringList names(std::begin(kSoundFiles), std::end(kSoundFiles));
    return names;
}

TestAssets::TestAssets(int musicMs)
{
    for (const QString& name : pictures())
        write(name, bitmapBytes(BitmapKind::Rgb24, {16, 16}, colourOf(name)));
    for (const QString& name : sounds())
        write(name, waveBytes({}, name == sounds().front() ? musicMs : lengthOf(name)));
}

int TestAssets::lengthOf(const QString& soundFile)
{
    return 200 + 10 * QString(soundFile).remove(".wav").toInt();
}

void TestAssets::write(const QString& fileName, const QByteArray& bytes) const
{
    QFile file(path(fileName));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QColor TestAssets::colourOf(const QString& fileName)
{
    const int index = static_cast<int>(pictures().indexOf(fileName));
    return QColor(QColor::fromHsv(index * 360 / static_cast<int>(pictures().size()), 200, 220).rgb());
}

QColor centreColour(const QPixmap& pixmap)
{
    if (pixmap.isNull())
        return {};
    return pixmap.toImage().pixelColor(pixmap.width() / 2, pixmap.height() / 2);
}

namespace {

// What a player sees and hears of each story (tellings.txt): each message
// over the picture under it, and the sound file that follows the last.
struct Telling {
    QList<ToldMessage> told;
    QString sound;
};

std::map<std::optional<Ending>, Telling> readTellings()
{
    const std::map<QString, std::optional<Ending>> stories{{"intro", std::nullopt},
                                                           {"FullRescue", Ending::FullRescue},
                                                           {"RescueWithAfterEffect", Ending::RescueWithAfterEffect},
                                                           {"Rescue", Ending::Rescue},
                                                           {"DeathAfterCloseCall", Ending::DeathAfterCloseCall},
                                                           {"Death", Ending::Death}};
    QFile file(":/tellings.txt");
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("no tellings");
    std::map<std::optional<Ending>, Telling> tellings;
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
        const QStringList fields = line.split(' ', Qt::SkipEmptyParts);
        if (fields.isEmpty() || fields.first().startsWith('#'))
            continue;
        const std::optional<Ending> ending = stories.at(fields.first());
        Telling& telling = tellings[ending];
        telling.sound = fields.last() == "-" ? QString() : fields.last();
        // The texts are the model's own, which its test pins.
        for (const StoryStep& step : ending ? endingStory(*ending) : introStory())
            if (step.kind == StoryStep::Kind::Message)
                telling.told.append({QString::fromUtf8(step.text),
                                     TestAssets::colourOf(fields.value(telling.told.size() + 1)),
                                     false,
                                     {}});
        if (telling.told.size() != fields.size() - 2)
            qFatal("%s: %lld messages, %lld pictures", qPrintable(fields.first()), telling.told.size(),
                   fields.size() - 2);
    }
    return tellings;
}

const Telling& tellingOf(std::optional<Ending> ending)
{
    static const std::map<std::optional<Ending>, Telling> tellings = readTellings();
    return tellings.at(ending);
}

} // namespace

QList<ToldMessage> introTelling()
{
    return tellingOf(std::nullopt).told;
}

QList<ToldMessage> endingTelling(Ending ending)
{
    return tellingOf(ending).told;
}

QString endingSoundFile(Ending ending)
{
    return tellingOf(ending).sound;
}

TestGame::TestGame(int musicMs)
    : assets(musicMs)
{
    auto record = [this](QWidget*, const QString& text) {
        told.append({text, scene(), timer("promptTimer").isTicking(), endingSoundsPlaying()});
        if (whileMessageOpen)
            whileMessageOpen();
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
    QVERIFY2(!flash.isTicking(), "the flash timer goes on after the prompt vanished");
}

void TestGame::playToTheLastTick(Ending ending)
{
    // Counts that choose each ending, with or without the presses of each
    // action that a sound's test makes first.
    const std::map<Ending, std::pair<int, int>> counts{{Ending::FullRescue, {66, 0}},
                                                       {Ending::Rescue, {64, 0}},
                                                       {Ending::RescueWithAfterEffect, {64, 64}},
                                                       {Ending::DeathAfterCloseCall, {29, 27}},
                                                       {Ending::Death, {0, 0}}};
    const auto [hits, misses] = counts.at(ending);
    QCOMPARE(chooseEnding(hits, misses), ending);
    const int action = window->round().currentAction();
    press(action, hits);
    press((action + 1) % kActionCount, misses);
    for (int tick = 1; tick < 30; ++tick) { // each prompting an action other than the last
        random.script({0.0f, drawFor((window->round().currentAction() + 1) % kActionCount)});
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

QString TestGame::endingSoundsPlaying() const
{
    QStringList playing;
    for (int i = int(Sound::CloseCallEnding); i < kSoundCount; ++i)
        for (const QString& file : TestAssets::sounds())
            if (window->sound(Sound(i)).isPlaying() && TestAssets::lengthOf(file) == window->sound(Sound(i)).lengthMs())
                playing << file;
    return playing.join(' ');
}
