// A round through the real window with scripted draws and recorded message
// boxes: the reset, the intro, prompts, presses and the endings.
#include "action_button.h"
#include "fixtures.h"
#include "fom.h"
#include "picture_box.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

const QString kCaptions[3] = {"人工呼吸", "心臓マッサージ", "呼びかけ"};

bool playControlsHidden(const FomControls& c)
{
    return c.Label1->isHidden() && c.Label2->isHidden() && c.Label3->isHidden() && c.Label4->isHidden()
        && c.OKLbl->isHidden() && c.missLbl->isHidden() && c.Lbl->isHidden() && c.Com[0]->isHidden()
        && c.Com[1]->isHidden() && c.Com[2]->isHidden();
}

} // namespace

class RoundTest : public QObject {
    Q_OBJECT
private slots:
    void theFirstShowingResetsTheRoundOnce()
    {
        TestGame game;
        game.random.script({drawFor(2), 0.0f});
        game.load();
        const Fom& fom = *game.fom;
        const FomControls& c = fom.controls();
        QCOMPARE(game.random.drawsTaken, 2);
        QCOMPARE(int(fom.state().CurrentAction), 2);
        QCOMPARE(c.Lbl->text(), kCaptions[2]);
        QCOMPARE(fom.state().PromptCount, 0);
        QCOMPARE(fom.state().HitCount, 0);
        QCOMPARE(fom.state().MissCount, 0);
        QCOMPARE(c.OKLbl->text(), QString("0"));
        QCOMPARE(c.missLbl->text(), QString("0"));
        QVERIFY(c.ImgStt->isVisible());
        QVERIFY(playControlsHidden(c));
        QCOMPARE(fom.timers().Tim.interval(), 800);
        QVERIFY(!fom.timers().Tim.isTicking());

        // Coming back to the window is not a new round.
        game.fom->hide();
        game.fom->show();
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(game.fom.get(), &activate);
        QCOMPARE(game.random.drawsTaken, 2);
    }

    void theResetDrawsTheFirstGapWithTheDifficultyInForce()
    {
        TestGame game;
        game.random.script({0.0f, 0.9999f});
        game.load();
        QCOMPARE(game.fom->timers().Tim.interval(), 2799);
        game.fom->Opt_Click(1); // on the title screen: the first gap stays
        QCOMPARE(game.fom->timers().Tim.interval(), 2799);
        game.random.script({0.0f, 0.9999f});
        game.fom->Img_Click();
        QCOMPARE(game.fom->timers().Tim.interval(), 1499);
    }

    void theIntroShowsEachPictureUnderItsMessage()
    {
        TestGame game;
        game.random.script({drawFor(1), 0.5f});
        game.load();
        game.startRound();
        QCOMPARE(game.messages.texts,
                 (QStringList{"おや、誰か倒れているよ、", "大変だ！心臓が止まってる！！", "ポコリー！助けてあげてー！！"}));
        QCOMPARE(game.messages.sceneColours,
                 (QList<QColor>{TestAssets::colourOf("0.bmp"), TestAssets::colourOf("img1.bmp"),
                                TestAssets::colourOf("img2.bmp")}));

        const Fom& fom = *game.fom;
        const FomControls& c = fom.controls();
        QCOMPARE(game.sceneColour(), TestAssets::colourOf("0.bmp"));
        QVERIFY(c.ImgStt->isHidden());
        for (QWidget* w : std::initializer_list<QWidget*>{c.Label1, c.Label2, c.Label3, c.Label4, c.OKLbl, c.missLbl,
                                                          c.Lbl, c.Com[0], c.Com[1], c.Com[2]})
            QVERIFY(w->isVisible());
        QCOMPARE(c.Lbl->text(), kCaptions[1]);
        QCOMPARE(fom.timers().Tim.interval(), 1800);
        QVERIFY(fom.timers().Tim.isTicking());
        QVERIFY(fom.timers().Kestim.isTicking());
        QCOMPARE(game.random.drawsTaken, 2); // the intro draws nothing
    }

    void theIntroReadsItsPicturesAfreshButTheIdleSceneIsKept()
    {
        TestGame game;
        game.load();
        game.assets.writePicture("0.bmp", Qt::black);
        game.startRound();
        QCOMPARE(game.messages.sceneColours.first(), QColor(Qt::black));
        QCOMPARE(game.sceneColour(), TestAssets::colourOf("0.bmp"));
    }


    void eachTickPromptsANewActionAfterDrawingTheGap()
    {
        TestGame game;
        game.random.script({drawFor(0), 0.0f});
        game.load();
        game.startRound();
        Fom& fom = *game.fom;
        const FomControls& c = fom.controls();

        fom.Kestim_Timer();
        QVERIFY(c.Lbl->isHidden() && c.Label1->isHidden());
        QVERIFY(!fom.timers().Kestim.isTicking());

        // gap first (0.5 -> 1800), then actions until one differs from 0
        game.random.script({0.5f, drawFor(0), drawFor(0), drawFor(2)});
        fom.Tim_Timer();
        QCOMPARE(game.random.drawsTaken, 2 + 4);
        QCOMPARE(fom.timers().Tim.interval(), 1800);
        QVERIFY(fom.timers().Tim.isTicking());
        QCOMPARE(int(fom.state().CurrentAction), 2);
        QCOMPARE(fom.state().PromptCount, 1);
        QCOMPARE(c.Lbl->text(), kCaptions[2]);
        QVERIFY(c.Lbl->isVisible() && c.Label1->isVisible());
        QVERIFY(fom.timers().Kestim.isTicking());
    }

    void aRoundHasThirtyTicksAndEndsOnce()
    {
        TestGame game;
        game.load();
        game.startRound();
        Fom& fom = *game.fom;
        int previous = fom.state().CurrentAction;
        for (int tick = 1; tick < 30; ++tick) {
            // Offer the previous action twice first: it must be drawn again.
            const int next = (previous + 1 + tick % 2) % 3;
            game.random.script({0.25f, drawFor(previous), drawFor(previous), drawFor(next)});
            fom.Tim_Timer();
            QCOMPARE(int(fom.state().CurrentAction), next);
            QCOMPARE(fom.controls().Lbl->text(), kCaptions[fom.state().CurrentAction]);
            previous = fom.state().CurrentAction;
            fom.Kestim_Timer();
        }
        QCOMPARE(fom.state().PromptCount, 29);
        const int introMessages = static_cast<int>(game.messages.texts.size());
        const int draws = game.random.drawsTaken;
        const int interval = fom.timers().Tim.interval();

        fom.Tim_Timer();
        QCOMPARE(fom.state().PromptCount, 30);
        QCOMPARE(game.random.drawsTaken, draws); // no gap, no prompt
        QCOMPARE(fom.timers().Tim.interval(), interval);
        QCOMPARE(fom.controls().Lbl->text(), kCaptions[previous]);
        QVERIFY(fom.controls().Lbl->isHidden());
        QVERIFY(!fom.timers().Tim.isTicking());
        QCOMPARE(game.messages.texts.mid(introMessages), QStringList{"死んでしまった…"});
    }

    void aDifficultyChangeWaitsForTheNextGap()
    {
        TestGame game;
        game.random.script({0.0f, 0.9999f});
        game.load();
        game.startRound();
        Fom& fom = *game.fom;
        fom.controls().Opt[1]->click();
        QCOMPARE(fom.state().BaseInterval, 500);
        QCOMPARE(fom.state().IntervalSpread, 1000);
        QCOMPARE(fom.timers().Tim.interval(), 2799);
        game.random.script({0.9999f, drawFor(1)});
        fom.Tim_Timer();
        QCOMPARE(fom.timers().Tim.interval(), 1499);
        fom.Opt_Click(7); // no such option
        QCOMPARE(fom.state().BaseInterval, 500);
    }

    void pressesScoreAgainstTheLatestPrompt()
    {
        TestGame game;
        game.random.script({drawFor(1), 0.0f});
        game.load();
        game.startRound();
        Fom& fom = *game.fom;
        const FomControls& c = fom.controls();

        fom.Com_MouseDown(1);
        QCOMPARE(game.sceneColour(), TestAssets::colourOf("2.bmp"));
        QVERIFY(fom.channel(2).isPlaying());
        fom.Com_MouseUp(1);
        QCOMPARE(game.sceneColour(), TestAssets::colourOf("0.bmp"));
        QVERIFY(fom.channel(2).isPlaying()); // the sound plays on

        fom.Kestim_Timer(); // the prompt has vanished: presses still count against it
        game.press(1, 4);
        QCOMPARE(fom.state().HitCount, 5);
        QCOMPARE(c.OKLbl->text(), QString("5"));

        fom.Com_MouseDown(0);
        QCOMPARE(game.sceneColour(), TestAssets::colourOf("1.bmp"));
        QVERIFY(fom.channel(1).isPlaying() && fom.channel(2).isPlaying());
        fom.Com_MouseUp(0);
        game.press(2, 11);
        QCOMPARE(fom.state().HitCount, 5);
        QCOMPARE(fom.state().MissCount, 12);
        QCOMPARE(c.OKLbl->text(), QString("5"));
        QCOMPARE(c.missLbl->text(), QString("12"));

        game.random.script({0.0f, drawFor(2)});
        fom.Tim_Timer();
        game.press(2, 1);
        QCOMPARE(fom.state().HitCount, 6);
    }

    void aClickOnTheSceneAbandonsTheRoundSilently()
    {
        TestGame game;
        game.load();
        game.startRound();
        Fom& fom = *game.fom;
        game.press(0, 3);
        const int messages = static_cast<int>(game.messages.texts.size());
        QTest::mouseClick(fom.controls().Img, Qt::LeftButton);
        QCOMPARE(game.messages.texts.size(), messages);
        QVERIFY(fom.controls().ImgStt->isVisible());
        QVERIFY(playControlsHidden(fom.controls()));
        QVERIFY(!fom.timers().Tim.isTicking());
        QCOMPARE(fom.state().HitCount + fom.state().MissCount, 0);
        QCOMPARE(fom.controls().OKLbl->text(), QString("0"));
        for (int i = 4; i < 9; ++i)
            QVERIFY(!fom.channel(i).isPlaying());
        fom.Kestim_Timer(); // a flash still pending does no harm
        QVERIFY(fom.controls().Lbl->isHidden());
    }

    void theCountsChooseAndTellTheEnding_data()
    {
        QTest::addColumn<int>("hits");
        QTest::addColumn<int>("misses");
        QTest::addColumn<QStringList>("pictures"); // under each message, in order
        QTest::addColumn<int>("messages");
        QTest::addColumn<int>("sound");
        QTest::newRow("66/200 full rescue") << 66 << 200
            << QStringList{"end2.bmp", "end2.bmp", "end2b.bmp", "end2b.bmp", "end2c.bmp"} << 5 << 8;
        QTest::newRow("65/0 rescue") << 65 << 0 << QStringList{"end1.bmp", "end1.bmp"} << 2 << 6;
        QTest::newRow("65/65 after-effect") << 65 << 65
            << QStringList{"end1.bmp", "end1.bmp", "end1b.bmp", "end1b.bmp", "end1b.bmp"} << 5 << 5;
        QTest::newRow("31/40 after-effect") << 31 << 40
            << QStringList{"end1.bmp", "end1.bmp", "end1b.bmp", "end1b.bmp", "end1b.bmp"} << 5 << 5;
        QTest::newRow("30/29 close call") << 30 << 29 << QStringList{"end0.bmp", "end0.bmp"} << 2 << 4;
        QTest::newRow("30/30 death") << 30 << 30 << QStringList{"end0.bmp"} << 1 << 7;
        QTest::newRow("0/0 death") << 0 << 0 << QStringList{"end0.bmp"} << 1 << 7;
    }
    void theCountsChooseAndTellTheEnding()
    {
        QFETCH(int, hits);
        QFETCH(int, misses);
        QFETCH(QStringList, pictures);
        QFETCH(int, messages);
        QFETCH(int, sound);
        TestGame game;
        game.random.script({drawFor(0), 0.0f});
        game.load();
        game.startRound();
        Fom& fom = *game.fom;
        game.press(0, hits);
        game.press(1, misses);
        game.tickToTheLastPrompt();
        QCOMPARE(fom.state().HitCount, hits);
        QCOMPARE(fom.state().MissCount, misses);

        const int before = static_cast<int>(game.messages.texts.size());
        fom.Tim_Timer();
        const QStringList told = game.messages.texts.mid(before);
        QCOMPARE(told.size(), messages);
        QList<QColor> expected;
        for (const QString& name : pictures)
            expected << TestAssets::colourOf(name);
        QCOMPARE(game.messages.sceneColours.mid(before), expected);
        QCOMPARE(game.sceneColour(), TestAssets::colourOf("end.bmp"));
        for (int i = 4; i < 9; ++i)
            QCOMPARE(fom.channel(i).isPlaying(), i == sound);
        QVERIFY(fom.channel(0).isPlaying()); // the music goes on

        const FomControls& c = fom.controls();
        QCOMPARE(c.OKLbl->text(), QString::number(hits));
        QCOMPARE(c.missLbl->text(), QString::number(misses));
        QVERIFY(c.OKLbl->isVisible() && c.missLbl->isVisible());
        QVERIFY(c.Com[0]->isHidden() && c.Com[1]->isHidden() && c.Com[2]->isHidden() && c.Lbl->isHidden());
        QVERIFY(!fom.timers().Tim.isTicking());
    }

    void theEndingSoundStartsOnlyAfterTheLastMessage()
    {
        TestGame game;
        QList<bool> playing;
        game.fom = std::make_unique<Fom>(game.random, [&](QWidget*, const QString&) {
            playing << game.fom->channel(8).isPlaying();
        }, game.assets.dir());
        game.load();
        game.startRound();
        game.press(game.fom->state().CurrentAction, 70);
        game.tickToTheLastPrompt();
        playing.clear();
        game.fom->Tim_Timer();
        QCOMPARE(playing, (QList<bool>{false, false, false, false, false}));
        QVERIFY(game.fom->channel(8).isPlaying());
    }



    void theAboutBoxChangesNothingInARound()
    {
        TestGame game;
        game.load();
        game.startRound();
        game.press(0, 2);
        const RoundState before = game.fom->state();
        game.fom->controls().ComMe->click();
        QCOMPARE(game.messages.texts.last(), QString("ポコリ救出劇：Ver1.0.1\r\n制作：ポコリー救出劇 開発チーム"));
        QCOMPARE(game.fom->state().HitCount, before.HitCount);
        QCOMPARE(game.fom->state().MissCount, before.MissCount);
        QCOMPARE(game.fom->state().CurrentAction, before.CurrentAction);
        QVERIFY(game.fom->timers().Tim.isTicking());
    }

    // Title, intro, a round of real mouse presses, the ending, and back to
    // the title, with only the clock replaced by direct ticks.
    void aWholeRoundFromTheTitleAndBack()
    {
        TestGame game;
        game.random.script({drawFor(0), 0.0f});
        game.load();
        Fom& fom = *game.fom;
        const FomControls& c = fom.controls();
        QTest::mouseClick(c.ImgStt, Qt::LeftButton, {}, QPoint(100, 100));
        QCOMPARE(game.messages.texts.size(), 3);
        QVERIFY(c.Com[0]->isVisible());

        for (int tick = 1; tick <= 30; ++tick) {
            const int prompted = fom.state().CurrentAction;
            for (int i = 0; i < 2; ++i)
                QTest::mouseClick(c.Com[prompted], Qt::LeftButton);
            QTest::mouseClick(c.Com[(prompted + 1) % 3], Qt::RightButton);
            game.random.script({0.5f, drawFor((prompted + 2) % 3)});
            fom.Tim_Timer();
        }
        QCOMPARE(fom.state().HitCount, 60);
        QCOMPARE(fom.state().MissCount, 30);
        QCOMPARE(game.messages.texts.mid(3),
                 (QStringList{"ふー助かった、ありがとう、", "いえいえ、どういたしまして。"}));
        QCOMPARE(game.sceneColour(), TestAssets::colourOf("end.bmp"));
        QVERIFY(fom.channel(6).isPlaying());

        QTest::mouseClick(c.Img, Qt::LeftButton);
        QVERIFY(c.ImgStt->isVisible());
        QVERIFY(playControlsHidden(c));
        QCOMPARE(fom.state().HitCount, 0);
        QTest::mouseClick(c.ImgStt, Qt::LeftButton);
        QCOMPARE(game.messages.texts.size(), 3 + 2 + 3);
    }
};

QTEST_MAIN(RoundTest)
#include "test_round.moc"
