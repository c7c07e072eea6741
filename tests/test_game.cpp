// The game as every view plays it, through a view that records what it is
// asked to do: start-up, whole rounds to each ending, the paces, the about
// box, what a message box holds back, quitting, and pictures that cannot be
// read or come late. Also the window's table and the stories' form.
#include "game/game.h"
#include "game/game_info.h"
#include "game/picture_error.h"
#include "tests/scripted_random.h"
#include "tests/tellings.h"

#include <QtTest>

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <set>

Q_DECLARE_METATYPE(Ending)
Q_DECLARE_METATYPE(std::optional<Ending>)

namespace {

// A view that keeps what the game asks of it, where a test can look.
class RecordingView final : public GameView {
public:
    // What the test arranges.
    Game* game = nullptr;
    std::set<std::string> missing; // picture files that cannot be read
    std::set<std::string> arriving; // picture files shown only at arrive()
    bool boxesWait = false; // message boxes stay open until the test dismisses them
    std::function<void()> whileMessageOpen; // for boxes that do not wait
    int musicMs = 1000;

    // A message box opened, with what stood around it: the picture under it,
    // whether a prompt could come, and how many sounds had started by then.
    struct Told {
        QString text, scene;
        bool promptTimerOn;
        std::size_t soundsPlayed;
    };

    std::array<bool, kControlCount> shown{};
    std::array<QString, kControlCount> captions, pictures; // pictures: the file shown in each
    std::array<QString, kKeptPictures> kept;
    std::optional<Control> chosen;
    std::array<int, kTimerCount> intervals{};
    std::array<bool, kTimerCount> enabled{};
    bool soundsOpen = false;
    std::vector<Sound> played;
    QList<Told> told;
    QString stoppedWith;

    void showControl(Control control, bool visible) override { shown[index(control)] = visible; }
    void setCaption(Control control, const std::string& caption, const std::string&) override
    {
        captions[index(control)] = QString::fromStdString(caption);
    }
    void showChosen(Control paceButton) override { chosen = paceButton; }
    bool showPicture(Control picture, const std::string& fileName) override
    {
        if (arriving.contains(fileName)) {
            m_coming = {picture, fileName};
            return false;
        }
        if (missing.contains(fileName))
            game->pictureUnreadable("assets/" + fileName, PictureFault::Missing);
        else
            pictures[index(picture)] = QString::fromStdString(fileName);
        return true;
    }
    void keepPicture(int slot, const std::string& fileName) override
    {
        if (missing.contains(fileName))
            game->pictureUnreadable("assets/" + fileName, PictureFault::Missing);
        else
            kept.at(std::size_t(slot)) = QString::fromStdString(fileName);
    }
    void showKeptPicture(int slot) override { pictures[index(Control::ScenePicture)] = kept.at(std::size_t(slot)); }
    void openSounds() override { soundsOpen = true; }
    void playSound(Sound sound) override
    {
        if (soundsOpen)
            played.push_back(sound);
    }
    int soundLengthMs(Sound sound) override { return !soundsOpen ? 0 : sound == Sound::Music ? musicMs : 100; }
    void closeSounds() override { soundsOpen = false; }
    void setTimerInterval(Timer timer, int ms) override { intervals[index(timer)] = ms; }
    void setTimerEnabled(Timer timer, bool on) override { enabled[index(timer)] = on; }
    bool showMessage(const std::string& text) override
    {
        told.append({QString::fromStdString(text), pictures[index(Control::ScenePicture)],
                     enabled[index(Timer::Prompt)], played.size()});
        if (boxesWait)
            return false;
        if (whileMessageOpen)
            whileMessageOpen();
        return true;
    }
    void stop(const std::string& errorText) override { stoppedWith = QString::fromStdString(errorText); }

    // The picture on its way is shown, and the game told.
    void arrive()
    {
        pictures[index(m_coming.value().first)] = QString::fromStdString(m_coming.value().second);
        game->pictureArrived();
    }
    [[nodiscard]] bool ticking(Timer timer) const { return enabled[index(timer)] && intervals[index(timer)] > 0; }
    [[nodiscard]] QString scene() const { return pictures[index(Control::ScenePicture)]; }
    [[nodiscard]] bool isShown(Control control) const { return shown[index(control)]; }

private:
    static std::size_t index(auto value) { return static_cast<std::size_t>(value); }
    std::optional<std::pair<Control, std::string>> m_coming;
};

// The controls a round shows in play and hides at the title and its end.
constexpr std::array kPlayControls{Control::PromptLabel, Control::PromptSuffix, Control::HitCount,
                                   Control::MissCount,   Control::HitCaption,   Control::MissCaption,
                                   Control::QuitHint,    Control::BreathButton, Control::HeartMassageButton,
                                   Control::CallButton};

// Counts that choose each ending, each at a boundary of its choice.
const std::map<Ending, std::pair<int, int>> kCountsFor{{Ending::FullRescue, {66, 200}},
                                                       {Ending::RescueWithAfterEffect, {31, 31}},
                                                       {Ending::Rescue, {65, 64}},
                                                       {Ending::DeathAfterCloseCall, {30, 29}},
                                                       {Ending::Death, {30, 30}}};

// The game over a recording view, with the draws scripted.
struct Play {
    RecordingView view;
    ScriptedRandom random;
    Game game{view, random};

    Play() { view.game = &game; }
    void start()
    {
        game.start();
        game.windowShown();
    }
    void press(int action, int times = 1)
    {
        for (int i = 0; i < times; ++i) {
            game.press(actionButton(action));
            game.release(actionButton(action));
        }
    }
    // In play: the presses that choose the ending, then ticks 1 to 29, each
    // prompting an action other than the last, and its flash.
    void playToTheLastTick(Ending ending)
    {
        const auto [hits, misses] = kCountsFor.at(ending);
        const int action = game.round().currentAction();
        press(action, hits);
        press((action + 1) % kActionCount, misses);
        for (int tick = 1; tick < kTicksPerRound; ++tick) {
            const int next = (game.round().currentAction() + 1) % kActionCount;
            random.script({0.0f, drawFor(next)});
            game.tick(Timer::Prompt);
            QCOMPARE(view.captions[int(Control::PromptLabel)], QString::fromStdString(actionCaption(next)));
            game.tick(Timer::Flash);
        }
    }
    [[nodiscard]] QStringList scenesTold() const
    {
        QStringList scenes;
        for (const auto& told : view.told)
            scenes << told.scene;
        return scenes;
    }
};

} // namespace

class GameTest : public QObject {
    Q_OBJECT
private slots:
    void startUpShowsTheTitleOverTheWindowAndLoopsTheMusic()
    {
        Play play;
        play.view.musicMs = 1234;
        play.random.script({drawFor(2), 0.0f});
        play.game.start();
        QVERIFY(play.view.ticking(Timer::Music) && play.view.intervals[int(Timer::Music)] == 1234);
        QVERIFY(play.view.played == std::vector{Sound::Music});
        // Where the music arrives late, it starts then, and loops at its length.
        play.view.musicMs = 2000;
        play.game.soundArrived(Sound::Music);
        QVERIFY(play.view.played.size() == 2 && play.view.intervals[int(Timer::Music)] == 2000);

        play.game.windowShown();
        play.game.windowShown(); // back from a box or another program: no new round
        QCOMPARE(play.random.drawsTaken, 2);
        QVERIFY(play.view.isShown(Control::TitlePicture));
        for (Control control : kPlayControls)
            QVERIFY(!play.view.isShown(control));
        QCOMPARE(play.view.captions[int(Control::PromptLabel)], QString("呼びかけ"));
        QVERIFY(!play.view.ticking(Timer::Prompt) && play.view.intervals[int(Timer::Prompt)] == 800);
    }

    // Whole rounds, one to each ending: the intro, play, 29 prompts and the
    // ending as a player sees and hears it, then back to the title.
    void aWholeRoundEndsAsTheCountsChoose_data()
    {
        QTest::addColumn<Ending>("ending");
        for (Ending ending : {Ending::FullRescue, Ending::RescueWithAfterEffect, Ending::Rescue,
                              Ending::DeathAfterCloseCall, Ending::Death})
            QTest::addRow("%s", qPrintable(tellingOf(ending).sound)) << ending;
    }
    void aWholeRoundEndsAsTheCountsChoose()
    {
        QFETCH(Ending, ending);
        Play play;
        play.random.script({drawFor(1), 0.5f});
        play.start();
        play.game.click(Control::TitlePicture);
        QCOMPARE(play.scenesTold(), tellingOf(std::nullopt).scenes);
        QVERIFY(!play.view.isShown(Control::TitlePicture));
        for (Control control : kPlayControls)
            QVERIFY(play.view.isShown(control));
        QCOMPARE(play.view.scene(), QString("0.bmp"));
        QVERIFY(play.view.ticking(Timer::Flash) && play.view.intervals[int(Timer::Flash)] == kPromptFlashMs);
        play.game.tick(Timer::Flash); // gone from the screen, the prompt still counts
        QVERIFY(!play.view.isShown(Control::PromptLabel) && !play.view.isShown(Control::PromptSuffix));

        play.view.told.clear();
        const std::size_t playedBefore = play.view.played.size();
        const auto [hits, misses] = kCountsFor.at(ending);
        play.playToTheLastTick(ending);
        QCOMPARE(play.view.captions[int(Control::HitCount)] + "/" + play.view.captions[int(Control::MissCount)],
                 QString("%1/%2").arg(hits).arg(misses));

        play.game.tick(Timer::Prompt);
        // Each message over its picture, with no prompt to come and no
        // ending sound yet; then the ending's sound, and its last picture.
        QCOMPARE(play.scenesTold(), tellingOf(ending).scenes);
        for (const auto& told : play.view.told)
            QVERIFY(!told.promptTimerOn && told.soundsPlayed == playedBefore + std::size_t(hits + misses));
        QCOMPARE(QString("%1.wav").arg(int(play.view.played.back())), tellingOf(ending).sound);
        QCOMPARE(play.view.scene(), QString("end.bmp"));
        QVERIFY(play.view.isShown(Control::HitCount) && !play.view.isShown(Control::BreathButton));
        QVERIFY(!play.view.isShown(Control::PromptLabel) && !play.view.ticking(Timer::Prompt));
    }

    // A pace chosen holds from the next gap drawn; the gap running stays. A
    // click on the scene in play abandons the round: back to the title, the
    // next round drawn, nothing told; under the title picture, nothing.
    void thePaceHoldsFromTheNextGapAndAClickOnTheSceneAbandonsTheRound()
    {
        Play play;
        play.start();
        play.game.click(Control::ScenePicture); // under the title picture
        play.game.click(Control::TitlePicture);
        play.game.choose(Control::HeavyPaceButton);
        QVERIFY(play.view.chosen == Control::HeavyPaceButton && play.view.intervals[int(Timer::Prompt)] == 1800);
        play.random.script({0.5f, drawFor(0)});
        play.game.tick(Timer::Prompt);
        QCOMPARE(play.view.intervals[int(Timer::Prompt)], 1000);
        play.game.choose(Control::LightPaceButton);
        play.press(0, 3);
        play.random.script({drawFor(2), 0.99f});
        play.game.click(Control::ScenePicture);
        play.game.click(Control::ScenePicture); // under the title again
        QCOMPARE(play.random.drawsTaken, 2 + 2 + 2);
        QCOMPARE(play.view.told.size(), 3);
        QVERIFY(play.view.isShown(Control::TitlePicture) && !play.view.isShown(Control::BreathButton));
        QVERIFY(!play.view.ticking(Timer::Prompt) && play.view.intervals[int(Timer::Prompt)] == 2780);
        QCOMPARE(play.view.captions[int(Control::HitCount)], QString("0"));
        play.game.press(Control::BreathButton); // hidden, and no round in play
        QCOMPARE(play.game.round().hits() + play.game.round().misses(), 0);
    }

    // While a message box is open, a story's or the about box, nothing a
    // player or a screen reader does reaches the game: the pace chosen
    // under it is taken back. Once it is dismissed, all goes on.
    void nothingReachesTheGameUnderAMessageBox_data()
    {
        QTest::addColumn<bool>("inPlay"); // the about box in play, or the intro's first message
        QTest::newRow("the intro's first message") << false;
        QTest::newRow("the about box in play") << true;
    }
    void nothingReachesTheGameUnderAMessageBox()
    {
        QFETCH(bool, inPlay);
        Play play;
        play.view.boxesWait = true;
        play.start();
        play.game.click(Control::TitlePicture);
        if (inPlay) {
            for (int message = 0; message < 3; ++message)
                play.game.messageDismissed();
            play.game.click(Control::AboutButton);
            QCOMPARE(play.view.told.last().text,
                     QString("ポコリ救出劇：Ver%1\r\n制作：ポコリー救出劇 開発チーム").arg(kGameVersion));
        }
        const qsizetype told = play.view.told.size();
        const int draws = play.random.drawsTaken;
        const QString scene = play.view.scene();
        for (Control control : {Control::TitlePicture, Control::ScenePicture, Control::AboutButton})
            play.game.click(control);
        play.press(0);
        play.game.choose(Control::HeavyPaceButton);
        QCOMPARE(play.view.told.size(), told);
        QCOMPARE(play.random.drawsTaken, draws);
        QCOMPARE(play.view.scene(), scene);
        QCOMPARE(play.game.round().hits() + play.game.round().misses(), 0);
        QVERIFY(play.view.chosen == Control::LightPaceButton);
        QCOMPARE(play.game.round().pace().baseMs, kLightPace.baseMs);

        play.game.messageDismissed();
        QCOMPARE(play.view.told.size(), told + (inPlay ? 0 : 1)); // the story goes on
        play.game.messageDismissed();
        play.game.messageDismissed();
        play.game.messageDismissed(); // one box too many: no harm
        play.press(0);
        QCOMPARE(play.game.round().hits() + play.game.round().misses(), 1);
        QVERIFY(play.view.ticking(Timer::Prompt));
    }

    // A button still held when the round ends, released under the ending's
    // first message or after its last, leaves the ending's pictures.
    void aReleaseAfterTheLastTickChangesNothing()
    {
        Play play;
        play.start();
        play.game.click(Control::TitlePicture);
        play.playToTheLastTick(Ending::Death);
        play.view.boxesWait = true;
        const Control miss = actionButton((play.game.round().currentAction() + 1) % kActionCount);
        play.game.press(miss);
        play.game.tick(Timer::Prompt);
        play.game.release(miss);
        QCOMPARE(play.view.scene(), QString("end0.bmp"));
        play.game.messageDismissed();
        play.game.release(miss);
        play.game.press(miss);
        QCOMPARE(play.view.scene(), QString("end.bmp"));
        QCOMPARE(play.game.round().misses(), kCountsFor.at(Ending::Death).second + 1);
    }

    // Asked to quit from inside any message of a story, or just as the
    // round's last tick is due: nothing more is told, nothing ticks or
    // sounds again, and a tick already on its way finds no one.
    void aQuitEndsTheGameWhateverIsOpen_data()
    {
        QTest::addColumn<std::optional<Ending>>("ending"); // none: in the intro
        QTest::addColumn<int>("message"); // the one open; -1: none, before the last tick
        QTest::newRow("the intro's first message") << std::optional<Ending>() << 0;
        for (Ending ending : {Ending::FullRescue, Ending::RescueWithAfterEffect, Ending::Rescue,
                              Ending::DeathAfterCloseCall, Ending::Death}) {
            for (qsizetype i = 0; i < tellingOf(ending).scenes.size(); ++i)
                QTest::addRow("%s, message %lld", qPrintable(tellingOf(ending).sound), i + 1)
                    << std::optional(ending) << int(i);
        }
        QTest::newRow("the last tick") << std::optional(Ending::Death) << -1;
    }
    void aQuitEndsTheGameWhateverIsOpen()
    {
        QFETCH(std::optional<Ending>, ending);
        QFETCH(int, message);
        Play play;
        play.start();
        const qsizetype before = ending ? tellingOf(std::nullopt).scenes.size() : 0;
        const qsizetype quitAt = message < 0 ? -1 : before + message;
        play.view.whileMessageOpen = [&] {
            if (play.view.told.size() - 1 == quitAt)
                play.game.end();
        };
        play.game.click(Control::TitlePicture);
        if (ending) {
            play.playToTheLastTick(*ending);
            if (message < 0)
                play.game.end();
            else
                play.game.tick(Timer::Prompt);
        }
        // A tick or a click already on its way finds no one.
        play.game.tick(Timer::Prompt);
        play.game.tick(Timer::Music);
        play.game.click(Control::ScenePicture);
        QCOMPARE(play.view.told.size(), message < 0 ? before : quitAt + 1);
        for (int timer = 0; timer < kTimerCount; ++timer)
            QVERIFY(!play.view.enabled[timer]);
        QVERIFY(!play.view.soundsOpen);
        QVERIFY(play.view.scene() != "end.bmp");
        QVERIFY(play.view.stoppedWith.isEmpty());
    }

    // A picture that cannot be read stops the game at the step that needed
    // it, with its path and why, and the last picture shown stays under the
    // error: nothing follows, at start-up no music and no window.
    void aPictureThatCannotBeReadStopsTheGame_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<std::optional<Ending>>("ending"); // the story that needs it; none: the intro
        QTest::addColumn<QString>("sceneUnder");
        QTest::newRow("the title") << "stt.bmp" << std::optional<Ending>() << "";
        QTest::newRow("a kept picture") << "3.bmp" << std::optional<Ending>() << "";
        QTest::newRow("in the intro") << "img2.bmp" << std::optional<Ending>() << "img1.bmp";
        QTest::newRow("the closing picture") << "end.bmp" << std::optional(Ending::Rescue) << "end1.bmp";
    }
    void aPictureThatCannotBeReadStopsTheGame()
    {
        QFETCH(QString, file);
        QFETCH(std::optional<Ending>, ending);
        QFETCH(QString, sceneUnder);
        Play play;
        play.view.missing.insert(file.toStdString());
        play.start();
        play.game.click(Control::TitlePicture);
        if (ending)
            play.playToTheLastTick(*ending);
        play.game.tick(Timer::Prompt);
        QCOMPARE(play.view.stoppedWith,
                 QString::fromStdString(pictureErrorText("assets/" + file.toStdString(), PictureFault::Missing)));
        QCOMPARE(play.view.scene(), sceneUnder);
        QCOMPARE(play.view.played.empty(), sceneUnder.isEmpty()); // at start-up no music
        if (file == "stt.bmp") // nothing after the failing step
            QVERIFY(std::ranges::all_of(play.view.kept, &QString::isEmpty));
        QCOMPARE(play.view.isShown(Control::TitlePicture), false); // never shown, or hidden by the intro
        QVERIFY(!play.view.soundsOpen && !play.view.enabled[int(Timer::Prompt)]
                && !play.view.enabled[int(Timer::Music)]);
        play.game.messageDismissed(); // nothing answers again
        play.game.click(Control::ScenePicture);
        QCOMPARE(play.view.scene(), sceneUnder);
    }

    // A picture still on its way holds the story, with no box open, until
    // it has arrived; the about box waits too.
    void aStoryWaitsForAPictureOnItsWay()
    {
        Play play;
        play.view.arriving = {"img1.bmp"};
        play.view.boxesWait = true;
        play.start();
        play.game.click(Control::TitlePicture);
        play.game.pictureArrived(); // none is on its way: the box stays
        QCOMPARE(play.view.told.size(), 1);
        play.game.messageDismissed();
        play.game.click(Control::AboutButton);
        play.game.click(Control::TitlePicture);
        QCOMPARE(play.view.told.size(), 1);
        play.view.arrive();
        play.game.messageDismissed();
        play.game.messageDismissed();
        QCOMPARE(play.scenesTold(), tellingOf(std::nullopt).scenes);
        QVERIFY(play.view.isShown(Control::BreathButton));
    }

    // The window as a player sees it, control by control: caption, place,
    // face, text colour, type size and alignment, typed from the window's
    // design rather than read from the game's table.
    void theWindowIsDrawnAsDesigned()
    {
        struct Designed {
            Control control;
            const char* caption;
            Bounds bounds;
            std::optional<Rgb> face, text;
            double pointSize;
            Align align;
        };
        const Rgb white{255, 255, 255};
        const Rgb yellow{255, 255, 192};
        using enum Control;
        using enum Align;
        // clang-format off
        const Designed designed[]{
            {ScenePicture, "", {8, 8, 265, 265}, {}, {}, 0, Centre},
            {PromptLabel, "人工呼吸", {8, 120, 153, 25}, white, Rgb{255, 0, 0}, 14.25, Centre},
            {PromptSuffix, "してあげて！", {160, 120, 113, 25}, white, {}, 14.25, Right},
            {TitlePicture, "", {0, 0, 288, 406}, {}, {}, 0, Centre}, // over the frame too
            {QuitHint, "終了するときは絵をクリックしてね", {8, 360, 265, 17}, {}, {}, 0, Left},
            {HitCaption, "助かる比率", {8, 312, 89, 17}, {}, {}, 0, Left},
            {MissCaption, "無理っぽいさ", {96, 312, 89, 17}, {}, {}, 0, Left},
            {HitCount, "", {8, 328, 89, 25}, white, {}, 12, Right},
            {MissCount, "", {96, 328, 89, 25}, Rgb{255, 192, 255}, {}, 12, Right},
            {BreathButton, "人工呼吸", {8, 280, 89, 25}, Rgb{255, 224, 192}, {}, 0, Centre},
            {HeartMassageButton, "心臓マッサージ", {96, 280, 89, 25}, Rgb{192, 255, 192}, {}, 0, Centre},
            {CallButton, "呼びかけ", {184, 280, 89, 25}, Rgb{192, 192, 255}, {}, 0, Centre},
            {AboutButton, "ポコリ情報", {192, 304, 81, 25}, Rgb{192, 255, 255}, {}, 0, Centre},
            {LightPaceButton, "難易度：軽め", {192, 328, 81, 25}, yellow, {}, 0, Centre},
            {HeavyPaceButton, "難易度：重め", {192, 352, 81, 25}, yellow, {}, 0, Centre},
        };
        // clang-format on
        for (const Designed& d : designed) {
            const ControlLook& look = lookOf(d.control);
            const QByteArray what = QByteArray::number(int(d.control));
            QVERIFY2(look.caption == d.caption && look.bounds == d.bounds, what);
            QVERIFY2(look.faceColour == d.face && look.textColour == d.text, what);
            QVERIFY2(look.pointSize == d.pointSize && look.align == d.align, what);
            QVERIFY2(look.startsChosen == (d.control == LightPaceButton), what);
        }
    }

    // The forms the words keep: lines joined by "\r\n" with none after the
    // last, the full rescue's closing halfwidth comma, and a trailing
    // ellipsis that is one character.
    void theStoriesKeepTheirForm()
    {
        QStringList messages;
        int ellipses = 0;
        for (const auto story : {introStory(), endingStory(Ending::FullRescue), endingStory(Ending::Rescue),
                                 endingStory(Ending::RescueWithAfterEffect), endingStory(Ending::DeathAfterCloseCall)})
            for (const StoryStep& step : story)
                if (step.kind == StoryStep::Kind::Message)
                    messages << QString::fromUtf8(step.message);
        for (const QString& message : messages) {
            QVERIFY2(message.count("\n") == message.count("\r\n") && message.count("\r") == message.count("\r\n"),
                     qPrintable(message));
            QVERIFY2(!message.endsWith('\n') && !message.contains("..."), qPrintable(message));
            ellipses += message.endsWith(QChar(0x2026));
        }
        QCOMPARE(ellipses, 3);
        QCOMPARE(messages.filter("\r\n").size(), 3);
        const QString last = QString::fromUtf8(endingStory(Ending::FullRescue)[7].message);
        QVERIFY(last.contains(QChar(0xFF64)) && !last.contains(QChar(0x3001)));
    }
};

QTEST_GUILESS_MAIN(GameTest)
#include "test_game.moc"
