// A thousand rounds back to back through one window, every ending in turn:
// the counts stay exact and nothing grows: open files, channels, and (in the
// sanitized build, where LeakSanitizer checks at exit) memory. The plain
// build plays fewer rounds.
#include "fixtures.h"
#include "fom.h"

#include <QDir>
#include <QtTest>

namespace {

#ifdef __SANITIZE_ADDRESS__
constexpr int kRounds = 1000;
#else
constexpr int kRounds = 100;
#endif

struct RoundPlan {
    int hits;
    int misses;
    QString lastMessage; // the ending's last message box
};

// One plan a ending, in the order the rounds cycle through them.
const RoundPlan kPlans[] = {
    {200, 100, "人助けは気持ちがいいね､ポコリー"},
    {65, 0, "いえいえ、どういたしまして。"},
    {65, 200, "ちょっと脳に障害が残ったようだ…"},
    {30, 29, "あと、少しだったのに…"},
    {30, 270, "死んでしまった…"},
};
constexpr int kPlanCount = int(std::size(kPlans));

int openFiles()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size());
}

} // namespace

class SoakTest : public QObject {
    Q_OBJECT
private slots:
    void roundAfterRoundNothingGrows()
    {
        TestGame game;
        game.load();
        Fom& fom = *game.fom;
        QCoreApplication::processEvents();
        const int filesBefore = openFiles();
        const int channelsBefore = fom.channelCount();

        int endings[kPlanCount] = {};
        qint64 messages = 0;
        for (int round = 0; round < kRounds; ++round) {
            const RoundPlan& plan = kPlans[round % kPlanCount];
            if (round > 0)
                fom.Img_Click(); // back to the title
            game.messages.texts.clear();
            game.startRound();
            const int action = fom.state().CurrentAction;
            game.press(action, plan.hits);
            game.press((action + 1) % 3, plan.misses);
            game.tickToTheLastPrompt();
            fom.Tim_Timer();
            QCOMPARE(fom.state().HitCount, plan.hits);
            QCOMPARE(fom.state().MissCount, plan.misses);
            QCOMPARE(game.sceneColour(), TestAssets::colourOf("end.bmp"));
            if (game.messages.texts.last() == plan.lastMessage)
                ++endings[round % kPlanCount];
            messages += game.messages.texts.size();
            QCoreApplication::processEvents(); // paints and deferred work, as the event loop would
        }

        for (int ending = 0; ending < kPlanCount; ++ending)
            QCOMPARE(endings[ending], kRounds / kPlanCount);
        // 3 intro boxes a round, then 5, 2, 5, 2 and 1 for the endings
        QCOMPARE(messages, qint64(kRounds / kPlanCount) * (5 * 3 + 5 + 2 + 5 + 2 + 1));
        QCOMPARE(fom.channelCount(), channelsBefore);
        for (int i = 0; i < fom.channelCount(); ++i)
            QVERIFY(fom.channel(i).isOpen());
        QCOMPARE(openFiles(), filesBefore);
    }
};

QTEST_MAIN(SoakTest)
#include "test_soak.moc"
