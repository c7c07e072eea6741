// The game window as it is created: frame, controls, colours, fonts,
// stacking, focus order and which input the action buttons answer.
#include "action_button.h"
#include "fixtures.h"
#include "fom.h"
#include "picture_box.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

QWidget* control(const Fom& fom, const QString& name)
{
    const FomControls& c = fom.controls();
    const QHash<QString, QWidget*> byName{
        {"Com(0)", c.Com[0]}, {"Com(1)", c.Com[1]}, {"Com(2)", c.Com[2]}, {"ComMe", c.ComMe},
        {"Opt(0)", c.Opt[0]}, {"Opt(1)", c.Opt[1]}, {"Lbl", c.Lbl}, {"Label1", c.Label1},
        {"OKLbl", c.OKLbl}, {"missLbl", c.missLbl}, {"Label3", c.Label3}, {"Label4", c.Label4},
        {"Label2", c.Label2}, {"Img", c.Img}, {"ImgStt", c.ImgStt}, {"E(0)", c.E[0]}};
    return byName.value(name);
}

QString captionOf(QWidget* widget)
{
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    if (auto* button = qobject_cast<QPushButton*>(widget))
        return button->text();
    return {};
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT
private slots:
    void windowHasItsFixedFrame()
    {
        TestGame game;
        Fom& fom = *game.fom;
        QCOMPARE(fom.windowTitle(), QString("ポコリー救出劇"));
        QCOMPARE(fom.size(), QSize(282, 381));
        QCOMPARE(fom.minimumSize(), QSize(282, 381));
        QCOMPARE(fom.maximumSize(), QSize(282, 381));
        const Qt::WindowFlags flags = fom.windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(fom.palette().color(QPalette::Window), QColor(255, 255, 192));
    }

    void controlsStandWhereTheyBelong_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("visible");
        QTest::newRow("Com(0)") << "Com(0)" << QRect(8, 280, 89, 25) << "人工呼吸" << true;
        QTest::newRow("Com(1)") << "Com(1)" << QRect(96, 280, 89, 25) << "心臓マッサージ" << true;
        QTest::newRow("Com(2)") << "Com(2)" << QRect(184, 280, 89, 25) << "呼びかけ" << true;
        QTest::newRow("ComMe") << "ComMe" << QRect(192, 304, 81, 25) << "ポコリ情報" << true;
        QTest::newRow("Opt(0)") << "Opt(0)" << QRect(192, 328, 81, 25) << "難易度：軽め" << true;
        QTest::newRow("Opt(1)") << "Opt(1)" << QRect(192, 352, 81, 25) << "難易度：重め" << true;
        QTest::newRow("Lbl") << "Lbl" << QRect(8, 120, 153, 25) << "人工呼吸" << true;
        QTest::newRow("Label1") << "Label1" << QRect(160, 120, 113, 25) << "してあげて！" << true;
        QTest::newRow("OKLbl") << "OKLbl" << QRect(8, 328, 89, 25) << "OKLbl" << true;
        QTest::newRow("missLbl") << "missLbl" << QRect(96, 328, 89, 25) << "missLbl" << true;
        QTest::newRow("Label3") << "Label3" << QRect(8, 312, 89, 17) << "助かる比率" << true;
        QTest::newRow("Label4") << "Label4" << QRect(96, 312, 89, 17) << "無理っぽいさ" << true;
        QTest::newRow("Label2") << "Label2" << QRect(8, 360, 265, 17) << "終了するときは絵をクリックしてね" << true;
        QTest::newRow("Img") << "Img" << QRect(8, 8, 265, 265) << "" << true;
        QTest::newRow("ImgStt") << "ImgStt" << QRect(184, 24, 337, 249) << "" << true;
        QTest::newRow("E(0)") << "E(0)" << QRect(64, 144, 41, 49) << "" << false;
    }
    void controlsStandWhereTheyBelong()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        QFETCH(bool, visible);
        TestGame game; // as created, before the first showing resets the round
        QWidget* widget = control(*game.fom, name);
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), geometry);
        QCOMPARE(captionOf(widget), caption);
        QCOMPARE(!widget->isHidden(), visible);
    }

    void colourAndTypeMatchEachControl_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPalette::ColorRole>("role");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<bool>("filled");
        QTest::newRow("Com(0) face") << "Com(0)" << QPalette::Button << QColor(255, 224, 192) << false;
        QTest::newRow("Com(1) face") << "Com(1)" << QPalette::Button << QColor(192, 255, 192) << false;
        QTest::newRow("Com(2) face") << "Com(2)" << QPalette::Button << QColor(192, 192, 255) << false;
        QTest::newRow("ComMe face") << "ComMe" << QPalette::Button << QColor(192, 255, 255) << false;
        QTest::newRow("Opt(0) face") << "Opt(0)" << QPalette::Button << QColor(255, 255, 192) << false;
        QTest::newRow("Lbl text") << "Lbl" << QPalette::WindowText << QColor(255, 0, 0) << true;
        QTest::newRow("Lbl ground") << "Lbl" << QPalette::Window << QColor(255, 255, 255) << true;
        QTest::newRow("Label1 ground") << "Label1" << QPalette::Window << QColor(255, 255, 255) << true;
        QTest::newRow("OKLbl ground") << "OKLbl" << QPalette::Window << QColor(255, 255, 255) << true;
        QTest::newRow("missLbl ground") << "missLbl" << QPalette::Window << QColor(255, 192, 255) << true;
    }
    void colourAndTypeMatchEachControl()
    {
        QFETCH(QString, name);
        QFETCH(QPalette::ColorRole, role);
        QFETCH(QColor, colour);
        QFETCH(bool, filled);
        TestGame game;
        QWidget* widget = control(*game.fom, name);
        QCOMPARE(widget->palette().color(role), colour);
        if (filled)
            QVERIFY(widget->autoFillBackground());
    }

    void captionsWithoutGroundAreTransparent()
    {
        TestGame game;
        for (const char* name : {"Label2", "Label3", "Label4"})
            QVERIFY2(!control(*game.fom, name)->autoFillBackground(), name);
    }

    void labelsHangTheirTextFromTheTop_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bordered");
        QTest::newRow("Lbl") << "Lbl" << int(Qt::AlignHCenter | Qt::AlignTop) << 14.25 << false;
        QTest::newRow("Label1") << "Label1" << int(Qt::AlignRight | Qt::AlignTop) << 14.25 << false;
        QTest::newRow("OKLbl") << "OKLbl" << int(Qt::AlignRight | Qt::AlignTop) << 12.0 << true;
        QTest::newRow("missLbl") << "missLbl" << int(Qt::AlignRight | Qt::AlignTop) << 12.0 << true;
        QTest::newRow("Label2") << "Label2" << int(Qt::AlignLeft | Qt::AlignTop) << 9.0 << false;
        QTest::newRow("Label3") << "Label3" << int(Qt::AlignLeft | Qt::AlignTop) << 9.0 << false;
    }
    void labelsHangTheirTextFromTheTop()
    {
        QFETCH(QString, name);
        QFETCH(int, alignment);
        QFETCH(double, points);
        QFETCH(bool, bordered);
        TestGame game;
        auto* label = qobject_cast<QLabel*>(control(*game.fom, name));
        QVERIFY(label);
        QCOMPARE(int(label->alignment()), alignment);
        QCOMPARE(label->font().pointSizeF(), points);
        QCOMPARE(label->font().families().value(0), QString("ＭＳ Ｐゴシック"));
        QVERIFY(label->font().families().contains("IPAPGothic"));
        QCOMPARE(label->frameShape() != QFrame::NoFrame, bordered);
    }

    void pictureBordersAndStretching()
    {
        TestGame game;
        const FomControls& c = game.fom->controls();
        QVERIFY(c.Img->stretches() && c.Img->bordered());
        QVERIFY(c.ImgStt->stretches() && !c.ImgStt->bordered());
        QVERIFY(!c.E[0]->stretches());
    }

    // Where two controls share pixels, the front one is what the player sees
    // and clicks there.
    void frontControlCoversSharedPixels_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QString>("front");
        QTest::newRow("Com(0) | Com(1)") << QPoint(96, 290) << "Com(1)";
        QTest::newRow("Com(1) | Com(2)") << QPoint(184, 290) << "Com(2)";
        QTest::newRow("Com(2) / ComMe") << QPoint(200, 304) << "ComMe";
        QTest::newRow("ComMe / Opt(0)") << QPoint(200, 328) << "Opt(0)";
        QTest::newRow("Opt(0) / Opt(1)") << QPoint(200, 352) << "Opt(1)";
        QTest::newRow("Lbl | Label1") << QPoint(160, 130) << "Label1";
        QTest::newRow("OKLbl | missLbl") << QPoint(96, 340) << "missLbl";
        QTest::newRow("Label3 | Label4") << QPoint(96, 320) << "Label4";
        QTest::newRow("Label3 / OKLbl") << QPoint(20, 328) << "OKLbl";
        QTest::newRow("Label4 / missLbl") << QPoint(120, 328) << "missLbl";
        QTest::newRow("Label2 under Opt(1)") << QPoint(250, 365) << "Opt(1)";
        QTest::newRow("Lbl over Img") << QPoint(50, 130) << "Lbl";
        QTest::newRow("ImgStt over Label1") << QPoint(200, 130) << "ImgStt";
        QTest::newRow("ImgStt over Img") << QPoint(250, 200) << "ImgStt";
        QTest::newRow("Com(2) over ImgStt") << QPoint(200, 290) << "Com(2)";
    }
    void frontControlCoversSharedPixels()
    {
        QFETCH(QPoint, point);
        QFETCH(QString, front);
        TestGame game; // as created: everything but E(0) visible
        QCOMPARE(game.fom->childAt(point), control(*game.fom, front));
    }

    void titlePictureLeavesTheButtonsOnTop()
    {
        TestGame game;
        game.load();
        const Fom& fom = *game.fom;
        for (const char* name : {"ComMe", "Opt(0)", "Opt(1)"}) {
            QWidget* widget = control(fom, name);
            QCOMPARE(fom.childAt(widget->geometry().center()), widget);
        }
    }

    void focusMovesThroughTheButtonsInOrder()
    {
        TestGame game;
        const FomControls& c = game.fom->controls();
        const QList<QWidget*> chain{c.Com[0], c.Com[1], c.Com[2], c.ComMe, c.Opt[0], c.Opt[1]};
        for (qsizetype i = 0; i + 1 < chain.size(); ++i)
            QCOMPARE(chain[i]->nextInFocusChain(), chain[i + 1]);
        for (QLabel* label : {c.Lbl, c.Label1, c.OKLbl, c.missLbl, c.Label2, c.Label3, c.Label4})
            QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    }

    void exactlyOneDifficultyIsChosen()
    {
        TestGame game;
        game.load();
        const FomControls& c = game.fom->controls();
        QVERIFY(c.Opt[0]->isChecked() && !c.Opt[1]->isChecked());
        QTest::mouseClick(c.Opt[1], Qt::LeftButton);
        QVERIFY(!c.Opt[0]->isChecked() && c.Opt[1]->isChecked());
        QCOMPARE(game.fom->state().BaseInterval, 500);
        QTest::mouseClick(c.Opt[1], Qt::LeftButton); // the chosen one stays chosen
        QVERIFY(!c.Opt[0]->isChecked() && c.Opt[1]->isChecked());
        QTest::mouseClick(c.Opt[0], Qt::LeftButton);
        QVERIFY(c.Opt[0]->isChecked() && !c.Opt[1]->isChecked());
        QCOMPARE(game.fom->state().BaseInterval, 800);
    }

    void actionButtonsAnswerEveryMouseButton_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::newRow("left") << Qt::LeftButton;
        QTest::newRow("right") << Qt::RightButton;
        QTest::newRow("middle") << Qt::MiddleButton;
    }
    void actionButtonsAnswerEveryMouseButton()
    {
        QFETCH(Qt::MouseButton, button);
        TestGame game;
        game.random.script({0.0f, 0.5f}); // first prompt: action 0
        game.load();
        game.startRound();
        ActionButton* com0 = game.fom->controls().Com[0];
        QTest::mousePress(com0, button, Qt::ShiftModifier);
        QCOMPARE(game.fom->state().HitCount, 1);
        QCOMPARE(game.sceneColour(), TestAssets::colourOf("1.bmp"));
        QTest::mouseRelease(com0, button);
        QCOMPARE(game.sceneColour(), TestAssets::colourOf("0.bmp"));
        QTest::mouseClick(game.fom->controls().Com[2], button);
        QCOMPARE(game.fom->state().MissCount, 1);
    }

    void actionButtonsIgnoreTheKeyboardAndClicks()
    {
        TestGame game;
        game.random.script({0.0f, 0.5f});
        game.load();
        game.startRound();
        ActionButton* com0 = game.fom->controls().Com[0];
        com0->setFocus();
        QTest::keyClick(com0, Qt::Key_Space);
        QTest::keyClick(com0, Qt::Key_Return);
        QTest::keyClick(com0, Qt::Key_Enter);
        com0->click();
        QCOMPARE(game.fom->state().HitCount, 0);
        QCOMPARE(game.fom->state().MissCount, 0);
        QCOMPARE(game.fom->controls().OKLbl->text(), QString("0"));
        QCOMPARE(game.sceneColour(), TestAssets::colourOf("0.bmp"));
        QVERIFY(!game.fom->channel(1).isPlaying());
    }
};

QTEST_MAIN(WindowTest)
#include "test_window.moc"
