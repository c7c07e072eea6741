#pragma once

#include "game/game_view.h"

#include <emscripten/val.h>

#include <array>
#include <string>
#include <string_view>
#include <utility>

// The game's view in a web page: it hands every call to the page's own view
// (web/page.js), which draws, plays and keeps time. Files reach the page by
// the page's names for them.
class PageView final : public GameView {
public:
    explicit PageView(emscripten::val page);

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
    // The page's message boxes do not wait: it calls Game::messageDismissed.
    [[nodiscard]] bool showMessage(const std::string& text) override;

private:
    // Calls the page's view, unless the game has stopped over a picture it
    // could not read: then no step after that one reaches the page.
    template <typename Result = void, typename... Args> Result tell(const char* method, Args&&... args)
    {
        if (m_page["stopped"].as<bool>())
            return Result();
        return m_page.call<Result>(method, std::forward<Args>(args)...);
    }

    emscripten::val m_page;
    std::array<std::string, kKeptPictures> m_keptPictures; // by slot, the page's names
};

// The page's name for a file the game names: "0.bmp" is "0.png" there.
[[nodiscard]] std::string pageFileName(std::string_view gameName);
