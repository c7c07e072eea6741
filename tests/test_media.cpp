// A sound channel alone, silent where no sound can play; and the game's
// timer.
#include "desktop/game_timer.h"
#include "media/audio_device.h"
#include "media/sound_channel.h"
#include "tests/fixtures.h"

#include <QtTest>

class MediaTest : public QObject {
    Q_OBJECT
private slots:
    // Once the audio device has closed, a channel neither opens nor plays.
    void withoutAnAudioDeviceEveryChannelIsSilent()
    {
        QVERIFY(AudioDevice(kSoundCount).isOpen()); // opened, and closed again
        const TestAssets assets;
        SoundChannel channel(1);
        channel.open(assets.path(TestAssets::sounds()[1]));
        channel.play();
        QVERIFY(!channel.isOpen() && !channel.isPlaying());
        QCOMPARE(channel.lengthMs(), 0);
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
};

QTEST_MAIN(MediaTest)
#include "test_media.moc"
