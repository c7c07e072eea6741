// The game window as a player meets it, driven through its widgets and
// timers: what it shows, how a round plays from the title to an ending and
// back, and which input it answers.
#include "app/action_button.h"
#include "app/message_box.h"
#include "app/picture_box.h"
#include "media/game_timer.h"
#include "tests/fixtures.h"
#include "tests/sample_files.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include <SDL_mixer.h>

#include <atomic>

namespace {

const QStringList kCaptions{"人工呼吸", "心臓マッサージ", "呼びかけ"};

QWidget* control(const TestGame& game, const QString& name)
{
    const WindowControls& c = game.controls();
    const QHash<QString, QWidget*> byName{
        {"人工呼吸", c.actionButtons[0]}, {"心臓マッサージ", c.actionButtons[1]}, {"呼びかけ", c.actionButtons[2]},
        {"ポコリ情報", c.aboutButton}, {"軽め", c.paceButtons[0]}, {"重め", c.paceButtons[1]},
        {"prompt", c.promptLabel}, {"prompt suffix", c.promptSuffixLabel}, {"hits", c.hitCountLabel},
        {"misses", c.missCountLabel}, {"hit caption", c.hitCaption}, {"miss caption", c.missCaption},
        {"quit hint", c.quitHint}, {"scene", c.scenePicture}, {"title", c.titlePicture}};
    return byName.value(name);
}

QList<QWidget*> playControls(const WindowControls& c)
{
    return {c.promptLabel, c.promptSuffixLabel, c.hitCountLabel, c.missCountLabel, c.hitCaption, c.missCaption,
            c.quitHint, c.actionButtons[0], c.actionButtons[1], c.actionButtons[2]};
}

bool allHidden(const QList<QWidget*>& widgets)
{
    return std::all_of(widgets.begin(), widgets.end(), [](QWidget* w) { return w->isHidden(); });
}

// A real double-click at a point of the window: press, release, then a
// press and the double-click event on whatever lies there by then.
void doubleClickAt(QWidget* window, QPoint at)
{
    QWidget* first = window->childAt(at);
    QTest::mouseClick(first, Qt::LeftButton, {}, first->mapFrom(window, at));
    QWidget* second = window->childAt(at);
    QTest::mousePress(second, Qt::LeftButton, {}, second->mapFrom(window, at));
    QTest::mouseDClick(second, Qt::LeftButton, {}, second->mapFrom(window, at));
    QTest::mouseRelease(second, Qt::LeftButton, {}, second->mapFrom(window, at));
}

std::atomic<int> halts[SoundBank::kSize];

} // namespace

class GameWindowTest : public QObject {
    Q_OBJECT
private slots:
    void theWindowHasItsFixedFrame()
    {
        TestGame game;
        const GameWindow& w = *game.window;
        QCOMPARE(w.windowTitle(), QString("ポコリー救出劇"));
        QVERIFY(w.minimumSize() == QSize(282, 381) && w.maximumSize() == QSize(282, 381));
        const Qt::WindowFlags flags = w.windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint) && !(flags & Qt::WindowMinMaxButtonsHint));
    }

    // Each control as the window is created: its place, its caption, and the
    // colour a player sees at a point of it away from the caption.
    void eachControlInItsPlace_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QPoint>("at"); // within the control
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<double>("points");
        const auto row = [](const char* name, QRect place, const QString& caption, QPoint at, QColor colour,
                            double points = 9) {
            QTest::newRow(name) << QString(name) << place << caption << at << colour << points;
        };
        row("人工呼吸", {8, 280, 89, 25}, "人工呼吸", {5, 4}, {255, 224, 192});
        row("心臓マッサージ", {96, 280, 89, 25}, "心臓マッサージ", {5, 4}, {192, 255, 192});
        row("呼びかけ", {184, 280, 89, 25}, "呼びかけ", {5, 4}, {192, 192, 255});
        row("ポコリ情報", {192, 304, 81, 25}, "ポコリ情報", {5, 4}, {192, 255, 255});
        row("軽め", {192, 328, 81, 25}, "難易度：軽め", {5, 4}, QColor(204, 204, 154)); // chosen: sunk, darker
        row("重め", {192, 352, 81, 25}, "難易度：重め", {5, 4}, {255, 255, 192});
        row("prompt", {8, 120, 153, 25}, "人工呼吸", {3, 12}, {255, 255, 255}, 14.25);
        row("prompt suffix", {160, 120, 113, 25}, "してあげて！", {3, 12}, {255, 255, 255}, 14.25);
        row("hits", {8, 328, 89, 25}, "OKLbl", {3, 12}, {255, 255, 255}, 12);
        row("misses", {96, 328, 89, 25}, "missLbl", {3, 12}, {255, 192, 255}, 12);
        row("hit caption", {8, 312, 89, 17}, "助かる比率", {85, 3}, {255, 255, 192});
        row("miss caption", {96, 312, 89, 17}, "無理っぽいさ", {85, 3}, {255, 255, 192});
        row("quit hint", {8, 360, 265, 17}, "終了するときは絵をクリックしてね", {1, 15}, {255, 255, 192});
        row("scene", {8, 8, 265, 265}, "", {100, 100}, {255, 255, 192});
    }
    void eachControlInItsPlace()
    {
        QFETCH(QString, name);
        QFETCH(QRect, place);
        QFETCH(QString, caption);
        QFETCH(QPoint, at);
        QFETCH(QColor, colour);
        QFETCH(double, points);
        TestGame game;
        QWidget* widget = control(game, name);
        QCOMPARE(widget->geometry(), place);
        QVERIFY(!widget->isHidden());
        QCOMPARE(widget->property("text").toString(), caption);
        QCOMPARE(game.window->grab().toImage().pixelColor(place.topLeft() + at), colour);
        QCOMPARE(widget->font().pointSizeF(), points);
        QCOMPARE(widget->font().families().value(0), QString("ＭＳ Ｐゴシック"));
    }

    // Where two controls share pixels, the front one is what the player sees
    // and clicks there.
    void theFrontControlCoversSharedPixels_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QString>("front");
        QTest::newRow("人工呼吸 | 心臓マッサージ") << QPoint(96, 290) << "心臓マッサージ";
        QTest::newRow("心臓マッサージ | 呼びかけ") << QPoint(184, 290) << "呼びかけ";
        QTest::newRow("呼びかけ / ポコリ情報") << QPoint(200, 304) << "ポコリ情報";
        QTest::newRow("ポコリ情報 / 軽め") << QPoint(200, 328) << "軽め";
        QTest::newRow("軽め / 重め") << QPoint(200, 352) << "重め";
        QTest::newRow("prompt | suffix") << QPoint(160, 130) << "prompt suffix";
        QTest::newRow("hits | misses") << QPoint(96, 340) << "misses";
        QTest::newRow("captions") << QPoint(96, 320) << "miss caption";
        QTest::newRow("hit caption / hits") << QPoint(20, 328) << "hits";
        QTest::newRow("quit hint under 重め") << QPoint(250, 365) << "重め";
        QTest::newRow("prompt over scene") << QPoint(50, 130) << "prompt";
        QTest::newRow("title over scene and prompt") << QPoint(200, 130) << "title";
        QTest::newRow("buttons over title") << QPoint(200, 290) << "呼びかけ";
    }
    void theFrontControlCoversSharedPixels()
    {
        QFETCH(QPoint, point);
        QFETCH(QString, front);
        TestGame game;
        QCOMPARE(game.window->childAt(point), control(game, front));
    }

    void theFirstShowingResetsTheRoundToTheTitleOnce()
    {
        TestGame game;
        game.random.script({drawFor(2), 0.0f});
        game.start();
        const WindowControls& c = game.controls();
        QVERIFY(c.titlePicture->geometry().contains(game.window->rect()));
        QCOMPARE(centreColour(c.titlePicture->pixmap()), TestAssets::colourOf("stt.bmp"));
        for (QWidget* button : {(QWidget*)c.aboutButton, (QWidget*)c.paceButtons[0], (QWidget*)c.paceButtons[1]})
            QCOMPARE(game.window->childAt(button->geometry().center()), button);
        QVERIFY(allHidden(playControls(c)));
        QCOMPARE(c.promptLabel->text(), kCaptions[2]);
        QCOMPARE(c.hitCountLabel->text() + c.missCountLabel->text(), QString("00"));
        QCOMPARE(game.timer("promptTimer").interval(), 800);
        QVERIFY(!game.timer("promptTimer").isTicking());

        game.clickTitle();
        // Back from each message box, or from another program: no new round.
        game.window->hide();
        game.window->show();
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(game.window.get(), &activate);
        QCOMPARE(game.random.drawsTaken, 2);
        QVERIFY(c.titlePicture->isHidden());
    }

    void theMusicLoopsAtItsOwnLength()
    {
        TestGame game(1234);
        game.start();
        GameTimer& music = game.timer("musicTimer");
        QCOMPARE(music.interval(), 1234);
        QVERIFY(music.isTicking() && game.window->sounds()[0].isPlaying());
        emit music.tick(); // from the start again, cutting the last moments off
        QCOMPARE(halts[0].load(), 1);
        QVERIFY(game.window->sounds()[0].isPlaying());
    }

    void theIntroShowsEachPictureUnderItsMessageThenPlayBegins()
    {
        TestGame game;
        game.random.script({drawFor(1), 0.5f});
        game.start();
        game.assets.write("0.bmp", bitmapBytes(BitmapKind::Rgb24, {4, 4}, Qt::black)); // read afresh
        game.clickTitle();
        QCOMPARE(game.texts(), (QStringList{"おや、誰か倒れているよ、", "大変だ！心臓が止まってる！！",
                                            "ポコリー！助けてあげてー！！"}));
        const QList<QColor> under{Qt::black, TestAssets::colourOf("img1.bmp"), TestAssets::colourOf("img2.bmp")};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(game.told[i].scene, under[i]);
            QVERIFY(!game.told[i].promptTimerRunning);
        }
        const WindowControls& c = game.controls();
        QCOMPARE(game.scene(), TestAssets::colourOf("0.bmp")); // the idle scene, as loaded at start-up
        QVERIFY(c.titlePicture->isHidden());
        for (QWidget* w : playControls(c))
            QVERIFY(w->isVisible());
        QCOMPARE(c.promptLabel->text(), kCaptions[1]);
        QCOMPARE(c.promptLabel->palette().color(QPalette::WindowText), QColor(Qt::red));
        QCOMPARE(game.timer("promptTimer").interval(), 1800);
        QVERIFY(game.timer("promptTimer").isTicking());
        game.endFlash();
        QVERIFY(c.promptLabel->isHidden() && c.promptSuffixLabel->isHidden());
        QVERIFY(!game.timer("flashTimer").isTicking());
        QCOMPARE(game.random.drawsTaken, 2);
    }

    void eachTickFlashesTheNextPromptAndTimesTheNextGap()
    {
        TestGame game;
        game.random.script({drawFor(0), 0.0f});
        game.start();
        game.clickTitle();
        game.endFlash();
        const WindowControls& c = game.controls();
        c.paceButtons[1]->click(); // heavy, from the next gap on
        QCOMPARE(game.timer("promptTimer").interval(), 800);
        QVERIFY(game.timer("promptTimer").remainingTime() > 500);
        QCOMPARE(game.random.drawsTaken, 2);
        game.random.script({0.5f, drawFor(2)});
        game.tick();
        QCOMPARE(game.timer("promptTimer").interval(), 1000);
        QVERIFY(game.timer("promptTimer").remainingTime() > 900); // counted from this tick
        QCOMPARE(c.promptLabel->text(), kCaptions[2]);
        QVERIFY(c.promptLabel->isVisible() && c.promptSuffixLabel->isVisible());
        game.endFlash();
        QVERIFY(c.promptLabel->isHidden());
    }

    void pressesScoreAgainstTheLatestPrompt()
    {
        TestGame game;
        game.assets.write("2.wav", waveBytes({}, 5000));
        game.random.script({drawFor(1), 0.0f});
        game.start();
        game.clickTitle();
        const WindowControls& c = game.controls();
        ActionButton* massage = c.actionButtons[1];

        QTest::mousePress(massage, Qt::LeftButton);
        QCOMPARE(game.scene(), TestAssets::colourOf("2.bmp"));
        QVERIFY(game.window->sounds()[2].isPlaying());
        QTest::mouseRelease(massage, Qt::LeftButton);
        QCOMPARE(game.scene(), TestAssets::colourOf("0.bmp"));
        QVERIFY(game.window->sounds()[2].isPlaying()); // the sound plays on
        halts[2] = 0;
        game.endFlash(); // gone from the screen, the prompt still counts
        game.press(1, 4, Qt::RightButton);
        QCOMPARE(halts[2].load(), 4); // each press starts the sound again
        QCOMPARE(c.hitCountLabel->text(), QString("5"));
        game.press(2, 11, Qt::MiddleButton);
        QCOMPARE(c.hitCountLabel->text(), QString("5"));
        QCOMPARE(c.missCountLabel->text(), QString("11"));
        QVERIFY(game.window->sounds()[2].isPlaying() && game.window->sounds()[3].isPlaying());

        game.random.script({0.0f, drawFor(2)});
        game.tick();
        game.press(2);
        QCOMPARE(c.hitCountLabel->text(), QString("6"));
        QTest::mousePress(massage, Qt::LeftButton); // a double-click is two presses
        QTest::mouseRelease(massage, Qt::LeftButton);
        QTest::mousePress(massage, Qt::LeftButton);
        QTest::mouseDClick(massage, Qt::LeftButton);
        QTest::mouseRelease(massage, Qt::LeftButton);
        QCOMPARE(c.missCountLabel->text(), QString("13"));

        massage->setFocus(); // the keyboard gives no first aid
        for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter})
            QTest::keyClick(massage, key);
        massage->click();
        QCOMPARE(c.hitCountLabel->text() + c.missCountLabel->text(), QString("613"));
        QCOMPARE(game.scene(), TestAssets::colourOf("0.bmp"));
    }

    void aClickOnTheSceneAbandonsTheRoundSilently()
    {
        TestGame game;
        game.start();
        game.clickTitle();
        game.press(0, 3);
        game.controls().aboutButton->click(); // changes nothing
        QCOMPARE(game.told.last().text, QString("ポコリ救出劇：Ver1.0.1\r\n制作：ポコリー救出劇 開発チーム"));
        QCOMPARE(game.window->round().hits() + game.window->round().misses(), 3);
        QVERIFY(game.timer("promptTimer").isTicking());
        game.random.script({drawFor(2), 0.99f});
        game.clickScene();
        const WindowControls& c = game.controls();
        QCOMPARE(game.told.size(), 4);
        QVERIFY(c.titlePicture->isVisible());
        QVERIFY(allHidden(playControls(c)));
        QVERIFY(!game.timer("promptTimer").isTicking());
        QCOMPARE(game.timer("promptTimer").interval(), 2780);
        QCOMPARE(c.promptLabel->text(), kCaptions[2]);
        QCOMPARE(c.hitCountLabel->text() + c.missCountLabel->text(), QString("00"));
        emit game.timer("flashTimer").tick(); // a flash still pending does no harm
        QVERIFY(c.promptLabel->isHidden());
    }

    // Every ending through the window, each told over its own pictures, its
    // sound only after the last message, "end.bmp" last; then back to the
    // title, and the next round.
    void theCountsChooseTheEndingAndItIsTold_data()
    {
        QTest::addColumn<int>("hits");
        QTest::addColumn<int>("misses");
        QTest::addColumn<QStringList>("pictures"); // under each message, in order
        QTest::addColumn<int>("sound");
        QTest::newRow("full rescue") << 66 << 200
            << QStringList{"end2.bmp", "end2.bmp", "end2b.bmp", "end2b.bmp", "end2c.bmp"} << 8;
        QTest::newRow("rescue") << 65 << 0 << QStringList{"end1.bmp", "end1.bmp"} << 6;
        QTest::newRow("after-effect") << 31 << 40
            << QStringList{"end1.bmp", "end1.bmp", "end1b.bmp", "end1b.bmp", "end1b.bmp"} << 5;
        QTest::newRow("close call") << 30 << 29 << QStringList{"end0.bmp", "end0.bmp"} << 4;
        QTest::newRow("death") << 0 << 0 << QStringList{"end0.bmp"} << 7;
    }
    void theCountsChooseTheEndingAndItIsTold()
    {
        QFETCH(int, hits);
        QFETCH(int, misses);
        QFETCH(QStringList, pictures);
        QFETCH(int, sound);
        TestGame game;
        game.random.script({drawFor(0), 0.0f});
        game.start();
        game.clickTitle();
        game.press(0, hits);
        game.press(1, misses);
        game.tickToTheLastPrompt();
        const int draws = game.random.drawsTaken;
        game.told.clear();
        game.tick();
        QCOMPARE(game.random.drawsTaken, draws);
        QCOMPARE(game.told.size(), pictures.size());
        for (int i = 0; i < pictures.size(); ++i) {
            QCOMPARE(game.told[i].scene, TestAssets::colourOf(pictures[i]));
            QVERIFY(!game.told[i].promptTimerRunning);
            QCOMPARE(game.told[i].endingSoundPlaying, -1);
        }
        QCOMPARE(game.scene(), TestAssets::colourOf("end.bmp"));
        for (int i = 4; i < 9; ++i)
            QCOMPARE(game.window->sounds()[i].isPlaying(), i == sound);
        QVERIFY(game.window->sounds()[0].isPlaying()); // the music goes on

        const WindowControls& c = game.controls();
        QCOMPARE(c.hitCountLabel->text(), QString::number(hits));
        QCOMPARE(c.missCountLabel->text(), QString::number(misses));
        QVERIFY(c.hitCountLabel->isVisible());
        QVERIFY(allHidden({c.promptLabel, c.actionButtons[0], c.actionButtons[1], c.actionButtons[2]}));
        QVERIFY(!game.timer("promptTimer").isTicking());

        // A double-click on a picture is one click: back to the title, and
        // no further; then from the title into one intro.
        doubleClickAt(game.window.get(), {100, 100});
        QVERIFY(c.titlePicture->isVisible());
        QVERIFY(allHidden(playControls(c)));
        doubleClickAt(game.window.get(), {100, 100});
        QCOMPARE(game.told.size(), pictures.size() + 3);
        QVERIFY(c.titlePicture->isHidden());
    }

    void thePaceChoiceIsOneGroup()
    {
        TestGame game;
        game.start();
        const WindowControls& c = game.controls();
        QCOMPARE(game.window->round().pace().baseMs, 800);
        game.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(game.window.get()));
        c.aboutButton->setFocus();
        QTest::keyClick(c.aboutButton, Qt::Key_Tab); // into the group, at the chosen one
        QCOMPARE(QApplication::focusWidget(), c.paceButtons[0]);
        QTest::keyClick(c.paceButtons[0], Qt::Key_Down);
        QVERIFY(c.paceButtons[1]->isChecked() && !c.paceButtons[0]->isChecked());
        QCOMPARE(game.window->round().pace().baseMs, 500);
        c.aboutButton->setFocus();
        QTest::keyClick(c.aboutButton, Qt::Key_Tab); // past the other one, to the chosen one
        QCOMPARE(QApplication::focusWidget(), c.paceButtons[1]);
        QTest::keyClick(c.paceButtons[1], Qt::Key_Tab); // and out of the group at once
        QCOMPARE(QApplication::focusWidget(), c.aboutButton);
        QTest::mouseClick(c.paceButtons[1], Qt::LeftButton); // chosen already: stays chosen
        QVERIFY(c.paceButtons[1]->isChecked() && !c.paceButtons[0]->isChecked());
        QTest::mouseClick(c.paceButtons[0], Qt::LeftButton);
        QCOMPARE(game.window->round().pace().baseMs, 800);
    }

    void theMessageBoxIsTheTextAndOneOk()
    {
        QWidget parent;
        QTimer::singleShot(0, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            QCOMPARE(box->windowTitle(), QString("ポコリー救出劇"));
            QCOMPARE(box->text(), QString("一行目\r\n二行目"));
            QCOMPARE(box->icon(), QMessageBox::NoIcon);
            QCOMPARE(box->buttons().size(), 1);
            QCOMPARE(box->standardButtons(), QMessageBox::Ok);
            box->button(QMessageBox::Ok)->click();
        });
        showGameMessage(&parent, "一行目\r\n二行目");
    }

    void closingStopsAndClosesEverySound()
    {
        TestGame game;
        game.start();
        game.clickTitle();
        game.press(0);
        QVERIFY(game.window->close());
        for (int i = 0; i < SoundBank::kSize; ++i)
            QVERIFY(!game.window->sounds()[i].isOpen() && !game.window->sounds()[i].isPlaying());
    }

    void initTestCase()
    {
        Mix_ChannelFinished([](int channel) { ++halts[channel]; });
    }
    void init()
    {
        for (auto& count : halts)
            count = 0;
    }
};

QTEST_MAIN(GameWindowTest)
#include "test_game_window.moc"
