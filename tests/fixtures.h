#pragma once

#include "app/action_button.h"
#include "app/game_window.h"
#include "app/picture_box.h"
#include "tests/scripted_random.h"

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
// of one colour of its own, each sound a short tone of a length of its own,
// the music lasting musicMs. Tests then spoil single files.
class TestAssets {
public:
    explicit TestAssets(int musicMs = 1000);

    [[nodiscard]] QString dir() const { return m_dir.path(); }
    [[nodiscard]] QString path(const QString& fileName) const { return m_dir.filePath(fileName); }
    void write(const QString& fileName, const QByteArray& bytes) const;
    // The colour a picture file was made with, to tell pictures apart.
    [[nodiscard]] static QColor colourOf(const QString& fileName);
    // The length of a sound file other than the music, to tell sounds apart:
    // n.wav lasts 200 + 10n ms.
    [[nodiscard]] static int lengthOf(const QString& soundFile);

    [[nodiscard]] static const QStringList& pictures();
    [[nodiscard]] static const QStringList& sounds(); // in the order of Sound

private:
    QTemporaryDir m_dir;
};

// The colour at the centre of a picture; invalid for no picture.
[[nodiscard]] QColor centreColour(const QPixmap& pixmap);

// A message box the window opened, and what stood around it.
struct ToldMessage {
    QString text;
    QColor scene; // the picture under the box
    bool promptTimerRunning; // whether a prompt could come while it is open
    QString endingSound; // the files of the ending sounds playing, if any is
    bool operator==(const ToldMessage&) const = default;
};

// What a player is told between the title and play, or in an ending: each
// message over its picture, with no prompt to come and no ending sound yet.
[[nodiscard]] QList<ToldMessage> introTelling();
[[nodiscard]] QList<ToldMessage> endingTelling(Ending ending);
// The sound file an ending plays after its last message.
[[nodiscard]] QString endingSoundFile(Ending ending);
// The picture every ending closes on.
inline const QString kClosingPicture = QStringLiteral("end.bmp");

// The game window over test assets, with message boxes and fatal errors
// recorded instead of shown, driven through its widgets and timers.
struct TestGame {
    explicit TestGame(int musicMs = 1000);
    ~TestGame();

    void start(); // start-up, then the first showing, which resets the round
    void clickTitle(); // a click on the title picture: the intro
    void press(int action, int times = 1, Qt::MouseButton button = Qt::LeftButton);
    void tick(); // the prompt timer ticks now; it must be running
    void endFlash(); // the flash timer ticks now, and must stop
    // In play: presses that choose the ending, then ticks 1 to 29.
    void playToTheLastTick(Ending ending);
    [[nodiscard]] GameTimer& timer(const char* name) const;
    [[nodiscard]] const WindowControls& controls() const { return window->controls(); }
    [[nodiscard]] QColor scene() const;
    // The files of the ending sounds playing, joined by spaces: empty if none is.
    [[nodiscard]] QString endingSoundsPlaying() const;

    TestAssets assets;
    ScriptedRandom random;
    QList<ToldMessage> told;
    // Called while each message is open, once it is recorded.
    std::function<void()> whileMessageOpen;
    QStringList fatalErrors; // each the path of the picture, then its reason
    std::unique_ptr<GameWindow> window;
};
