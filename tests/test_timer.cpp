// The game's interval timer: what starts, restarts and stops a countdown.
#include "game_timer.h"

#include <QSignalSpy>
#include <QtTest>

class TimerTest : public QObject {
    Q_OBJECT
private slots:
    void zeroIntervalNeverTicks()
    {
        GameTimer timer(0, true);
        QSignalSpy ticks(&timer, &GameTimer::tick);
        QVERIFY(timer.isEnabled());
        QVERIFY(!timer.isTicking());
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(ticks.count(), 0);
        timer.setEnabled(false);
        timer.setEnabled(true);
        QVERIFY(!timer.isTicking());
        timer.setInterval(5);
        QVERIFY(timer.isTicking());
        QVERIFY(ticks.wait(1000));
        timer.setInterval(0);
        QVERIFY(!timer.isTicking());
    }

    void settingTheIntervalRestartsARunningCountdown()
    {
        GameTimer timer(10'000, true);
        timer.setInterval(20'000);
        QVERIFY(timer.remainingTime() > 10'000);
        timer.setInterval(20'000); // the same value restarts it too
        QVERIFY(timer.remainingTime() > 19'000);
        QCOMPARE(timer.interval(), 20'000);
    }

    void settingTheIntervalOfAStoppedTimerKeepsItStopped()
    {
        GameTimer timer(500, false);
        timer.setInterval(1'000);
        QVERIFY(!timer.isTicking());
        QCOMPARE(timer.remainingTime(), -1);
        timer.setEnabled(true);
        QVERIFY(timer.isTicking());
        QVERIFY(timer.remainingTime() > 500);
    }

    void disablingDiscardsTheCountdown()
    {
        GameTimer timer(5, true);
        QSignalSpy ticks(&timer, &GameTimer::tick);
        timer.setEnabled(false);
        QVERIFY(!ticks.wait(50));
        QCOMPARE(timer.interval(), 5);
    }

    void enablingARunningTimerKeepsItsCountdown()
    {
        GameTimer timer(20'000, true);
        QTest::qWait(30);
        const int before = timer.remainingTime();
        timer.setEnabled(true);
        QVERIFY(timer.remainingTime() <= before);
    }

    void ticksRepeatWhileEnabled()
    {
        GameTimer timer(2, true);
        QSignalSpy ticks(&timer, &GameTimer::tick);
        QTRY_VERIFY_WITH_TIMEOUT(ticks.count() >= 3, 2000);
    }
};

QTEST_GUILESS_MAIN(TimerTest)
#include "test_timer.moc"
