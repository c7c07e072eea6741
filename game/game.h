#pragma once

#include "game/game_view.h"
#include "round/round.h"
#include "round/story.h"

#include <span>
#include <string>

class RandomSource;

// The whole game, from start-up to the end, as every view plays it: it takes
// the player's clicks and presses and the timers' ticks, keeps the round,
// tells the stories, and has the view show and play what follows. It knows
// nothing of how a view draws, sounds or keeps time.
class Game {
public:
    Game(GameView& view, RandomSource& random);

    // Start-up, before the window is first shown: the title picture over the
    // window, the pictures kept for play, the sounds and the music.
    void start();
    // The window has been shown: the first round is set up, once.
    void windowShown();

    void titleClicked();
    void sceneClicked();
    void aboutClicked();
    void paceChosen(int pace);
    void actionPressed(int action);
    void actionReleased();
    void promptTimerTicked();
    void flashTimerTicked();
    void musicTimerTicked();
    // The message box a story opened has been dismissed (for a view whose
    // message boxes do not wait).
    void messageDismissed();
    // The window is closing: nothing ticks, sounds or happens again.
    void end();

    [[nodiscard]] const Round& round() const { return m_round; }
    // The about box's text: the title with the version, then who made it.
    [[nodiscard]] static std::string aboutText();

private:
    // Where the player is: which clicks and presses can reach the game.
    enum class Stage {
        Title, // the title picture over the window
        Story, // a story being told, a message box open
        Play, // prompts coming, the action buttons there
        Over, // the ending told, its last picture showing
    };

    void resetRound();
    void beginPlay();
    void endRound(Ending ending);
    // Tells a story from its first step, then goes on to the stage given.
    void tell(std::span<const StoryStep> story, Stage after);
    void continueStory();
    void showPrompt(int action);
    void showCounts();

    GameView& m_view;
    Round m_round;
    Stage m_stage = Stage::Title;
    bool m_shown = false;
    bool m_ended = false;
    std::span<const StoryStep> m_story;
    std::size_t m_step = 0;
    Stage m_afterStory = Stage::Title;
    bool m_waitingForMessage = false;
};
