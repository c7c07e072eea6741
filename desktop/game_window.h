#pragma once

#include "desktop/message_box.h"
#include "desktop/window_controls.h"
#include "game/game.h"
#include "media/sound_bank.h"

#include <QPixmap>
#include <QWidget>

#include <array>

class GameTimer;
class RandomSource;

// The game window: the game's view on the desktop. It makes the controls,
// which tell the game what the player does, and shows and plays what the
// game asks for.
//
// Its three timers are children named "promptTimer" (the next prompt),
// "flashTimer" (the end of a prompt's flash) and "musicTimer" (the music's
// restart).
class GameWindow : public QWidget, private GameView {
    Q_OBJECT
public:
    // programDir: the folder the assets are read from (the program's own).
    // showError: the error box of a picture that cannot be read.
    GameWindow(RandomSource& random, ShowMessage showMessage, ShowMessage showError, const QString& programDir,
               QWidget* parent = nullptr);
    ~GameWindow() override;

    // Loads the pictures and sounds and starts the music, then shows the
    // window, unless a picture could not be read.
    void start();

    [[nodiscard]] const WindowControls& controls() const { return m_controls; }
    [[nodiscard]] const SoundChannel& sound(Sound sound) const { return m_sounds[static_cast<int>(sound)]; }
    [[nodiscard]] const Round& round() const { return m_game.round(); }

signals:
    // The game has ended, whatever was open, and the program is to end with
    // the status given: 0 when the window was closed, 1 when the game
    // stopped over a picture it could not read.
    void ended(int exitStatus);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // What the game asks of the window.
    void showControl(Control control, bool shown) override;
    void setCaption(Control control, const std::string& caption, const std::string& spokenName) override;
    void showChosen(Control paceButton) override;
    [[nodiscard]] bool showPicture(Control picture, const std::string& fileName) override;
    void keepPicture(int slot, const std::string& fileName) override;
    void showKeptPicture(int slot) override;
    void openSounds() override;
    void playSound(Sound sound) override;
    [[nodiscard]] int soundLengthMs(Sound sound) override;
    void closeSounds() override;
    void setTimerInterval(Timer timer, int ms) override;
    void setTimerEnabled(Timer timer, bool enabled) override;
    [[nodiscard]] bool showMessage(const std::string& text) override;
    void stop(const std::string& errorText) override;

    // The picture of a file, or a null one once the game has been told why
    // it cannot be read.
    [[nodiscard]] QPixmap readPicture(const std::string& fileName);

    ShowMessage m_showMessage;
    ShowMessage m_showError;
    QString m_assetDir;
    SoundBank m_sounds;
    std::array<QPixmap, kKeptPictures> m_keptPictures;
    std::array<GameTimer*, kTimerCount> m_timers{}; // by Timer
    bool m_stopped = false;
    // Declared last: the controls tell it what the player does, and it
    // drives all of the above.
    Game m_game;
    WindowControls m_controls;
};
