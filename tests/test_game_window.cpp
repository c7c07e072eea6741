// The game window as a player meets it, driven through its widgets and
// timers: what it shows, how a round plays from the title to an ending and
// back, and which input it answers.
#include "game/game_info.h"
#include "media/game_timer.h"
#include "samples/sample_files.h"
#include "tests/fixtures.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <SDL_mixer.h>

#include <atomic>
#include <optional>

Q_DECLARE_METATYPE(Ending)
Q_DECLARE_METATYPE(std::optional<Ending>)

namespace {

QList<QWidget*> playControls(const WindowControls& c)
{
    return {c.promptLabel, c.promptSuffixLabel, c.hitCountLabel,    c.missCountLabel,   c.hitCaption,
            c.missCaption, c.quitHint,          c.actionButtons[0], c.actionButtons[1], c.actionButtons[2]};
}

bool allHidden(const QList<QWidget*>& widgets)
{
    return std::ranges::all_of(widgets, &QWidget::isHidden);
}

// A double-click at a point of the window, as Qt delivers it: a press and a
// release, then the double-click event and a release, each to whatever lies
// there at that moment.
void doubleClickAt(QWidget* window, QPoint at)
{
    QWidget* first = window->childAt(at);
    QTest::mouseClick(first, Qt::LeftButton, {}, first->mapFrom(window, at));
    QWidget* second = window->childAt(at);
    QTest::mouseDClick(second, Qt::LeftButton, {}, second->mapFrom(window, at));
    QTest::mouseRelease(second, Qt::LeftButton, {}, second->mapFrom(window, at));
}

std::atomic<int> halts[kSoundCount];
// Buffers of the mixer's output with something to hear in them.
std::atomic<int> audibleBuffers;

} // namespace

class GameWindowTest : public QObject {
    Q_OBJECT
private slots:
    void theFirstShowingResetsTheRoundToTheTitleOnce()
    {
        TestGame game(1234);
        game.random.script({drawFor(2), 0.0f});
        game.start();
        GameTimer& music = game.timer("musicTimer"); // the music loops at its own length
        QVERIFY(music.interval() == 1234 && music.isTicking() && game.window->sound(Sound::Music).isPlaying());
        emit music.tick(); // from the start again
        QVERIFY(halts[int(Sound::Music)].load() == 1 && game.window->sound(Sound::Music).isPlaying());
        QTRY_VERIFY(audibleBuffers > 0); // and heard
        const GameWindow& w = *game.window;
        QCOMPARE(w.windowTitle(), QString(kGameTitle));
        QVERIFY(w.minimumSize() == QSize(282, 381) && w.maximumSize() == QSize(282, 381));
        QVERIFY(w.windowFlags().testFlag(Qt::WindowCloseButtonHint)
                && !(w.windowFlags() & Qt::WindowMinMaxButtonsHint));
        const WindowControls& c = game.controls();
        QCOMPARE(centreColour(c.titlePicture->pixmap()), TestAssets::colourOf("stt.bmp"));
        QVERIFY(allHidden(playControls(c)));
        QCOMPARE(c.promptLabel->text(), toQString(actionCaption(2)));
        QCOMPARE(c.hitCountLabel->text() + c.missCountLabel->text(), QString("00"));
        QCOMPARE(game.timer("promptTimer").interval(), 800);
        QVERIFY(!game.timer("promptTimer").isTicking());

        // Stretched over the whole window, to its far corner.
        QCOMPARE(game.window->grab().toImage().pixelColor(281, 380), TestAssets::colourOf("stt.bmp"));
        // A press dragged off the picture before its release is no click, nor
        // is one with another mouse button.
        QTest::mousePress(c.titlePicture, Qt::LeftButton, {}, QPoint(100, 100));
        QTest::mouseRelease(c.titlePicture, Qt::LeftButton, {}, QPoint(-5, 100));
        QTest::mouseClick(c.titlePicture, Qt::RightButton, {}, QPoint(100, 100));
        QTest::mouseClick(c.titlePicture, Qt::MiddleButton, {}, QPoint(100, 100));
        QVERIFY(game.told.isEmpty() && c.titlePicture->isVisible());
        game.clickTitle();
        // Back from each message box, or from another program: no new round.
        game.window->hide();
        game.window->show();
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(game.window.get(), &activate);
        QCOMPARE(game.random.drawsTaken, 2);
        QVERIFY(c.titlePicture->isHidden());
    }

    // Whole rounds through the window, one for each ending: the intro, 29
    // prompts with presses of every mouse button, the pace changed midway,
    // the ending as its story tells it, and a double-click back to the title
    // and into the next.
    void aWholeRoundEndsAsTheCountsChoose_data()
    {
        QTest::addColumn<int>("hits");
        QTest::addColumn<int>("misses");
        QTest::addColumn<Ending>("ending");
        QTest::newRow("full rescue") << 66 << 200 << Ending::FullRescue;
        QTest::newRow("rescue") << 65 << 0 << Ending::Rescue;
        QTest::newRow("after-effect") << 31 << 40 << Ending::RescueWithAfterEffect;
        QTest::newRow("close call") << 30 << 29 << Ending::DeathAfterCloseCall;
        QTest::newRow("death") << 2 << 2 << Ending::Death;
    }
    void aWholeRoundEndsAsTheCountsChoose()
    {
        QFETCH(int, hits);
        QFETCH(int, misses);
        QFETCH(Ending, ending);
        TestGame game;
        game.assets.write("2.wav", waveBytes({}, 5000));
        game.random.script({drawFor(1), 0.5f});
        game.start();
        game.assets.write("0.bmp", bitmapBytes(BitmapKind::Rgb24, {4, 4}, Qt::black)); // read afresh
        game.clickTitle();
        const WindowControls& c = game.controls();
        GameTimer& prompts = game.timer("promptTimer");
        QList<ToldMessage> intro = introTelling();
        intro[0].scene = Qt::black;
        QCOMPARE(game.told, intro);
        QCOMPARE(game.scene(), TestAssets::colourOf("0.bmp")); // the idle scene, as loaded at start-up
        // Stretched to the picture's size, to its far corner inside the frame.
        const QPoint sceneCorner = c.scenePicture->geometry().bottomRight() - QPoint(2, 2);
        QCOMPARE(game.window->grab().toImage().pixelColor(sceneCorner), TestAssets::colourOf("0.bmp"));
        QVERIFY(c.titlePicture->isHidden() && std::ranges::all_of(playControls(c), &QWidget::isVisible));
        QCOMPARE(c.promptLabel->text(), toQString(actionCaption(1)));
        QCOMPARE(c.promptLabel->palette().color(QPalette::WindowText), QColor(Qt::red));
        QVERIFY(prompts.isTicking() && prompts.interval() == 1800);

        QTest::mousePress(c.actionButtons[1], Qt::LeftButton); // the scene shows it while held
        QCOMPARE(game.scene(), TestAssets::colourOf("2.bmp"));
        // And the button looks pressed: its face darker.
        QVERIFY(c.actionButtons[1]->isDown());
        QCOMPARE(game.window->grab().toImage().pixelColor(c.actionButtons[1]->pos() + QPoint(3, 22)),
                 QColor(154, 204, 154));
        QTest::mouseRelease(c.actionButtons[1], Qt::LeftButton);
        QCOMPARE(game.scene(), TestAssets::colourOf("0.bmp"));
        game.endFlash(); // gone from the screen, the prompt still counts
        QVERIFY(c.promptLabel->isHidden() && c.promptSuffixLabel->isHidden());
        game.press(1, hits - 2, Qt::RightButton);
        QCOMPARE(halts[int(Sound::HeartMassage)].load(), hits - 2); // each press starts the sound again
        game.press(2, misses, Qt::MiddleButton);
        QVERIFY(game.window->sound(Sound::HeartMassage).isPlaying()
                && game.window->sound(Sound::Call).isPlaying() == (misses > 0));
        for (int tick = 1; tick < 30; ++tick) {
            if (tick == 10) { // heavy, from the next gap on
                c.paceButtons[1]->click();
                QVERIFY(prompts.interval() == 1800 && prompts.remainingTime() > 1700);
            }
            const int next = (game.window->round().currentAction() + 1) % kActionCount;
            game.random.script({0.5f, drawFor(next)});
            game.tick();
            QCOMPARE(prompts.interval(), tick < 10 ? 1800 : 1000);
            QVERIFY(prompts.remainingTime() > prompts.interval() - 100); // counted from this tick
            QCOMPARE(c.promptLabel->text(), toQString(actionCaption(next)));
            QVERIFY(c.promptLabel->isVisible() && c.promptSuffixLabel->isVisible());
            game.endFlash();
        }
        game.press(game.window->round().currentAction()); // against the latest prompt
        QCOMPARE(c.hitCountLabel->text() + "/" + c.missCountLabel->text(), QString("%1/%2").arg(hits).arg(misses));

        game.told.clear();
        game.tick();
        // No prompt, and no ending sound yet, under any message; then the
        // ending's sound alone.
        QCOMPARE(game.told, endingTelling(ending));
        QCOMPARE(game.scene(), TestAssets::colourOf(kClosingPicture));
        QCOMPARE(game.endingSoundsPlaying(), endingSoundFile(ending));
        QVERIFY(game.window->sound(Sound::Music).isPlaying()); // the music goes on
        QVERIFY(c.hitCountLabel->isVisible() && c.hitCountLabel->text() == QString::number(hits));
        QVERIFY(allHidden({c.promptLabel, c.actionButtons[0], c.actionButtons[1], c.actionButtons[2]}));
        QVERIFY(!prompts.isTicking());

        // A double-click on a picture is one click: back to the title, and
        // no further; then from the title into one intro.
        doubleClickAt(game.window.get(), {100, 100});
        QVERIFY(c.titlePicture->isVisible() && allHidden(playControls(c)));
        doubleClickAt(game.window.get(), {100, 100});
        QCOMPARE(game.told.size(), endingTelling(ending).size() + intro.size());
        QVERIFY(c.titlePicture->isHidden());
    }

    void aClickOnTheSceneAbandonsTheRoundSilently()
    {
        TestGame game;
        game.start();
        game.clickTitle();
        const WindowControls& c = game.controls();
        ActionButton* breath = c.actionButtons[0];
        game.press(0, 2);
        doubleClickAt(game.window.get(), breath->geometry().center()); // two presses
        breath->setFocus(); // the keyboard gives no first aid
        for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter})
            QTest::keyClick(breath, key);
        breath->click();
        QCOMPARE(game.window->round().hits() + game.window->round().misses(), 4);
        c.aboutButton->click(); // changes nothing
        QCOMPARE(game.told.last().text,
                 QString("ポコリ救出劇：Ver%1\r\n制作：ポコリー救出劇 開発チーム").arg(kGameVersion));
        QVERIFY(game.timer("promptTimer").isTicking());

        game.random.script({drawFor(2), 0.99f});
        QTest::mouseClick(c.scenePicture, Qt::LeftButton);
        QCOMPARE(game.told.size(), 4);
        QVERIFY(c.titlePicture->isVisible() && allHidden(playControls(c)));
        QVERIFY(!game.timer("promptTimer").isTicking());
        QCOMPARE(game.timer("promptTimer").interval(), 2780);
        QCOMPARE(c.promptLabel->text(), toQString(actionCaption(2)));
        QCOMPARE(c.hitCountLabel->text() + c.missCountLabel->text(), QString("00"));
        emit game.timer("flashTimer").tick(); // a flash still pending does no harm
        QVERIFY(c.promptLabel->isHidden());
    }

    // Asked to quit as a desktop asks, by closing every window, from inside
    // any message of a story, or just as the round's last tick is due: the
    // game ends at once, no message follows, nothing ticks or sounds again.
    void aQuitEndsTheGameWhateverIsOpen_data()
    {
        QTest::addColumn<std::optional<Ending>>("ending"); // none: in the intro
        QTest::addColumn<int>("message"); // the one open; -1: none, before the last tick
        QTest::newRow("the intro's first message") << std::optional<Ending>() << 0;
        for (Ending ending : {Ending::FullRescue, Ending::RescueWithAfterEffect, Ending::Rescue,
                              Ending::DeathAfterCloseCall, Ending::Death}) {
            for (qsizetype i = 0; i < endingTelling(ending).size(); ++i)
                QTest::addRow("ending %d, message %lld", int(ending), i + 1) << std::optional(ending) << int(i);
        }
        QTest::newRow("the last tick") << std::optional(Ending::Death) << -1;
    }
    void aQuitEndsTheGameWhateverIsOpen()
    {
        QFETCH(std::optional<Ending>, ending);
        QFETCH(int, message);
        TestGame game;
        int ended = 0;
        connect(game.window.get(), &GameWindow::ended, [&] { ++ended; });
        game.start();
        int open = 0;
        const qsizetype before = ending ? introTelling().size() : 0; // messages before the ending's
        const qsizetype quitAt = message < 0 ? -1 : before + message;
        game.whileMessageOpen = [&] {
            if (open++ == quitAt)
                QApplication::closeAllWindows();
        };
        game.clickTitle();
        if (ending) {
            game.playToTheLastTick(*ending);
            if (message < 0)
                QApplication::closeAllWindows();
            else
                game.tick();
            // A tick already on its way when the window closed finds no one.
            emit game.timer("promptTimer").tick();
        }
        QCOMPARE(game.told.size(), message < 0 ? before : quitAt + 1);
        QCOMPARE(ended, 1);
        QVERIFY(!game.window->isVisible());
        for (const char* timer : {"promptTimer", "flashTimer", "musicTimer"})
            QVERIFY2(!game.timer(timer).isTicking(), timer);
        for (int i = 0; i < kSoundCount; ++i)
            QVERIFY(!game.window->sound(Sound(i)).isPlaying());
        QVERIFY(game.controls().actionButtons[0]->isHidden() || message < 0);
    }

    // Like option buttons: one group that Tab enters once, at the chosen
    // one, and in which the arrow keys move the choice.
    void thePaceChoiceIsOneGroup()
    {
        TestGame game;
        game.start();
        const WindowControls& c = game.controls();
        game.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(game.window.get()));
        c.aboutButton->setFocus();
        QTest::keyClick(c.aboutButton, Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QVERIFY(c.paceButtons[1]->hasFocus() && c.paceButtons[1]->isChecked() && !c.paceButtons[0]->isChecked());
        QCOMPARE(game.window->round().pace().baseMs, 500);
        QTest::keyClick(c.paceButtons[1], Qt::Key_Backtab); // past the other one, out of the group
        QCOMPARE(QApplication::focusWidget(), c.aboutButton);
        QTest::mouseClick(c.paceButtons[1], Qt::LeftButton); // chosen already: stays chosen
        QVERIFY(c.paceButtons[1]->isChecked() && !c.paceButtons[0]->isChecked());
    }

    void initTestCase()
    {
        Mix_ChannelFinished([](int channel) { ++halts[channel]; });
        Mix_SetPostMix(
            [](void*, Uint8* stream, int bytes) {
                const std::span samples(reinterpret_cast<const Sint16*>(stream), std::size_t(bytes) / 2);
                if (std::ranges::any_of(samples, [](Sint16 sample) { return std::abs(sample) > 1000; }))
                    ++audibleBuffers;
            },
            nullptr);
    }
    void init()
    {
        for (auto& count : halts)
            count = 0;
        audibleBuffers = 0;
    }
};

QTEST_MAIN(GameWindowTest)
#include "test_game_window.moc"
