// The rules of a round as plain functions: draws, the gap, the choice of
// ending and the scripts the endings are told by.
#include "difficulty.h"
#include "draws.h"
#include "ending.h"
#include "fixtures.h"
#include "random_source.h"
#include "story_script.h"

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
        case StoryStep::Kind::Sound: out << "sound " + QString::number(step.channel); break;
        }
    }
    return out;
}

} // namespace

class RulesTest : public QObject {
    Q_OBJECT
private slots:
    void gapFollowsTheDrawInSinglePrecision_data()
    {
        QTest::addColumn<float>("draw");
        QTest::addColumn<int>("base");
        QTest::addColumn<int>("spread");
        QTest::addColumn<int>("gap");
        QTest::newRow("light, draw 0") << 0.0f << 800 << 2000 << 800;
        QTest::newRow("light, middle") << 0.5f << 800 << 2000 << 1800;
        QTest::newRow("light, just under 1 ms step") << 0.0004995f << 800 << 2000 << 800;
        QTest::newRow("light, top ordinary value") << 0.9999f << 800 << 2000 << 2799;
        QTest::newRow("light, rounds up at the very top") << kTopDraw << 800 << 2000 << 2800;
        QTest::newRow("heavy, draw 0") << 0.0f << 500 << 1000 << 500;
        QTest::newRow("heavy, top ordinary value") << 0.9995f << 500 << 1000 << 1499;
        QTest::newRow("heavy, rounds up at the very top") << kTopDraw << 500 << 1000 << 1500;
        // Below about 1 - 1.5 * 2^-24 no rounding reaches the top.
        QTest::newRow("light, two steps below the top") << std::nextafter(kTopDraw, 0.0f) << 800 << 2000 << 2799;
    }
    void gapFollowsTheDrawInSinglePrecision()
    {
        QFETCH(float, draw);
        QFETCH(int, base);
        QFETCH(int, spread);
        QFETCH(int, gap);
        QCOMPARE(gapFromDraw(draw, base, static_cast<qint16>(spread)), gap);
    }

    void actionIsTheIntegerPartOfThreeDraws_data()
    {
        QTest::addColumn<float>("draw");
        QTest::addColumn<int>("action");
        QTest::newRow("0") << 0.0f << 0;
        QTest::newRow("just under a third") << 0.333333f << 0;
        QTest::newRow("a third") << 0.33333334f << 1;
        QTest::newRow("two thirds") << 0.6666667f << 2;
        QTest::newRow("the top draw never gives 3") << kTopDraw << 2;
    }
    void actionIsTheIntegerPartOfThreeDraws()
    {
        QFETCH(float, draw);
        QFETCH(int, action);
        QCOMPARE(int(actionFromDraw(draw)), action);
    }

    void clockDrawsStayBelowOne()
    {
        QVERIFY(ClockRandom::fromBits(0xFFFFFFFFu) < 1.0f);
        QCOMPARE(ClockRandom::fromBits(0xFFFFFFFFu), kTopDraw);
        QCOMPARE(ClockRandom::fromBits(0u), 0.0f);
        ClockRandom random;
        random.seedFromClock();
        int seen[3] = {0, 0, 0};
        for (int i = 0; i < 3000; ++i) {
            const float d = random.draw();
            QVERIFY(d >= 0.0f && d < 1.0f);
            ++seen[actionFromDraw(d)];
        }
        for (int count : seen)
            QVERIFY2(count > 800, "each action comes about a third of the time");
    }

    void nextActionRedrawsUntilItDiffers()
    {
        ScriptedRandom random;
        random.script({0.1f, 0.2f, 0.0f, 0.9f});
        QCOMPARE(int(drawNextAction(random, 0)), 2);
        QCOMPARE(random.drawsTaken, 4);

        random.script({0.5f});
        QCOMPARE(int(drawNextAction(random, 2)), 1);
        QCOMPARE(random.drawsTaken, 5);
    }

    void difficultiesKeepTheirPace()
    {
        QCOMPARE(gapFromDraw(0.0f, kLightDifficulty.BaseInterval, kLightDifficulty.IntervalSpread), 800);
        QCOMPARE(gapFromDraw(0.0f, kHeavyDifficulty.BaseInterval, kHeavyDifficulty.IntervalSpread), 500);
        QCOMPARE(gapFromDraw(kTopDraw, kLightDifficulty.BaseInterval, kLightDifficulty.IntervalSpread), 2800);
        QCOMPARE(gapFromDraw(kTopDraw, kHeavyDifficulty.BaseInterval, kHeavyDifficulty.IntervalSpread), 1500);
    }

    void endingFollowsTheCounts_data()
    {
        QTest::addColumn<qint64>("hits");
        QTest::addColumn<qint64>("misses");
        QTest::addColumn<Ending>("ending");
        QTest::newRow("66/200") << qint64(66) << qint64(200) << Ending::FullRescue;
        QTest::newRow("1/0") << qint64(1) << qint64(0) << Ending::DeathAfterCloseCall;
        QTest::newRow("beyond 32 bits") << (qint64(1) << 40) << (qint64(1) << 41) << Ending::FullRescue;
        QTest::newRow("65/0") << qint64(65) << qint64(0) << Ending::Rescue;
        QTest::newRow("65/64") << qint64(65) << qint64(64) << Ending::Rescue;
        QTest::newRow("65/65") << qint64(65) << qint64(65) << Ending::RescueWithAfterEffect;
        QTest::newRow("31/40") << qint64(31) << qint64(40) << Ending::RescueWithAfterEffect;
        QTest::newRow("31/30") << qint64(31) << qint64(30) << Ending::Rescue;
        QTest::newRow("30/29") << qint64(30) << qint64(29) << Ending::DeathAfterCloseCall;
        QTest::newRow("30/30") << qint64(30) << qint64(30) << Ending::Death;
        QTest::newRow("0/0") << qint64(0) << qint64(0) << Ending::Death;
    }
    void endingFollowsTheCounts()
    {
        QFETCH(qint64, hits);
        QFETCH(qint64, misses);
        QFETCH(Ending, ending);
        QCOMPARE(chooseEnding(hits, misses), ending);
    }

    void endingsAreToldWordForWord_data()
    {
        QTest::addColumn<Ending>("ending");
        QTest::addColumn<QStringList>("story");
        QTest::newRow("full rescue") << Ending::FullRescue << QStringList{
            "show end2.bmp",
            "say ありがとう、ありがとう！！\r\n君のおかげで助かったよ、\r\nああああありがとうー！",
            "say でも、\r\nナンだってあんなところで\r\n心臓を止めていたんですか？",
            "show end2b.bmp",
            "say うん、\r\n犬に吠えられて、\r\nびっくりして止まっちゃったんだ",
            "say そりゃまたびっくり",
            "show end2c.bmp",
            QString("say 人助けは気持ちがいいね") + QChar(0xFF64) + "ポコリー",
            "sound 8",
            "show end.bmp"};
        QTest::newRow("rescue with after-effect") << Ending::RescueWithAfterEffect << QStringList{
            "show end1.bmp",
            "say ふー助かった、ありがとう、",
            "say いえいえ、どういたしまして。",
            "show end1b.bmp",
            "say ぱらりレポれぱれ",
            "say は？",
            QString("say ちょっと脳に障害が残ったようだ") + QChar(0x2026),
            "sound 5",
            "show end.bmp"};
        QTest::newRow("rescue") << Ending::Rescue << QStringList{
            "show end1.bmp", "say ふー助かった、ありがとう、", "say いえいえ、どういたしまして。",
            "sound 6", "show end.bmp"};
        QTest::newRow("death after a close call") << Ending::DeathAfterCloseCall << QStringList{
            "show end0.bmp", QString("say 死んでしまった") + QChar(0x2026),
            QString("say あと、少しだったのに") + QChar(0x2026), "sound 4", "show end.bmp"};
        QTest::newRow("death") << Ending::Death << QStringList{
            "show end0.bmp", QString("say 死んでしまった") + QChar(0x2026), "sound 7", "show end.bmp"};
    }
    void endingsAreToldWordForWord()
    {
        QFETCH(Ending, ending);
        QFETCH(QStringList, story);
        QCOMPARE(describe(endingScript(ending)), story);
    }

    void introShowsEachPictureBeforeItsMessage()
    {
        QCOMPARE(describe(introScript()),
                 (QStringList{"show 0.bmp", "say おや、誰か倒れているよ、", "show img1.bmp",
                              "say 大変だ！心臓が止まってる！！", "show img2.bmp",
                              "say ポコリー！助けてあげてー！！"}));
    }
};

QTEST_GUILESS_MAIN(RulesTest)
#include "test_rules.moc"
