#pragma once

#include "game/game_view.h"

#include <emscripten/val.h>

#include <array>
#include <string>
#include <string_view>

// The game's view in a web page, in C++: it calls the page's script
// (web/page.js) for everything, which draws, plays and keeps time, and which
// tells the game what the player and the timers do. Files reach the script
// by the page's names for them.
class ScriptView final : public GameView {
public:
    explicit ScriptView(emscripten::val page);

    void showControl(Control control, bool shown) override;
    void setCaption(Control control, const std::string& caption, const std::string& spokenName) override;
    void showChosen(Control paceButton) override;
    // The page's pictures may still be on their way.
    [[nodiscard]] bool showPicture(Control picture, const std::string& fileName) override;
    void keepPicture(int slot, const std::string& fileName) override;
    void showKeptPicture(int slot) override;
    void openSounds() override;
    void playSound(Sound sound) override;
    [[nodiscard]] int soundLengthMs(Sound sound) override;
    void closeSounds() override;
    void setTimerInterval(Timer timer, int ms) override;
    void setTimerEnabled(Timer timer, bool enabled) override;
    // The page's message boxes do not wait: it calls Game::messageDismissed.
    [[nodiscard]] bool showMessage(const std::string& text) override;
    void stop(const std::string& errorText) override;

private:
    emscripten::val m_page;
    std::array<std::string, kKeptPictures> m_keptPictures; // by slot, the page's names
};

// The page's name for a file the game names: "0.bmp" is "0.svg" there.
[[nodiscard]] std::string pageFileName(std::string_view gameName);
