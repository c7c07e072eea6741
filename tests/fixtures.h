#pragma once

#include "desktop/action_button.h"
#include "desktop/game_window.h"
#include "desktop/picture_box.h"
#include "tests/scripted_random.h"
#include "tests/tellings.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class GameTimer;
class QPixmap;

// A folder holding every file the game reads: each picture a small bitmap
// of one colour of its own, each sound a short tone, the music lasting
// musicMs. Tests then spoil single files.
class TestAssets {
public:
    explicit TestAssets(int musicMs = 1000);

    [[nodiscard]] QString dir() const { return m_dir.path(); }
    [[nodiscard]] QString path(const QString& fileName) const { return m_dir.filePath(fileName); }
    void write(const QString& fileName, const QByteArray& bytes) const;
    // The colour a picture file was made with, to tell pictures apart.
    [[nodiscard]] static QColor colourOf(const QString& fileName);

    [[nodiscard]] static const QStringList& pictures();
    [[nodiscard]] static const QStringList& sounds(); // in the order of Sound

private:
    QTemporaryDir m_dir;
};

// The colour at the centre of a picture; invalid for no picture.
[[nodiscard]] QColor centreColour(const QPixmap& pixmap);

// The colours of the pictures under a story's messages, as told.
[[nodiscard]] QList<QColor> scenesOf(const Telling& telling);

// The game window over test assets, with message boxes and the error box
// recorded instead of shown, driven through its widgets and timers.
struct TestGame {
    explicit TestGame(int musicMs = 1000);

    void clickTitle(); // a click on the title picture: the intro
    void press(int action, int times = 1, Qt::MouseButton button = Qt::LeftButton);
    void tick(); // the prompt timer ticks now; it must be running
    [[nodiscard]] GameTimer& timer(const char* name) const;
    [[nodiscard]] const WindowControls& controls() const { return window->controls(); }
    template <typename Widget> [[nodiscard]] Widget* control(Control control) const
    {
        return controls().as<Widget>(control);
    }
    [[nodiscard]] QColor scene() const;

    TestAssets assets;
    ScriptedRandom random;
    QList<QColor> told; // the picture under each message box opened
    // Called while each message is open, once it is recorded.
    std::function<void()> whileMessageOpen;
    QStringList errors; // the texts of the error boxes
    std::unique_ptr<GameWindow> window;
};
