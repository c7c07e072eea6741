#pragma once

#include "app/message_box.h"
#include "app/window_controls.h"
#include "game/game.h"
#include "media/sound_bank.h"

#include <QPixmap>
#include <QWidget>

#include <array>
#include <functional>

class AssetError;
class GameTimer;
class RandomSource;

// Ends the game over a picture that cannot be read; never returns.
using FatalError = std::function<void(const AssetError& error)>;

// The game window: the game's view on the desktop. It makes the controls,
// hands every click, press and timer tick to the game, and shows and plays
// what the game asks for.
//
// Its three timers are children named "promptTimer" (the next prompt),
// "flashTimer" (the end of a prompt's flash) and "musicTimer" (the music's
// restart).
class GameWindow : public QWidget, private GameView {
    Q_OBJECT
public:
    // programDir: the folder the assets are read from (the program's own).
    GameWindow(RandomSource& random, ShowMessage showMessage, FatalError fatalError, const QString& programDir,
               QWidget* parent = nullptr);
    ~GameWindow() override;

    // Loads the pictures and sounds and starts the music, before the window
    // is first shown.
    void start();

    [[nodiscard]] const WindowControls& controls() const { return m_controls; }
    [[nodiscard]] const SoundChannel& sound(Sound sound) const { return m_sounds[static_cast<int>(sound)]; }
    [[nodiscard]] const Round& round() const { return m_game.round(); }

signals:
    // The window was closed: the game has ended, whatever was open, and the
    // program is to end now.
    void ended();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Hands an event to the game. A picture that cannot be read ends the
    // game at the step that needed it, through the fatal error handler.
    void handle(void (Game::*event)());
    template <typename Event> auto handler(Event event)
    {
        return [this, event] { handle(event); };
    }

    // What the game asks of the window.
    void showControl(Control control, bool shown) override;
    void setCaption(Control control, const std::string& caption, const std::string& spokenName) override;
    void showPicture(Control picture, const std::string& fileName) override;
    void keepPicture(int slot, const std::string& fileName) override;
    void showKeptPicture(int slot) override;
    void openSounds() override;
    void playSound(Sound sound) override;
    [[nodiscard]] int soundLengthMs(Sound sound) override;
    void closeSounds() override;
    void setTimerInterval(Timer timer, int ms) override;
    void setTimerEnabled(Timer timer, bool enabled) override;
    [[nodiscard]] bool showMessage(const std::string& text) override;

    [[nodiscard]] QPixmap loadPicture(const std::string& fileName) const;

    ShowMessage m_showMessage;
    FatalError m_fatalError;
    QString m_assetDir;
    SoundBank m_sounds;
    std::array<QPixmap, kKeptPictures> m_keptPictures;
    WindowControls m_controls;
    std::array<GameTimer*, kTimerCount> m_timers; // by Timer
    Game m_game;
};
