#pragma once

#include "app/message_box.h"
#include "app/window_controls.h"
#include "media/sound_bank.h"
#include "round/ending.h"
#include "round/round.h"
#include "round/rules.h"
#include "round/sound.h"
#include "round/story.h"

#include <QPixmap>
#include <QWidget>

#include <array>
#include <functional>
#include <span>

class AssetError;
class GameTimer;
class RandomSource;

// Ends the game over a picture that cannot be read; never returns.
using FatalError = std::function<void(const AssetError& error)>;

// The game window: a view of the round. It builds the controls, hands clicks,
// presses and timer ticks to the round, and shows what the round answers in
// pictures, captions, counts, message boxes and sounds.
//
// Its three timers are children named "promptTimer" (the next prompt),
// "flashTimer" (the end of a prompt's flash) and "musicTimer" (the music's
// restart).
class GameWindow : public QWidget {
    Q_OBJECT
public:
    // programDir: the folder the assets are read from (the program's own).
    GameWindow(RandomSource& random, ShowMessage showMessage, FatalError fatalError, QString programDir,
               QWidget* parent = nullptr);
    ~GameWindow() override;

    // Loads the pictures and sounds and starts the music, before the window
    // is first shown.
    void start();

    [[nodiscard]] const WindowControls& controls() const { return m_controls; }
    [[nodiscard]] const SoundChannel& sound(Sound sound) const { return m_sounds[static_cast<int>(sound)]; }
    [[nodiscard]] const Round& round() const { return m_round; }

    static constexpr QSize kClientSize{282, 381};

signals:
    // The window was closed: the game has ended, whatever was open, and the
    // program is to end now.
    void ended();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void load();
    void onAboutClicked();
    void onSceneClicked();
    void onTitleClicked();
    void onPaceChosen(Pace pace);
    void onActionPressed(int action);
    void onActionReleased();
    void onPromptTimer();
    void onFlashTimer();
    void onMusicTimer();
    void resetRound();
    void endRound(Ending ending);
    // Tells a story step by step; false if the game ended while a message
    // was open, and with it the story and the handler that told it.
    [[nodiscard]] bool tell(std::span<const StoryStep> story);
    void showPrompt(int action);
    void showCounts();
    [[nodiscard]] SoundChannel& channel(Sound sound) { return m_sounds[static_cast<int>(sound)]; }
    [[nodiscard]] QPixmap loadPicture(const QString& fileName) const;
    // Runs a handler that reads pictures from disk: a picture that cannot be
    // read ends the game at that step, through the fatal error handler.
    void readingPictures(void (GameWindow::*handler)());

    ShowMessage m_showMessage;
    FatalError m_fatalError;
    QString m_assetDir;
    Round m_round;
    bool m_shown = false;
    bool m_ended = false;

    SoundBank m_sounds;
    // Read at start-up: the idle scene, then the scene while each action's
    // button is held down.
    std::array<QPixmap, 1 + kActionCount> m_pictureBank;
    WindowControls m_controls;
    GameTimer* m_promptTimer;
    GameTimer* m_flashTimer;
    GameTimer* m_musicTimer;
};
