#pragma once

#include "game/sound.h"
#include "game/window_layout.h"

#include <string>

// The game's three timers, which the game sets up at start-up. An interval
// of 0 never ticks; setting the interval of a running timer starts its
// countdown afresh; enabling starts a countdown of the interval; disabling
// drops the countdown in progress.
enum class Timer {
    Prompt, // the next prompt, or the round's end
    Flash, // the end of a prompt's flash
    Music, // the music's restart, at its length
};
inline constexpr int kTimerCount = static_cast<int>(Timer::Music) + 1;

// The pictures a view keeps from start-up, by slot: the idle scene, then the
// scene while each action's button is held down.
inline constexpr int kKeptPictures = 1 + kActionCount;

// What the game asks of a view: a window of the controls windowLayout()
// describes, the game's pictures and sounds, its timers and its message
// boxes. Every view shows the same game through it, and tells the game what
// the player and the timers do in the same words (Game's inputs).
//
// A picture the view cannot read it reports to Game::pictureUnreadable, from
// inside the call that asked for it or later; the game then stops the view.
class GameView {
public:
    virtual ~GameView() = default;

    virtual void showControl(Control control, bool shown) = 0;
    // spokenName: what a screen reader says of it from now on.
    virtual void setCaption(Control control, const std::string& caption, const std::string& spokenName) = 0;
    // The pace button shown chosen, the others of its group not.
    virtual void showChosen(Control paceButton) = 0;
    // Reads a picture file and shows it in a picture control. True if it is
    // shown (or found unreadable) by the time this returns; else it is on its
    // way, and the view calls Game::pictureArrived once it is shown.
    [[nodiscard]] virtual bool showPicture(Control picture, const std::string& fileName) = 0;
    // Reads a picture file now and keeps it in a slot, to be shown in the
    // scene at once, as often as asked, with showKeptPicture.
    virtual void keepPicture(int slot, const std::string& fileName) = 0;
    virtual void showKeptPicture(int slot) = 0;

    // Opens every sound of the game; one that cannot be read stays silent.
    virtual void openSounds() = 0;
    // Plays a sound from its beginning, cutting off only its own sound.
    virtual void playSound(Sound sound) = 0;
    // Length of a sound in ms; 0 for a silent one.
    [[nodiscard]] virtual int soundLengthMs(Sound sound) = 0;
    // Stops and closes every sound for good.
    virtual void closeSounds() = 0;

    virtual void setTimerInterval(Timer timer, int ms) = 0;
    virtual void setTimerEnabled(Timer timer, bool enabled) = 0;

    // Shows a message box: the text alone, one OK, the game's title; the
    // window takes no input while it is open. True if it has been dismissed
    // by the time this returns; else the view calls Game::messageDismissed
    // once it is.
    [[nodiscard]] virtual bool showMessage(const std::string& text) = 0;

    // The game has ended over a fault it cannot play past; its timers are
    // stopped and its sounds closed. The view shows the text in an error box
    // and takes no more input: nothing ticks, sounds or answers again. A
    // program that ends with it writes the text on stderr and ends with
    // status 1 once the box is dismissed.
    virtual void stop(const std::string& errorText) = 0;
};

// The one button of a message box, for a view that draws its own.
inline constexpr char kMessageButtonCaption[] = "OK";

// What a view whose files come over a network says until its title is
// drawn, and instead, where the game's own code or type does not come.
inline constexpr char kLoadingText[] = "読み込み中…";
inline constexpr char kLoadFailedText[]
    = "ゲームを読み込めませんでした。通信の具合を確かめて、ページを開き直してください。";
