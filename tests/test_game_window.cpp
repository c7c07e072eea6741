// The game window as a player meets it, driven through its widgets and
// timers: what only the desktop's view does, with every mouse button, double
// clicks, the keyboard, its real timers and channels, and one whole round.
#include "desktop/game_timer.h"
#include "game/game_info.h"
#include "samples/sample_files.h"
#include "tests/fixtures.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <SDL_mixer.h>

#include <atomic>

namespace {

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
    // One whole round through the widgets: the title, the music looping
    // through its own timer and heard, presses of every mouse button, double
    // clicks, the keyboard and a plain click, the pace changed, the timers'
    // own ticks, the ending, and a double click back to the title.
    void aWholeRoundThroughTheWidgets()
    {
        TestGame game(40);
        game.assets.write("2.wav", waveBytes({}, 5000));
        game.random.script({drawFor(1), 0.5f});
        game.window->start();
        QCOMPARE(game.timer("musicTimer").interval(), 40);
        QTRY_VERIFY(halts[int(Sound::Music)].load() >= 4 && audibleBuffers > 0); // from its start again and again
        const GameWindow& w = *game.window;
        QVERIFY(w.isVisible() && w.windowTitle() == kGameTitle);
        QVERIFY(w.minimumSize() == QSize(282, 381) && w.maximumSize() == QSize(282, 381));
        QVERIFY(w.windowFlags().testFlag(Qt::WindowCloseButtonHint)
                && !(w.windowFlags() & Qt::WindowMinMaxButtonsHint));
        QCOMPARE(game.window->grab().toImage().pixelColor(281, 380), TestAssets::colourOf("stt.bmp"));
        // A click on the title picture with another mouse button is none.
        auto* title = game.control<PictureBox>(Control::TitlePicture);
        QTest::mouseClick(title, Qt::RightButton, {}, QPoint(100, 100));
        QTest::mouseClick(title, Qt::MiddleButton, {}, QPoint(100, 100));
        QVERIFY(game.told.isEmpty() && title->isVisible());
        game.assets.write("0.bmp", bitmapBytes(BitmapKind::Rgb24, {4, 4}, Qt::black)); // read afresh
        game.clickTitle();
        const WindowControls& c = game.controls();
        GameTimer& prompts = game.timer("promptTimer");
        QList<QColor> intro = scenesOf(tellingOf(std::nullopt));
        intro[0] = Qt::black;
        QCOMPARE(game.told, intro);
        QCOMPARE(game.scene(), TestAssets::colourOf("0.bmp")); // the idle scene, as loaded at start-up
        const QPoint sceneCorner = c[Control::ScenePicture]->geometry().bottomRight() - QPoint(2, 2);
        QCOMPARE(game.window->grab().toImage().pixelColor(sceneCorner), TestAssets::colourOf("0.bmp"));
        QCOMPARE(c.as<QLabel>(Control::PromptLabel)->palette().color(QPalette::WindowText), QColor(Qt::red));

        auto* massage = game.control<ActionButton>(Control::HeartMassageButton);
        QTest::mousePress(massage, Qt::LeftButton); // the scene shows it while held
        QCOMPARE(game.scene(), TestAssets::colourOf("2.bmp"));
        QVERIFY(massage->isDown()); // and the button looks pressed: its face darker
        QCOMPARE(game.window->grab().toImage().pixelColor(massage->pos() + QPoint(3, 22)), QColor(154, 204, 154));
        QTest::mouseRelease(massage, Qt::LeftButton);
        QCOMPARE(game.scene(), TestAssets::colourOf("0.bmp"));
        game.press(1, 2, Qt::RightButton);
        game.press(1, 1, Qt::MiddleButton);
        doubleClickAt(game.window.get(), massage->geometry().center()); // two presses
        QCOMPARE(halts[int(Sound::HeartMassage)].load(), 5); // each press starts the sound again
        massage->setFocus(); // the keyboard gives no first aid, nor a click alone
        for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter})
            QTest::keyClick(massage, key);
        massage->click();
        game.press(2, 1);
        QVERIFY(game.window->sound(Sound::HeartMassage).isPlaying() && game.window->sound(Sound::Call).isPlaying());

        game.control<QPushButton>(Control::HeavyPaceButton)->click(); // from the next gap on
        QVERIFY(prompts.interval() == 1800 && prompts.remainingTime() > 1700);
        for (int tick = 1; tick < 30; ++tick) {
            game.random.script({0.5f, drawFor((game.window->round().currentAction() + 1) % kActionCount)});
            game.tick();
            emit game.timer("flashTimer").tick();
        }
        QVERIFY(prompts.interval() == 1000 && prompts.remainingTime() > 900); // counted from the last tick
        QVERIFY(c[Control::PromptLabel]->isHidden() && !game.timer("flashTimer").isTicking());
        QTest::mousePress(c[Control::BreathButton], Qt::LeftButton); // held as the round ends, let go after its
        game.told.clear(); // boxes: nothing more
        game.tick();
        QTest::mouseRelease(c[Control::BreathButton], Qt::LeftButton);
        QCOMPARE(game.told, scenesOf(tellingOf(Ending::DeathAfterCloseCall)));
        QCOMPARE(game.scene(), TestAssets::colourOf("end.bmp"));
        QVERIFY(game.window->sound(Sound::CloseCallEnding).isPlaying());

        // A double-click on a picture is one click: back to the title, and
        // no further; then from the title into one intro.
        doubleClickAt(game.window.get(), {100, 100});
        QVERIFY(c[Control::TitlePicture]->isVisible() && c[Control::BreathButton]->isHidden());
        doubleClickAt(game.window.get(), {100, 100});
        QCOMPARE(game.told.size(), tellingOf(Ending::DeathAfterCloseCall).scenes.size() + intro.size());
        QVERIFY(c[Control::TitlePicture]->isHidden());
    }

    // Like option buttons: one group in which the arrow keys move the
    // choice, and a click on the chosen one keeps it.
    void thePaceChoiceIsOneGroup()
    {
        TestGame game;
        game.window->start();
        auto* light = game.control<QPushButton>(Control::LightPaceButton);
        auto* heavy = game.control<QPushButton>(Control::HeavyPaceButton);
        game.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(game.window.get()));
        light->setFocus();
        QTest::keyClick(light, Qt::Key_Down);
        QVERIFY(heavy->hasFocus() && heavy->isChecked() && !light->isChecked());
        QCOMPARE(game.window->round().pace().baseMs, 500);
        QTest::mouseClick(heavy, Qt::LeftButton); // chosen already: stays chosen
        QVERIFY(heavy->isChecked() && !light->isChecked());
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
