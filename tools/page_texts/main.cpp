// page-texts: prints every text the web page draws, so that the build
// subsets the page's font to exactly their glyphs.
//
//   page-texts > texts.txt

#include "game/game.h"
#include "game/game_info.h"
#include "game/game_view.h"
#include "game/picture_error.h"
#include "game/story.h"
#include "game/window_layout.h"

#include <iostream>

namespace {

void printMessages(std::span<const StoryStep> story)
{
    for (const StoryStep& step : story)
        if (step.kind == StoryStep::Kind::Message)
            std::cout << step.message << '\n';
}

} // namespace

int main()
{
    std::cout << kGameTitle << '\n' << Game::aboutText() << '\n' << kMessageButtonCaption << '\n';
    for (int fault = 0; fault < kPictureFaultCount; ++fault)
        std::cout << pictureErrorText("", static_cast<PictureFault>(fault)) << '\n';
    for (const ControlLook& look : windowLayout())
        std::cout << look.caption << '\n';
    printMessages(introStory());
    for (int ending = 0; ending <= static_cast<int>(Ending::Death); ++ending)
        printMessages(endingStory(static_cast<Ending>(ending)));
    return std::cout ? 0 : 1;
}
