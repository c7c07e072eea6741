// The round's rules on the model alone: draws, gaps, prompts, scoring, the
// choice of ending and the stories told.
#include "round/draws.h"
#include "round/round.h"
#include "round/story.h"
#include "tests/scripted_random.h"

#include <QtTest>

#include <cmath>

Q_DECLARE_METATYPE(Ending)

namespace {

// The largest value a draw can take.
const float kTopDraw = std::nextafter(1.0f, 0.0f);

QStringList describe(std::span<const StoryStep> story)
{
    QStringList out;
    for (const StoryStep& step : story) {
        switch (step.kind) {
        case StoryStep::Kind::Show: out << "show " + QString::fromUtf8(step.text); break;
        case StoryStep::Kind::Message: out << "say " + QString::fromUtf8(step.text); break;
        case StoryStep::Kind::Sound: out << "sound " + QString::number(step.sound); break;
        }
    }
    return out;
}

} // namespace

class RoundModelTest : public QObject {
    Q_OBJECT
private slots:
    void aGapIsTheDrawInSinglePrecision_data()
    {
        QTest::addColumn<float>("draw");
        QTest::addColumn<bool>("heavy");
        QTest::addColumn<int>("gap");
        QTest::newRow("light, 0") << 0.0f << false << 800;
        QTest::newRow("light, middle") << 0.5f << false << 1800;
        QTest::newRow("light, top ordinary value") << 0.9999f << false << 2799;
        QTest::newRow("light, two steps below the top") << std::nextafter(kTopDraw, 0.0f) << false << 2799;
        QTest::newRow("light, rounds up at the very top") << kTopDraw << false << 2800;
        QTest::newRow("heavy, 0") << 0.0f << true << 500;
        QTest::newRow("heavy, top ordinary value") << 0.9995f << true << 1499;
        QTest::newRow("heavy, rounds up at the very top") << kTopDraw << true << 1500;
    }
    void aGapIsTheDrawInSinglePrecision()
    {
        QFETCH(float, draw);
        QFETCH(bool, heavy);
        QFETCH(int, gap);
        QCOMPARE(gapFromDraw(draw, heavy ? kHeavyPace : kLightPace), gap);
    }

    void anActionIsTheIntegerPartOfThreeDraws_data()
    {
        QTest::addColumn<float>("draw");
        QTest::addColumn<int>("action");
        QTest::newRow("0") << 0.0f << 0;
        QTest::newRow("just under a third") << 0.333333f << 0;
        QTest::newRow("a third") << 0.33333334f << 1;
        QTest::newRow("two thirds") << 0.6666667f << 2;
        QTest::newRow("the top draw never gives 3") << kTopDraw << 2;
        QTest::newRow("the clock's top draw") << ClockRandom::fromBits(0xFFFFFFFFu) << 2;
    }
    void anActionIsTheIntegerPartOfThreeDraws()
    {
        QFETCH(float, draw);
        QFETCH(int, action);
        QCOMPARE(actionFromDraw(draw), action);
    }

    void theResetDrawsTheActionThenTheGapAtThePaceInForce()
    {
        ScriptedRandom random;
        Round round(random);
        random.script({drawFor(2), 0.0f});
        Round::Prompt first = round.reset();
        QCOMPARE(first.action, 2);
        QCOMPARE(first.gapMs, 800);
        round.setPace(kHeavyPace);
        random.script({0.0f, 0.5f}); // drawn the other way round: action 1, gap 500
        first = round.reset();
        QCOMPARE(first.action, 0);
        QCOMPARE(first.gapMs, 1000);
        QCOMPARE(random.drawsTaken, 4);
        QCOMPARE(round.start().action, 0);
        QCOMPARE(round.start().gapMs, 1000);
    }

    void theResetStartsTheCountsAgain()
    {
        ScriptedRandom random;
        Round round(random);
        round.reset();
        round.press(0);
        round.press(1);
        random.script({0.0f, 0.0f});
        round.tick();
        round.reset();
        QCOMPARE(round.hits() + round.misses(), 0);
        QCOMPARE(round.ticks(), 0);
    }

    void aTickDrawsTheGapThenAnActionOtherThanTheLast()
    {
        ScriptedRandom random;
        Round round(random);
        random.script({drawFor(1), 0.0f});
        round.reset();
        round.setPace(kHeavyPace); // from the next gap on
        random.script({0.5f, drawFor(1), drawFor(1), drawFor(2)});
        const auto next = round.tick();
        QCOMPARE(std::get<Round::Prompt>(next).gapMs, 1000);
        QCOMPARE(std::get<Round::Prompt>(next).action, 2);
        QCOMPARE(round.currentAction(), 2);
        QCOMPARE(random.drawsTaken, 2 + 4);
    }

    void theThirtiethTickEndsTheRoundWithoutADraw()
    {
        ScriptedRandom random;
        Round round(random);
        round.reset();
        for (int tick = 1; tick < 30; ++tick) {
            random.script({0.0f, drawFor((round.currentAction() + 1) % 3)});
            QVERIFY2(std::holds_alternative<Round::Prompt>(round.tick()), "the round ended early");
        }
        const int draws = random.drawsTaken;
        const auto last = round.tick();
        QVERIFY(std::holds_alternative<Ending>(last));
        QCOMPARE(std::get<Ending>(last), Ending::Death);
        QCOMPARE(random.drawsTaken, draws);
    }

    void aPressCountsOnceAgainstTheLatestPrompt()
    {
        ScriptedRandom random;
        Round round(random);
        random.script({drawFor(1), 0.0f});
        round.reset();
        QCOMPARE(round.press(1), Round::Score::Hit);
        QCOMPARE(round.press(0), Round::Score::Miss);
        random.script({0.0f, drawFor(0)});
        round.tick();
        QCOMPARE(round.press(0), Round::Score::Hit);
        QCOMPARE(round.press(1), Round::Score::Miss);
        QCOMPARE(round.hits(), 2);
        QCOMPARE(round.misses(), 2);
    }

    void theCountsChooseTheEnding_data()
    {
        QTest::addColumn<qint64>("hits");
        QTest::addColumn<qint64>("misses");
        QTest::addColumn<Ending>("ending");
        QTest::newRow("66/200") << qint64(66) << qint64(200) << Ending::FullRescue;
        QTest::newRow("beyond 32 bits") << (qint64(1) << 40) << (qint64(1) << 41) << Ending::FullRescue;
        QTest::newRow("65/0") << qint64(65) << qint64(0) << Ending::Rescue;
        QTest::newRow("65/64") << qint64(65) << qint64(64) << Ending::Rescue;
        QTest::newRow("65/65") << qint64(65) << qint64(65) << Ending::RescueWithAfterEffect;
        QTest::newRow("31/30") << qint64(31) << qint64(30) << Ending::Rescue;
        QTest::newRow("31/31") << qint64(31) << qint64(31) << Ending::RescueWithAfterEffect;
        QTest::newRow("30/29") << qint64(30) << qint64(29) << Ending::DeathAfterCloseCall;
        QTest::newRow("30/30") << qint64(30) << qint64(30) << Ending::Death;
        QTest::newRow("1/0") << qint64(1) << qint64(0) << Ending::DeathAfterCloseCall;
        QTest::newRow("0/0") << qint64(0) << qint64(0) << Ending::Death;
    }
    void theCountsChooseTheEnding()
    {
        QFETCH(qint64, hits);
        QFETCH(qint64, misses);
        QFETCH(Ending, ending);
        QCOMPARE(chooseEnding(hits, misses), ending);
    }

    void storiesAreToldWordForWord_data()
    {
        QTest::addColumn<QStringList>("told");
        QTest::addColumn<QStringList>("story");
        const auto told = [](Ending ending) { return describe(endingStory(ending)); };
        QTest::newRow("intro") << describe(introStory())
                               << QStringList{"show 0.bmp", "say おや、誰か倒れているよ、", "show img1.bmp",
                                              "say 大変だ！心臓が止まってる！！", "show img2.bmp",
                                              "say ポコリー！助けてあげてー！！"};
        QTest::newRow("full rescue") << told(Ending::FullRescue) << QStringList{
            "show end2.bmp",
            "say ありがとう、ありがとう！！\r\n君のおかげで助かったよ、\r\nああああありがとうー！",
            "say でも、\r\nナンだってあんなところで\r\n心臓を止めていたんですか？",
            "show end2b.bmp",
            "say うん、\r\n犬に吠えられて、\r\nびっくりして止まっちゃったんだ",
            "say そりゃまたびっくり",
            "show end2c.bmp",
            "say 人助けは気持ちがいいね" + QString(QChar(0xFF64)) + "ポコリー",
            "sound 8",
            "show end.bmp"};
        QTest::newRow("rescue with after-effect") << told(Ending::RescueWithAfterEffect) << QStringList{
            "show end1.bmp", "say ふー助かった、ありがとう、", "say いえいえ、どういたしまして。",
            "show end1b.bmp", "say ぱらりレポれぱれ", "say は？",
            "say ちょっと脳に障害が残ったようだ" + QString(QChar(0x2026)), "sound 5", "show end.bmp"};
        QTest::newRow("rescue") << told(Ending::Rescue) << QStringList{
            "show end1.bmp", "say ふー助かった、ありがとう、", "say いえいえ、どういたしまして。", "sound 6",
            "show end.bmp"};
        QTest::newRow("death after a close call") << told(Ending::DeathAfterCloseCall) << QStringList{
            "show end0.bmp", "say 死んでしまった" + QString(QChar(0x2026)),
            "say あと、少しだったのに" + QString(QChar(0x2026)), "sound 4", "show end.bmp"};
        QTest::newRow("death") << told(Ending::Death) << QStringList{
            "show end0.bmp", "say 死んでしまった" + QString(QChar(0x2026)), "sound 7", "show end.bmp"};
    }
    void storiesAreToldWordForWord()
    {
        QFETCH(QStringList, told);
        QFETCH(QStringList, story);
        QCOMPARE(told, story);
    }
};

QTEST_GUILESS_MAIN(RoundModelTest)
#include "test_round_model.moc"
