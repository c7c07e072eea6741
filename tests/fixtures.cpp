#include "fixtures.h"

#include "fom.h"
#include "picture_box.h"

#include <QDataStream>
#include <QFile>
#include <QImage>
#include <QtTest>

#include <cmath>

const QStringList TestAssets::kPictures{
    "stt.bmp", "0.bmp", "1.bmp", "2.bmp", "3.bmp", "img1.bmp", "img2.bmp",
    "end0.bmp", "end1.bmp", "end1b.bmp", "end2.bmp", "end2b.bmp", "end2c.bmp", "end.bmp"};
const QStringList TestAssets::kSounds{"0.wav", "1.wav", "2.wav", "3.wav", "4.wav",
                                      "5.wav", "6.wav", "7.wav", "8.wav"};

float ScriptedRandom::draw()
{
    ++drawsTaken;
    if (m_draws.empty())
        return 0.5f;
    const float next = m_draws.front();
    m_draws.pop_front();
    return next;
}

TestAssets::TestAssets(int musicMs)
{
    for (const QString& name : kPictures)
        writePicture(name, colourOf(name));
    for (const QString& name : kSounds)
        writeWave(name, name == "0.wav" ? musicMs : 200);
}

QColor TestAssets::colourOf(const QString& fileName)
{
    const int index = static_cast<int>(kPictures.indexOf(fileName));
    return QColor(QColor::fromHsv((index * 360 / static_cast<int>(kPictures.size())) % 360, 200, 220).rgb());
}

void TestAssets::writePicture(const QString& fileName, QColor colour) const
{
    QImage image(16, 16, QImage::Format_RGB888);
    image.fill(colour);
    QVERIFY(image.save(path(fileName), "BMP"));
}

void TestAssets::writeWave(const QString& fileName, int ms) const
{
    constexpr int rate = 44100;
    const qint32 frames = rate * ms / 1000;
    QFile file(path(fileName));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    const qint32 dataBytes = frames * 2;
    out.writeRawData("RIFF", 4);
    out << qint32(36 + dataBytes);
    out.writeRawData("WAVEfmt ", 8);
    out << qint32(16) << qint16(1) << qint16(1) << qint32(rate) << qint32(rate * 2) << qint16(2)
        << qint16(16);
    out.writeRawData("data", 4);
    out << dataBytes;
    for (qint32 i = 0; i < frames; ++i)
        out << qint16(8000 * std::sin(i * 0.05));
}

void TestAssets::remove(const QString& fileName) const
{
    QFile::remove(path(fileName));
}

TestGame::TestGame(int musicMs)
    : assets(musicMs)
{
    auto record = [this](QWidget*, const QString& text) {
        messages.texts << text;
        messages.sceneColours << sceneColour();
    };
    fom = std::make_unique<Fom>(random, record, assets.dir());
}

TestGame::~TestGame() = default;

void TestGame::load()
{
    fom->Form_Load();
    fom->show();
}

void TestGame::startRound()
{
    fom->ImgStt_Click();
}

void TestGame::press(int action, int times)
{
    for (int i = 0; i < times; ++i) {
        fom->Com_MouseDown(action);
        fom->Com_MouseUp(action);
    }
}

void TestGame::tickToTheLastPrompt()
{
    for (int tick = 1; tick < 30; ++tick) {
        const int last = fom->state().CurrentAction;
        random.script({0.0f, drawFor((last + 1) % 3)});
        fom->Tim_Timer();
    }
}

QColor centreColour(const QPixmap& pixmap)
{
    if (pixmap.isNull())
        return {};
    return pixmap.toImage().pixelColor(pixmap.width() / 2, pixmap.height() / 2);
}

QColor TestGame::sceneColour() const
{
    return centreColour(fom->controls().Img->pixmap());
}
