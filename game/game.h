#pragma once

#include "game/game_view.h"
#include "game/story.h"
#include "media/picture_fault.h"
#include "round/round.h"

#include <span>
#include <string>
#include <vector>

class RandomSource;

// The whole game, from start-up to the end, as every view plays it. It takes
// what the player and the timers do, in the words it drives its view with (a
// control clicked, pressed, released or chosen, a timer's tick, a message
// box dismissed), keeps the round, tells the stories, and has the view show
// and play what follows. It knows nothing of how a view draws, sounds or
// keeps time.
//
// Input counts only where a player could give it: nothing while a message
// box is open (a story's, the about box, an error), a click on the title
// only at the title, on the scene only in play or after an ending, a press
// or release only in play, and nothing at all once the game has ended.
class Game {
public:
    Game(GameView& view, RandomSource& random);

    // Start-up, before the window is first shown: the title picture over the
    // window, the pictures kept for play, the sounds and the music, the pace
    // the window's table starts chosen.
    void start();
    // The window has been shown: the first round is set up, once.
    void windowShown();

    // A click on a picture or a button (ControlKind::Picture, Button).
    void click(Control control);
    // A mouse button down on an action button, and up again.
    void press(Control actionButton);
    void release(Control actionButton);
    // A pace button chosen.
    void choose(Control paceButton);
    void tick(Timer timer);
    // The message box open has been dismissed (for a view whose boxes do not
    // wait).
    void messageDismissed();
    // The picture a story waits for has arrived and is shown (for a view
    // whose pictures arrive later).
    void pictureArrived();
    // A sound has arrived, later than start-up (for a view whose sounds
    // arrive later): the music starts then, and loops at its length.
    void soundArrived(Sound sound);
    // A picture cannot be read: the game ends, and the view stops with the
    // player's words for it.
    void pictureUnreadable(const std::string& path, PictureFault why);
    // The window is closing: nothing ticks, sounds or happens again.
    void end();

    // The picture files start() reads, the title's first: a view whose files
    // arrive over a network has them ready before it starts the game.
    [[nodiscard]] static std::vector<std::string> startUpPictures();

    [[nodiscard]] const Round& round() const { return m_round; }
    // The about box's text: the title with the version, then who made it.
    [[nodiscard]] static std::string aboutText();

private:
    // Where the player is: which clicks and presses can reach the game.
    enum class Stage {
        Title, // the title picture over the window
        Story, // a story being told: a message box open, or a picture on its way
        Play, // prompts coming, the action buttons there
        Over, // the ending told, its last picture showing
    };

    [[nodiscard]] bool takesInput() const { return !m_ended && !m_messageOpen; }
    void startMusic();
    void resetRound();
    void beginPlay();
    void promptTimerTicked();
    void flashTimerTicked();
    void endRound(Ending ending);
    // Tells a story from its first step, then goes on to the stage given.
    void tell(std::span<const StoryStep> story, Stage after);
    void continueStory();
    // Opens a message box; true once it has been dismissed.
    [[nodiscard]] bool showMessage(const std::string& text);
    void showPrompt(int action);
    void showCounts();

    GameView& m_view;
    Round m_round;
    Control m_chosenPace;
    Stage m_stage = Stage::Title;
    bool m_shown = false;
    bool m_ended = false;
    bool m_messageOpen = false;
    bool m_pictureComing = false; // the story waits for it
    std::span<const StoryStep> m_story;
    std::size_t m_step = 0;
    Stage m_afterStory = Stage::Title;
};
