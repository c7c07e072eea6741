// page-texts: prints what the web page's build takes from the game. Plain,
// every text the page draws in its own type, so that the build subsets the
// page's font to exactly their glyphs; with "html", as CMake settings, what
// index.html says and fetches before any script runs: its lines while
// loading and on failure, the pictures the game starts with, the colour
// behind the window.
//
//   page-texts > texts.txt
//   page-texts html > page-words.cmake

#include "game/game.h"
#include "game/game_info.h"
#include "game/game_view.h"
#include "game/picture_error.h"
#include "game/story.h"
#include "game/window_layout.h"

#include <cstdio>
#include <iostream>
#include <string_view>

namespace {

void printMessages(std::span<const StoryStep> story)
{
    for (const StoryStep& step : story)
        if (step.kind == StoryStep::Kind::Message)
            std::cout << step.message << '\n';
}

void printTexts()
{
    std::cout << kGameTitle << '\n' << Game::aboutText() << '\n' << kMessageButtonCaption << '\n';
    for (int fault = 0; fault < kPictureFaultCount; ++fault)
        std::cout << pictureErrorText("", static_cast<PictureFault>(fault)) << '\n';
    for (const ControlLook& look : windowLayout())
        std::cout << look.caption << '\n';
    printMessages(introStory());
    for (int ending = 0; ending <= static_cast<int>(Ending::Death); ++ending)
        printMessages(endingStory(static_cast<Ending>(ending)));
}

// The words hold no quote, backslash or dollar sign for CMake to read
// otherwise.
void printHtmlSettings()
{
    std::cout << "set(POKORI_LOADING_TEXT \"" << kLoadingText << "\")\n"
              << "set(POKORI_LOAD_FAILED_TEXT \"" << kLoadFailedText << "\")\n"
              << "set(POKORI_START_UP_PICTURES";
    for (const std::string& file : Game::startUpPictures())
        std::cout << ' ' << file;
    char colour[8];
    std::snprintf(colour, sizeof colour, "#%02x%02x%02x", kWindowColour.red, kWindowColour.green, kWindowColour.blue);
    std::cout << ")\nset(POKORI_WINDOW_COLOUR \"" << colour << "\")\n";
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc == 2 && argv[1] == std::string_view("html"))
        printHtmlSettings();
    else
        printTexts();
    return std::cout ? 0 : 1;
}
