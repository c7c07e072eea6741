// A sound channel alone: what starts and stops a sound, and silence where a
// sound cannot play; and the game's timer.
#include "media/audio_device.h"
#include "media/game_timer.h"
#include "media/sound_channel.h"
#include "samples/sample_files.h"
#include "tests/fixtures.h"

#include <QtTest>

class MediaTest : public QObject {
    Q_OBJECT

    // A channel opened on a fresh test wave of the given length.
    std::unique_ptr<SoundChannel> opened(int mixerChannel, int ms)
    {
        const QString name = QString("%1.wav").arg(ms);
        m_assets.write(name, waveBytes({}, ms));
        auto channel = std::make_unique<SoundChannel>(mixerChannel);
        channel->open(m_assets.path(name));
        return channel;
    }

private slots:
    void aChannelPlaysFromTheStartAndCloses()
    {
        auto channel = opened(1, 1500);
        auto other = opened(2, 1500);
        QCOMPARE(channel->lengthMs(), 1500);
        other->play();
        channel->play();
        QVERIFY(channel->isPlaying() && other->isPlaying()); // channels mix
        channel->close();
        channel->play(); // closed for good: silent
        QVERIFY(!channel->isOpen() && !channel->isPlaying() && other->isPlaying());
    }

    void withoutAnAudioDeviceEveryChannelIsSilent()
    {
        m_device.reset();
        auto channel = opened(1, 1500);
        channel->play();
        QVERIFY(!channel->isOpen() && !channel->isPlaying());
        QCOMPARE(channel->lengthMs(), 0);
        m_device = std::make_unique<AudioDevice>(kSoundCount);
    }

    // A timer ticks again and again at its interval, and never with an
    // interval of 0.
    void aTimerTicksAtEveryInterval()
    {
        GameTimer timer(0, true);
        int ticks = 0;
        connect(&timer, &GameTimer::tick, [&] { ++ticks; });
        QTest::qWait(20);
        QCOMPARE(ticks, 0);
        timer.setInterval(2);
        QTRY_VERIFY(ticks >= 3);
    }

    void initTestCase()
    {
        m_device = std::make_unique<AudioDevice>(kSoundCount);
        QVERIFY(m_device->isOpen());
    }

private:
    TestAssets m_assets;
    std::unique_ptr<AudioDevice> m_device;
};

QTEST_MAIN(MediaTest)
#include "test_media.moc"
