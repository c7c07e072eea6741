// The window on the desktops players run: readable under a light and a dark
// desktop palette, its message boxes in the desktop's own look, and every
// control named for a screen reader.
#include "app/message_box.h"
#include "media/game_timer.h"
#include "tests/fixtures.h"

#include <QAccessible>
#include <QLabel>
#include <QMessageBox>
#include <QtGui/private/qguiapplication_p.h>
#include <QtTest>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <cmath>

namespace {

// A palette as a dark desktop theme hands it to programs: light text on
// dark faces.
QPalette darkPalette()
{
    return QPalette(QColor(238, 238, 236), QColor(53, 53, 53));
}

QPalette lightPalette()
{
    return QPalette(QColor(0, 0, 0), QColor(239, 239, 239));
}

// Relative luminance and contrast ratio, as WCAG defines them.
double luminance(QColor colour)
{
    const auto linear = [](int channel) {
        const double v = channel / 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red()) + 0.7152 * linear(colour.green()) + 0.0722 * linear(colour.blue());
}

double contrast(QColor a, QColor b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The contrast of a widget's text against its face in a grab of its window:
// among the pixels where the widget lies in front, its frame left out, the
// face is the commonest colour and the text the one that stands out most.
double textContrast(QWidget* window, QWidget* widget)
{
    const QImage image = window->grab().toImage();
    const QPoint origin = widget->mapTo(window, QPoint());
    const QRect area = QRect(origin, widget->size()).adjusted(3, 3, -3, -3) & window->rect();
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (window->childAt(x, y) == widget || (window == widget && !window->childAt(x, y)))
                ++counts[image.pixel(x, y)];
    if (counts.isEmpty())
        return 0;
    QRgb face = counts.constBegin().key();
    for (auto it = counts.constBegin(); it != counts.constEnd(); ++it)
        if (it.value() > counts.value(face))
            face = it.key();
    double most = 1;
    for (auto it = counts.constBegin(); it != counts.constEnd(); ++it)
        most = std::max(most, contrast(QColor(face), QColor(it.key())));
    return most;
}

// What a screen reader says a control is called: nothing while it is hidden.
QString spokenName(QWidget* widget)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible->state().invisible ? QString() : accessible->text(QAccessible::Name);
}

// The accessibility events of one kind, in order, with each object's name
// as it was told.
QList<std::pair<QObject*, QString>> told;

} // namespace

class DesktopTest : public QObject {
    Q_OBJECT
private slots:
    // Every caption of the window in play, in each state a button can be
    // in, under the desktop's own palette (run under a dark platform theme
    // too), a light one, a dark one, and a dark one the desktop switches to
    // while the game plays. The prompt keeps its own red on white, 4:1.
    void everyCaptionIsReadableUnderAnyDesktopPalette_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("palette");
        QTest::addColumn<double>("minimum");
        const QList<std::pair<QString, QString>> controls{
            {"人工呼吸", ""},    {"人工呼吸", "held down"}, {"心臓マッサージ", ""}, {"呼びかけ", ""},
            {"ポコリ情報", ""},  {"ポコリ情報", "focused"}, {"軽め", "chosen"},     {"重め", ""},
            {"prompt", ""},      {"prompt suffix", ""},     {"hits", ""},           {"misses", ""},
            {"hit caption", ""}, {"miss caption", ""},      {"quit hint", ""}};
        for (const QString palette : {"the desktop's", "light", "dark", "dark from light"})
            for (const auto& [control, state] : controls)
                QTest::addRow("%s %s, %s", qPrintable(control), qPrintable(state), qPrintable(palette))
                    << control << state << palette << (control == "prompt" ? 3.99 : 4.5);
    }
    void everyCaptionIsReadableUnderAnyDesktopPalette()
    {
        QFETCH(QString, control);
        QFETCH(QString, state);
        QFETCH(QString, palette);
        QFETCH(double, minimum);
        if (palette != "the desktop's")
            QApplication::setPalette(palette == "dark" ? darkPalette() : lightPalette());
        TestGame game;
        game.start();
        game.clickTitle();
        if (palette == "dark from light")
            QApplication::setPalette(darkPalette());
        QWidget* widget = controlNamed(game.controls(), control);
        if (state == "held down")
            QTest::mousePress(widget, Qt::LeftButton);
        if (state == "focused")
            widget->setFocus();
        QCOMPARE(widget->property("checked").toBool(), state == "chosen");
        const double ratio = textContrast(game.window.get(), widget);
        QVERIFY2(ratio >= minimum, qPrintable(QString("%1:1").arg(ratio, 0, 'f', 2)));
        if (state == "held down")
            QTest::mouseRelease(widget, Qt::LeftButton);
    }

    // A message box is the desktop's own dialog: the text alone, the game's
    // title and one OK, in the desktop's colours, not the window's, and
    // readable in either.
    void messageBoxesAreTheDesktops_data()
    {
        QTest::addColumn<QPalette>("palette");
        QTest::newRow("light") << lightPalette();
        QTest::newRow("dark") << darkPalette();
    }
    void messageBoxesAreTheDesktops()
    {
        QFETCH(QPalette, palette);
        QApplication::setPalette(palette);
        TestGame game;
        game.start();
        QStringList look;
        QPalette seen;
        double ratio = 0;
        int shownWidth = 0;
        int plainWidth = 0;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                look = {box->windowTitle(), box->text(), QString::number(box->icon()),
                        QString::number(box->buttons().size())};
                seen = box->palette();
                auto* label = box->findChild<QLabel*>("qt_msgbox_label");
                ratio = textContrast(box, label);
                shownWidth = label->sizeHint().width();
                plainWidth = label->fontMetrics().horizontalAdvance("一行目 <b>a</b>");
                box->button(QMessageBox::Ok)->click();
            }
        });
        showGameMessage(game.window.get(), "一行目 <b>a</b>\r\n二行目");
        QCOMPARE(
            look,
            QStringList({"ポコリー救出劇", "一行目 <b>a</b>\r\n二行目", QString::number(QMessageBox::NoIcon), "1"}));
        // Every character shown as it is: none taken for markup.
        QVERIFY2(shownWidth >= plainWidth, qPrintable(QString("%1 < %2").arg(shownWidth).arg(plainWidth)));
        for (const auto role : {QPalette::Window, QPalette::WindowText, QPalette::Button, QPalette::ButtonText})
            QCOMPARE(seen.color(role), palette.color(role));
        QVERIFY2(ratio >= 4.5, qPrintable(QString("%1:1").arg(ratio, 0, 'f', 2)));
    }

    // Every control as a screen reader meets it at the title and in play,
    // the prompt for 心臓マッサージ showing: its name, nothing while hidden,
    // and what it does.
    void aScreenReaderNamesEveryControl_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("atTitle");
        QTest::addColumn<QString>("inPlay");
        QTest::addColumn<QString>("description");
        const auto row = [](const char* control, const char* atTitle, const char* inPlay, const char* description) {
            QTest::newRow(control) << control << atTitle << inPlay << description;
        };
        row("title", "タイトル画面", "", "クリックすると救出劇が始まります");
        row("scene", "救出の場面", "救出の場面", "クリックするとタイトル画面に戻ります。救出の途中でも戻ります");
        row("prompt", "", "心臓マッサージ してあげて！", "");
        row("hits", "", "助かる比率 0", "指示どおりのボタンを押した回数");
        row("misses", "", "無理っぽいさ 0", "指示と違うボタンを押した回数");
        row("quit hint", "", "終了するときは絵をクリックしてね", "");
        row("人工呼吸", "", "人工呼吸", "マウスで押すと、この動作をします。指示どおりなら助かる比率が上がります");
        row("ポコリ情報", "ポコリ情報", "ポコリ情報", "バージョンと制作者を表示します");
        row("軽め", "難易度：軽め", "難易度：軽め", "指示の間隔 0.8～2.8秒");
        row("重め", "難易度：重め", "難易度：重め", "指示の間隔 0.5～1.5秒");
    }
    void aScreenReaderNamesEveryControl()
    {
        QFETCH(QString, control);
        QFETCH(QString, atTitle);
        QFETCH(QString, inPlay);
        QFETCH(QString, description);
        TestGame game;
        game.random.script({drawFor(1), 0.5f});
        game.start();
        QWidget* widget = controlNamed(game.controls(), control);
        QCOMPARE(spokenName(widget), atTitle);
        game.clickTitle();
        QCOMPARE(spokenName(widget), inPlay);
        QCOMPARE(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Description), description);
    }

    // A screen reader hears each count and prompt as it changes, which pace
    // is chosen, and can click the pictures.
    void aScreenReaderFollowsTheRound()
    {
        // As when a screen reader is running: Qt then reports each change.
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
            if (event->type() == QAccessible::NameChanged)
                told.append({event->object(), event->accessibleInterface()->text(QAccessible::Name)});
        });
        TestGame game;
        game.random.script({drawFor(1), 0.5f});
        game.start();
        const WindowControls& c = game.controls();
        // The reader's press does what a click could do then, and nothing
        // where none could: on the scene under the title picture, on it
        // while a message box holds the window, on the title picture hidden.
        const auto press = [](QWidget* picture) {
            QAccessible::queryAccessibleInterface(picture)->actionInterface()->doAction(
                QAccessibleActionInterface::pressAction());
            QCoreApplication::processEvents();
        };
        press(c.scenePicture);
        QCOMPARE(game.random.drawsTaken, 2);
        game.whileMessageOpen = [&] {
            QMessageBox box(QMessageBox::NoIcon, "", "");
            box.setWindowModality(Qt::ApplicationModal);
            box.show();
            press(c.scenePicture);
            game.whileMessageOpen = nullptr;
        };
        QCOMPARE(QAccessible::queryAccessibleInterface(c.titlePicture)->role(), QAccessible::Graphic);
        press(c.titlePicture);
        QCOMPARE(game.told.size(), 3); // the intro, as a click tells it
        QVERIFY(c.titlePicture->isHidden() && game.timer("promptTimer").isTicking());
        QCOMPARE(game.random.drawsTaken, 2);
        press(c.titlePicture);
        QCOMPARE(game.told.size(), 3);

        told.clear();
        game.press(1, 2);
        game.press(0);
        game.random.script({0.5f, drawFor(2)});
        game.tick();
        const QList<std::pair<QObject*, QString>> heard{
            {c.hitCountLabel, "助かる比率 1"},       {c.missCountLabel, "無理っぽいさ 0"},
            {c.hitCountLabel, "助かる比率 2"},       {c.missCountLabel, "無理っぽいさ 0"},
            {c.hitCountLabel, "助かる比率 2"},       {c.missCountLabel, "無理っぽいさ 1"},
            {c.promptLabel, "呼びかけ してあげて！"}};
        QCOMPARE(told, heard);

        QTest::mouseClick(c.paceButtons[1], Qt::LeftButton);
        for (int i = 0; i < 2; ++i)
            QCOMPARE(QAccessible::queryAccessibleInterface(c.paceButtons[i])->state().checked, i == 1);
        press(c.scenePicture);
        QVERIFY(c.titlePicture->isVisible());
        QAccessible::installUpdateHandler(nullptr);
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(false);
    }

    void initTestCase()
    {
        m_desktopPalette = QApplication::palette();
        if (qEnvironmentVariableIsSet("POKORI_DARK_DESKTOP")) // the platform theme must have taken
            QVERIFY(m_desktopPalette.color(QPalette::Window).lightness() < 128);
    }
    void cleanup() { QApplication::setPalette(m_desktopPalette); }

private:
    QPalette m_desktopPalette;
};

QTEST_MAIN(DesktopTest)
#include "test_desktop.moc"
