// The round's rules on the model alone: draws, gaps and prompts.
#include "round/round.h"
#include "tests/scripted_random.h"

#include <QtTest>

#include <cmath>

namespace {

// The largest value a draw can take.
const float kTopDraw = std::nextafter(1.0f, 0.0f);

// The counts have no upper bound (the boundaries between endings are met by
// the game's whole rounds).
static_assert(chooseEnding(std::int64_t(1) << 40, std::int64_t(1) << 41) == Ending::FullRescue);

} // namespace

class RoundModelTest : public QObject {
    Q_OBJECT
private slots:
    // A draw gives an action, its integer part of three, and a gap, computed
    // in single precision.
    void aDrawGivesAnActionAndAGap_data()
    {
        QTest::addColumn<float>("draw");
        QTest::addColumn<bool>("heavy");
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("gap");
        QTest::newRow("light, 0") << 0.0f << false << 0 << 800;
        QTest::newRow("light, a third") << 0.33333334f << false << 1 << 1466;
        QTest::newRow("light, two thirds") << 0.6666667f << false << 2 << 2133;
        QTest::newRow("light, two steps below the top") << std::nextafter(kTopDraw, 0.0f) << false << 2 << 2799;
        QTest::newRow("light, rounds up at the very top") << kTopDraw << false << 2 << 2800;
        QTest::newRow("heavy, 0") << 0.0f << true << 0 << 500;
        QTest::newRow("heavy, the clock's top draw") << ClockRandom::fromBits(0xFFFFFFFFu) << true << 2 << 1500;
    }
    void aDrawGivesAnActionAndAGap()
    {
        QFETCH(float, draw);
        QFETCH(bool, heavy);
        QFETCH(int, action);
        QFETCH(int, gap);
        QCOMPARE(actionFromDraw(draw), action);
        QCOMPARE(gapFromDraw(draw, heavy ? kHeavyPace : kLightPace), gap);
    }

    // The draws a round takes: at the reset the action, then the gap; at a
    // tick the gap, then actions until one other than the last.
    void aRoundDrawsItsPromptsInTurn()
    {
        ScriptedRandom random;
        Round round(random);
        random.script({0.0f, 0.5f});
        const Round::Prompt first = round.reset();
        QVERIFY(first.action == 0 && first.gapMs == 1800);
        random.script({0.0f, drawFor(0), drawFor(0), drawFor(2)});
        const auto second = std::get<Round::Prompt>(round.tick());
        QVERIFY(second.gapMs == 800 && second.action == 2 && random.drawsTaken == 2 + 4);
    }
};

QTEST_GUILESS_MAIN(RoundModelTest)
#include "test_round_model.moc"
