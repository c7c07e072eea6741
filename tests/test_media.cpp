// The game's timer and sound channels, alone: what starts, restarts and
// stops a countdown or a sound, and silence where a sound cannot play.
#include "media/audio_device.h"
#include "media/game_timer.h"
#include "media/sound_channel.h"
#include "tests/fixtures.h"
#include "tests/sample_files.h"

#include <QSignalSpy>
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
    void aZeroIntervalNeverTicks()
    {
        GameTimer timer(0, true);
        QSignalSpy ticks(&timer, &GameTimer::tick);
        QVERIFY(!timer.isTicking());
        QCoreApplication::processEvents();
        QCOMPARE(ticks.count(), 0);
        timer.setInterval(5);
        QVERIFY(ticks.wait(1000));
        timer.setInterval(0);
        QVERIFY(!timer.isTicking());
    }

    void settingTheIntervalRestartsTheCountdown()
    {
        GameTimer timer(10'000, true);
        QTest::qWait(20);
        timer.setInterval(10'000); // the same value restarts it too
        QVERIFY(timer.remainingTime() > 9'990);
        GameTimer stopped(500, false);
        stopped.setInterval(1'000);
        QVERIFY(!stopped.isTicking()); // a stopped timer only takes the value
    }

    void enablingStartsAndDisablingDiscardsACountdown()
    {
        GameTimer timer(10'000, false);
        timer.setEnabled(true);
        QVERIFY(timer.remainingTime() > 9'000);
        QTest::qWait(20);
        const int before = timer.remainingTime();
        timer.setEnabled(true); // already running: the countdown goes on
        QVERIFY(timer.remainingTime() <= before);
        timer.setEnabled(false);
        QVERIFY(!timer.isTicking());
        QCOMPARE(timer.interval(), 10'000);
    }

    void aChannelPlaysRewindsPausesAndCloses()
    {
        SoundChannel closed(1);
        QCOMPARE(closed.lengthMs(), 0);
        closed.restart();
        QVERIFY(!closed.isPlaying());

        auto channel = opened(1, 1500);
        QCOMPARE(channel->lengthMs(), 1500);
        QVERIFY(!channel->isPlaying());
        channel->play();
        QVERIFY(channel->isPlaying());
        channel->rewind();
        QVERIFY(!channel->isPlaying());
        channel->play();
        channel->pause();
        QVERIFY(!channel->isPlaying());
        channel->play(); // on from where it paused
        QVERIFY(channel->isPlaying());
        channel->close();
        QVERIFY(!channel->isOpen() && !channel->isPlaying());
        channel->restart(); // closed for good: silent
        QVERIFY(!channel->isPlaying());
    }

    void aSoundPlayedToItsEndMustBeRewound()
    {
        auto channel = opened(3, 20);
        channel->play();
        QTRY_VERIFY_WITH_TIMEOUT(!channel->isPlaying(), 2000);
        channel->play();
        QVERIFY(!channel->isPlaying());
        channel->restart();
        QVERIFY(channel->isPlaying());
    }

    void channelsMixAndRestartOnlyThemselves()
    {
        auto first = opened(4, 1500);
        auto second = opened(5, 1500);
        first->restart();
        second->restart();
        first->rewind();
        QVERIFY(!first->isPlaying() && second->isPlaying());
    }

    void withoutAnAudioDeviceEveryChannelIsSilent()
    {
        m_device.reset();
        auto channel = opened(1, 1500);
        channel->restart();
        QVERIFY(!channel->isOpen() && !channel->isPlaying());
        QCOMPARE(channel->lengthMs(), 0);
        m_device = std::make_unique<AudioDevice>();
    }

    void initTestCase()
    {
        m_device = std::make_unique<AudioDevice>();
        QVERIFY(m_device->isOpen());
    }

private:
    TestAssets m_assets;
    std::unique_ptr<AudioDevice> m_device;
};

QTEST_MAIN(MediaTest)
#include "test_media.moc"
