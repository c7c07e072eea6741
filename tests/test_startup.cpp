// Start-up against a folder of test assets: what it loads, what it starts,
// and how it fails when a picture it needs is broken.
#include "asset_dir.h"
#include "fixtures.h"
#include "fom.h"
#include "picture_box.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void assetFolderEndsInOneSeparator_data()
    {
        QTest::addColumn<QString>("programDir");
        QTest::addColumn<QString>("assetDir");
        QTest::newRow("plain") << "/games/pokori" << "/games/pokori/";
        QTest::newRow("root") << "/" << "/";
        QTest::newRow("spaces and Japanese") << "/home/me/ポコリ の ゲーム" << "/home/me/ポコリ の ゲーム/";
        QTest::newRow("already ends in one") << "/games/pokori/" << "/games/pokori/";
    }
    void assetFolderEndsInOneSeparator()
    {
        QFETCH(QString, programDir);
        QFETCH(QString, assetDir);
        QCOMPARE(assetDirFor(programDir), QDir::toNativeSeparators(assetDir));
    }

    void startUpLoadsEverythingAndStartsTheMusic()
    {
        TestGame game;
        game.fom->Form_Load();
        const Fom& fom = *game.fom;
        const FomControls& c = fom.controls();
        QCOMPARE(game.random.seeds, 1);
        QCOMPARE(game.random.drawsTaken, 0);
        QCOMPARE(fom.state().AssetDir, assetDirFor(game.assets.dir()));

        // The title picture spreads over the window and its frame, clipped.
        QCOMPARE(c.ImgStt->geometry().topLeft(), QPoint(0, 0));
        QVERIFY(c.ImgStt->width() >= 282 && c.ImgStt->height() >= 381);
        QCOMPARE(centreColour(c.ImgStt->pixmap()), TestAssets::colourOf("stt.bmp"));

        QCOMPARE(c.E.size(), size_t(4));
        for (int i = 0; i < 4; ++i) {
            QVERIFY(c.E[i]->isHidden());
            QCOMPARE(c.E[i]->geometry(), c.E[0]->geometry());
            QCOMPARE(centreColour(c.E[i]->pixmap()), TestAssets::colourOf(QString("%1.bmp").arg(i)));
        }

        QCOMPARE(fom.channelCount(), 9);
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(fom.channel(i).fileName(), game.assets.path(QString("%1.wav").arg(i)));
            QVERIFY(fom.channel(i).isOpen());
            QCOMPARE(fom.channel(i).isPlaying(), i == 0);
        }
        QCOMPARE(fom.timers().BakSongTim.interval(), 1000);
        QVERIFY(fom.timers().BakSongTim.isTicking());

        QVERIFY(c.Opt[0]->isChecked() && !c.Opt[1]->isChecked());
        QCOMPARE(fom.state().BaseInterval, 800);
        QCOMPARE(fom.state().IntervalSpread, 2000);
    }

    void theMusicLoopsAtItsOwnLength_data()
    {
        QTest::addColumn<int>("musicMs");
        QTest::newRow("1 s") << 1000;
        QTest::newRow("the longest a 16-bit period held") << 32767;
        QTest::newRow("one more loops like any other") << 32768;
    }
    void theMusicLoopsAtItsOwnLength()
    {
        QFETCH(int, musicMs);
        TestGame game(musicMs);
        game.fom->Form_Load();
        QCOMPARE(game.fom->timers().BakSongTim.interval(), musicMs);
        QVERIFY(game.fom->channel(0).isPlaying());
    }



    // The real program, copied into a folder whose name has spaces and
    // Japanese in it, reads its assets from there and reports a broken one.
    void theProgramReportsABrokenPictureAndExitsWithStatusOne()
    {
        TestAssets assets;
        const QString dir = assets.path("ポコリ の ゲーム");
        QVERIFY(QDir().mkdir(dir));
        QVERIFY(QFile::copy(POKORI_RUNTIME_DIR "/pokori-rescue", dir + "/pokori-rescue"));
        for (const QString& name : TestAssets::kPictures + TestAssets::kSounds)
            if (name != "3.bmp")
                QVERIFY(QFile::copy(assets.path(name), dir + "/" + name));

        QProcess game; // offscreen, as this test runs: the error goes to stderr alone
        game.start(dir + "/pokori-rescue", {});
        QVERIFY(game.waitForFinished(30'000));
        QCOMPARE(game.exitStatus(), QProcess::NormalExit);
        QCOMPARE(game.exitCode(), 1);
        const QString errors = QString::fromUtf8(game.readAllStandardError());
        QVERIFY2(errors.contains(dir + "/3.bmp"), qPrintable(errors));
        QVERIFY(errors.contains("ファイルがありません"));
    }
};

QTEST_MAIN(StartupTest)
#include "test_startup.moc"
