// The window's shell: the message box, the about box, the music loop and
// closing the window.
#include "fixtures.h"
#include "fom.h"
#include "message_box.h"

#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

class ShellTest : public QObject {
    Q_OBJECT
private slots:
    void closingStopsAndClosesEveryChannel_data()
    {
        QTest::addColumn<bool>("inRound");
        QTest::newRow("title screen") << false;
        QTest::newRow("during a round") << true;
    }
    void closingStopsAndClosesEveryChannel()
    {
        QFETCH(bool, inRound);
        TestGame game;
        game.load();
        if (inRound) {
            game.startRound();
            game.fom->Com_MouseDown(1);
        }
        QVERIFY(game.fom->channel(0).isPlaying());
        QVERIFY(game.fom->close());
        QVERIFY(game.fom->isHidden());
        for (int i = 0; i < game.fom->channelCount(); ++i) {
            QVERIFY(!game.fom->channel(i).isPlaying());
            QVERIFY(!game.fom->channel(i).isOpen());
        }
    }

    void theMusicRestartsAtEachTickOfItsTimer()
    {
        TestGame game(30);
        game.load();
        QCOMPARE(game.fom->timers().BakSongTim.interval(), 30);
        game.fom->BakSongTim_Timer(); // the real timer may have ticked already; take over
        QTRY_VERIFY_WITH_TIMEOUT(!game.fom->channel(0).isPlaying(), 2000);
        game.fom->BakSongTim_Timer();
        QVERIFY(game.fom->channel(0).isPlaying());
    }

    void theMessageBoxCarriesTheTextAnOkButtonAndTheTitle()
    {
        QWidget parent;
        QString seenTitle, seenText;
        int buttons = 0;
        QMessageBox::Icon icon = QMessageBox::Critical;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            seenTitle = box->windowTitle();
            seenText = box->text();
            icon = box->icon();
            buttons = static_cast<int>(box->buttons().size());
            QCOMPARE(box->standardButtons(), QMessageBox::Ok);
            box->button(QMessageBox::Ok)->click();
        });
        showGameMessage(&parent, "一行目\r\n二行目");
        QCOMPARE(seenTitle, QString("ポコリー救出劇"));
        QCOMPARE(seenText, QString("一行目\r\n二行目"));
        QCOMPARE(icon, QMessageBox::NoIcon);
        QCOMPARE(buttons, 1);
    }

    void theAboutBoxNamesTitleVersionAndMakers()
    {
        TestGame game;
        game.load();
        game.fom->ComMe_Click();
        game.fom->ComMe_Click();
        QCOMPARE(game.messages.texts.size(), 2);
        const QStringList lines = game.messages.texts.first().split("\r\n");
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QString("ポコリ救出劇：Ver1.0.1"));
        QVERIFY(lines[1].contains("開発チーム"));
        QCOMPARE(game.random.drawsTaken, 2); // only the reset drew
    }
};

QTEST_MAIN(ShellTest)
#include "test_shell.moc"
