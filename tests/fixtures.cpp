#include "tests/fixtures.h"

#include "assets/asset_files.h"
#include "desktop/game_timer.h"
#include "samples/sample_files.h"

#include <QFile>
#include <QImage>
#include <QtTest>

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
        write(name, waveBytes({}, name == sounds().front() ? musicMs : 300));
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

QList<QColor> scenesOf(const Telling& telling)
{
    QList<QColor> scenes;
    for (const QString& file : telling.scenes)
        scenes << TestAssets::colourOf(file);
    return scenes;
}

TestGame::TestGame(int musicMs)
    : assets(musicMs)
{
    auto record = [this](QWidget*, const QString&) {
        told.append(scene());
        if (whileMessageOpen)
            whileMessageOpen();
    };
    auto recordError = [this](QWidget*, const QString& text) { errors << text; };
    window = std::make_unique<GameWindow>(random, record, recordError, assets.dir());
}

void TestGame::clickTitle()
{
    QTest::mouseClick(control<PictureBox>(Control::TitlePicture), Qt::LeftButton, {}, QPoint(100, 100));
}

void TestGame::press(int action, int times, Qt::MouseButton button)
{
    for (int i = 0; i < times; ++i)
        QTest::mouseClick(control<ActionButton>(actionButton(action)), button);
}

void TestGame::tick()
{
    GameTimer& prompts = timer("promptTimer");
    QVERIFY2(prompts.isTicking(), "the prompt timer ticked while stopped");
    emit prompts.tick();
}

GameTimer& TestGame::timer(const char* name) const
{
    return *window->findChild<GameTimer*>(QLatin1String(name));
}

QColor TestGame::scene() const
{
    return centreColour(control<PictureBox>(Control::ScenePicture)->pixmap());
}
