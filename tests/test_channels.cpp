// Sound channels over SDL_mixer's dummy driver: the command words, their
// order, and silence where a file cannot be played.
#include "audio_device.h"
#include "fixtures.h"
#include "sound_channel.h"

#include <QFile>
#include <QtTest>

class ChannelTest : public QObject {
    Q_OBJECT

    // A channel opened on a fresh test wave of the given length.
    std::unique_ptr<SoundChannel> opened(int mixerChannel, const QString& name, int ms)
    {
        m_assets.writeWave(name, ms);
        auto channel = std::make_unique<SoundChannel>(mixerChannel);
        channel->setFileName(m_assets.path(name));
        channel->command(u"open");
        return channel;
    }

private slots:
    void initTestCase()
    {
        m_device = std::make_unique<AudioDevice>();
        QVERIFY(m_device->isOpen());
    }
    void cleanupTestCase() { m_device.reset(); }

    void openReadsTheFileAndItsLength()
    {
        SoundChannel closed(1);
        QVERIFY(!closed.isOpen());
        QCOMPARE(closed.length(), 0);
        auto owned = opened(1, "long.wav", 1500);
        SoundChannel& channel = *owned;
        QVERIFY(channel.isOpen());
        QCOMPARE(channel.length(), 1500);
        QVERIFY(!channel.isPlaying());
    }

    void playRunsWithoutBlockingAndPrevStops()
    {
        auto owned = opened(1, "long.wav", 1500);
        SoundChannel& channel = *owned;
        channel.command(u"play");
        QVERIFY(channel.isPlaying());
        channel.command(u"prev");
        QVERIFY(!channel.isPlaying());
        channel.restart();
        QVERIFY(channel.isPlaying());
    }

    void stopKeepsThePositionForTheNextPlay()
    {
        auto owned = opened(2, "long.wav", 1500);
        SoundChannel& channel = *owned;
        channel.command(u"play");
        channel.command(u"stop");
        QVERIFY(!channel.isPlaying());
        channel.command(u"play");
        QVERIFY(channel.isPlaying());
        channel.command(u"close");
        QVERIFY(!channel.isOpen());
        QVERIFY(!channel.isPlaying());
        channel.command(u"play"); // closed for good: silent
        QVERIFY(!channel.isPlaying());
    }

    void aSoundPlayedToItsEndNeedsPrevBeforeItPlaysAgain()
    {
        auto owned = opened(3, "blip.wav", 20);
        SoundChannel& channel = *owned;
        channel.command(u"play");
        QTRY_VERIFY_WITH_TIMEOUT(!channel.isPlaying(), 2000);
        channel.command(u"play");
        QVERIFY(!channel.isPlaying());
        channel.restart();
        QVERIFY(channel.isPlaying());
    }

    void channelsMixAndRestartOnlyThemselves()
    {
        auto firstOwned = opened(4, "a.wav", 1500);
        auto secondOwned = opened(5, "b.wav", 1500);
        SoundChannel& first = *firstOwned;
        SoundChannel& second = *secondOwned;
        first.restart();
        second.restart();
        QVERIFY(first.isPlaying() && second.isPlaying());
        first.restart();
        QVERIFY(first.isPlaying() && second.isPlaying());
        first.command(u"prev");
        QVERIFY(!first.isPlaying() && second.isPlaying());
    }


    void withoutAnAudioDeviceEveryChannelIsSilent()
    {
        m_device.reset();
        auto owned = opened(1, "long.wav", 1500);
        SoundChannel& channel = *owned;
        channel.restart();
        QVERIFY(!channel.isOpen());
        QVERIFY(!channel.isPlaying());
        QCOMPARE(channel.length(), 0);
        m_device = std::make_unique<AudioDevice>();
    }

private:
    TestAssets m_assets;
    std::unique_ptr<AudioDevice> m_device;
};

QTEST_GUILESS_MAIN(ChannelTest)
#include "test_channels.moc"
