// The window on the desktops players run: readable under a light and a dark
// desktop palette, its message boxes in the desktop's own look, and every
// control named for a screen reader.
#include "desktop/game_timer.h"
#include "desktop/message_box.h"
#include "tests/fixtures.h"

#include <QAccessible>
#include <QLabel>
#include <QMessageBox>
#include <QtGui/private/qguiapplication_p.h>
#include <QtTest>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <cmath>

Q_DECLARE_METATYPE(Control)

namespace {

// Palettes as desktop themes hand them to programs: dark text on light
// faces, and light text on dark ones.
const QPalette kLightPalette(QColor(0, 0, 0), QColor(239, 239, 239));
const QPalette kDarkPalette(QColor(238, 238, 236), QColor(53, 53, 53));

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

// The colours of a grab of a window where a widget lies in front, its frame
// left out, each with its count of pixels; the face is the commonest.
QHash<QRgb, int> coloursInFront(QWidget* window, QWidget* widget)
{
    const QImage image = window->grab().toImage();
    const QPoint origin = widget->mapTo(window, QPoint());
    const QRect area = QRect(origin, widget->size()).adjusted(3, 3, -3, -3) & window->rect();
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (window->childAt(x, y) == widget || (window == widget && !window->childAt(x, y)))
                ++counts[image.pixel(x, y)];
    return counts;
}

QColor faceOf(const QHash<QRgb, int>& counts)
{
    const QList<QRgb> colours = counts.keys();
    const auto commonest = std::ranges::max_element(colours, {}, [&](QRgb c) { return counts.value(c); });
    return colours.isEmpty() ? QColor() : QColor(*commonest);
}

// The contrast of a widget's text against its face: the colour that stands
// out most from it.
double textContrast(QWidget* window, QWidget* widget)
{
    const QHash<QRgb, int> counts = coloursInFront(window, widget);
    if (counts.isEmpty())
        return 0;
    const QColor face = faceOf(counts);
    double most = 1;
    for (auto it = counts.constBegin(); it != counts.constEnd(); ++it)
        most = std::max(most, contrast(face, QColor(it.key())));
    return most;
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
        QTest::addColumn<Control>("control");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("palette");
        QTest::addColumn<double>("minimum");
        using enum Control;
        QList<std::pair<Control, QString>> controls{{BreathButton, "held down"}, {AboutButton, "focused"}};
        for (int i = 0; i < kControlCount; ++i)
            if (windowLayout()[i].kind != ControlKind::Picture)
                controls.append({Control(i), Control(i) == LightPaceButton ? "chosen" : ""});
        for (const QString palette : {"the desktop's", "light", "dark", "dark from light"})
            for (const auto& [control, state] : controls)
                QTest::addRow("control %d %s, %s", int(control), qPrintable(state), qPrintable(palette))
                    << control << state << palette << (control == PromptLabel ? 3.99 : 4.5);
    }
    void everyCaptionIsReadableUnderAnyDesktopPalette()
    {
        QFETCH(Control, control);
        QFETCH(QString, state);
        QFETCH(QString, palette);
        QFETCH(double, minimum);
        if (palette != "the desktop's")
            QApplication::setPalette(palette == "dark" ? kDarkPalette : kLightPalette);
        TestGame game;
        game.window->start();
        game.clickTitle();
        if (palette == "dark from light")
            QApplication::setPalette(kDarkPalette);
        QWidget* widget = game.controls()[control];
        if (state == "held down")
            QTest::mousePress(widget, Qt::LeftButton);
        if (state == "focused")
            widget->setFocus();
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
        QTest::newRow("light") << kLightPalette;
        QTest::newRow("dark") << kDarkPalette;
    }
    void messageBoxesAreTheDesktops()
    {
        QFETCH(QPalette, palette);
        QApplication::setPalette(palette);
        TestGame game;
        game.window->start();
        QStringList look;
        QPalette seen;
        double ratio = 0;
        Qt::TextFormat format = Qt::AutoText;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                look = {box->windowTitle(), box->text(), QString::number(box->icon()),
                        QString::number(box->buttons().size())};
                seen = box->palette();
                auto* label = box->findChild<QLabel*>("qt_msgbox_label");
                ratio = textContrast(box, label);
                format = label->textFormat();
                box->button(QMessageBox::Ok)->click();
            }
        });
        showGameMessage(game.window.get(), "一行目 <b>a</b>\r\n二行目");
        QCOMPARE(
            look,
            QStringList({"ポコリー救出劇", "一行目 <b>a</b>\r\n二行目", QString::number(QMessageBox::NoIcon), "1"}));
        // Every character shown as it is: none taken for markup.
        QCOMPARE(format, Qt::PlainText);
        for (const auto role : {QPalette::Window, QPalette::WindowText, QPalette::Button, QPalette::ButtonText})
            QCOMPARE(seen.color(role), palette.color(role));
        QVERIFY2(ratio >= 4.5, qPrintable(QString("%1:1").arg(ratio, 0, 'f', 2)));
    }

    // Every control as the game's table has it, in play:
    // its place, type and face; what a screen reader calls
    // it (nothing while it is hidden) and what it says it is for.
    void eachControlIsAsTheTableHasIt()
    {
        TestGame game;
        game.random.script({drawFor(0), 0.5f}); // the table's own prompt
        game.window->start();
        const WindowControls& c = game.controls();
        const auto captionOf = [](Control control) { return toQString(lookOf(control).caption); };
        const QHash<Control, QString> composedNames{
            {Control::PromptLabel, captionOf(Control::PromptLabel) + " " + captionOf(Control::PromptSuffix)},
            {Control::HitCount, captionOf(Control::HitCaption) + " 0"},
            {Control::MissCount, captionOf(Control::MissCaption) + " 0"}};
        game.clickTitle(); // in play: each control shown or hidden
        for (int i = 0; i < kControlCount; ++i) {
            const ControlLook& look = windowLayout()[i];
            QWidget* widget = c.all[i];
            const QByteArray what = "control " + QByteArray::number(i);
            const Bounds& b = look.bounds;
            QCOMPARE(widget->geometry(), QRect(b.x, b.y, b.width, b.height));
            QCOMPARE(widget->font().pointSizeF(), look.pointSize > 0 ? look.pointSize : kWindowPointSize);
            // Windows outside Japan may lack the first; every Windows has the second.
            QCOMPARE(widget->font().families().mid(0, 2), QStringList({"ＭＳ Ｐゴシック", "Yu Gothic UI"}));
            const QString name
                = composedNames.value(Control(i), toQString(look.spokenName.empty() ? look.caption : look.spokenName));
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
            QVERIFY2(accessible->text(QAccessible::Name) == name, what);
            QCOMPARE(accessible->state().invisible, !widget->isVisible());
            QCOMPARE(accessible->text(QAccessible::Description), toQString(look.description));
            if (!widget->isVisible() || look.kind == ControlKind::Picture)
                continue;
            const QString text
                = look.kind == ControlKind::Label && look.caption.empty() ? "0" : toQString(look.caption);
            QVERIFY2(widget->property("text").toString() == text, what);
            const Rgb face
                = look.startsChosen ? pressedFace(*look.faceColour) : look.faceColour.value_or(kWindowColour);
            QVERIFY2(faceOf(coloursInFront(game.window.get(), widget)) == toQColor(face), what);
        }
    }

    // A screen reader hears each count and prompt as it changes, which pace
    // is chosen, and can click the pictures, but not under a message box.
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
        game.window->start();
        const WindowControls& c = game.controls();
        QWidget* title = c[Control::TitlePicture];
        QWidget* scene = c[Control::ScenePicture];
        const auto press = [](QWidget* picture) {
            QAccessible::queryAccessibleInterface(picture)->actionInterface()->doAction(
                QAccessibleActionInterface::pressAction());
            QCoreApplication::processEvents();
        };
        QCOMPARE(QAccessible::queryAccessibleInterface(title)->role(), QAccessible::Graphic);
        press(title);
        QCOMPARE(game.told.size(), 3); // the intro, as a click tells it
        QVERIFY(title->isHidden() && game.timer("promptTimer").isTicking());

        told.clear();
        game.press(0);
        game.random.script({0.5f, drawFor(2)});
        game.tick();
        const QList<std::pair<QObject*, QString>> heard{{c[Control::HitCount], "助かる比率 0"},
                                                        {c[Control::MissCount], "無理っぽいさ 1"},
                                                        {c[Control::PromptLabel], "呼びかけ してあげて！"}};
        QCOMPARE(told, heard);

        QTest::mouseClick(c[Control::HeavyPaceButton], Qt::LeftButton);
        for (Control pace : {Control::LightPaceButton, Control::HeavyPaceButton})
            QCOMPARE(QAccessible::queryAccessibleInterface(c[pace])->state().checked, pace == Control::HeavyPaceButton);
        // In play, under the about box, the press on the scene abandons nothing.
        game.whileMessageOpen = [&] { press(scene); };
        game.control<QPushButton>(Control::AboutButton)->click();
        game.whileMessageOpen = nullptr;
        QVERIFY(title->isHidden());
        press(scene);
        QVERIFY(title->isVisible());
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
