// The game as the web page's script (web/page.js) meets it: a game driving
// the page's view, and what the page draws, loads and says, read from the
// game's own tables.
#include "assets/asset_files.h"
#include "game/game.h"
#include "game/game_info.h"
#include "game/picture_error.h"
#include "round/random_source.h"
#include "web/page_view.h"

#include <emscripten/bind.h>

using emscripten::val;

namespace {

// The draws a browser test scripts, where it gives the page some; else
// those of the clock.
class PageDraws final : public RandomSource {
public:
    explicit PageDraws(val scripted)
        : m_scripted(std::move(scripted))
    {
    }
    [[nodiscard]] float draw() override { return m_scripted.isUndefined() ? m_clock.draw() : m_scripted().as<float>(); }

private:
    val m_scripted;
    ClockRandom m_clock;
};

// The game and its view, for the page's life.
class PageGame {
public:
    PageGame(val page, val scriptedDraws)
        : m_view(std::move(page))
        , m_draws(std::move(scriptedDraws))
        , m_game(m_view, m_draws)
    {
    }
    [[nodiscard]] Game& game() { return m_game; }

private:
    PageView m_view;
    PageDraws m_draws;
    Game m_game;
};

template <void (Game::*event)()> void forward(PageGame& page)
{
    (page.game().*event)();
}
template <void (Game::*event)(int)> void forwardIndex(PageGame& page, int index)
{
    (page.game().*event)(index);
}

val css(std::optional<Rgb> rgb)
{
    if (!rgb)
        return val::null();
    return val("rgb(" + std::to_string(rgb->red) + ", " + std::to_string(rgb->green) + ", " + std::to_string(rgb->blue)
               + ")");
}

const char* kindName(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Picture:
        return "picture";
    case ControlKind::Label:
        return "label";
    case ControlKind::ActionButton:
        return "action";
    case ControlKind::Button:
        return "button";
    case ControlKind::PaceButton:
        return "pace";
    }
    return "";
}

// CSS's words for an alignment.
const char* alignName(Align align)
{
    return align == Align::Left ? "left" : align == Align::Right ? "right" : "center";
}

// The game's event for a click on a control that takes clicks.
val clickEvent(Control control)
{
    switch (control) {
    case Control::ScenePicture:
        return val("sceneClicked");
    case Control::TitlePicture:
        return val("titleClicked");
    case Control::AboutButton:
        return val("aboutClicked");
    default:
        return val::null();
    }
}

val controlForPage(Control control)
{
    const ControlLook& look = lookOf(control);
    val c = val::object();
    c.set("kind", kindName(look.kind));
    c.set("caption", look.caption);
    c.set("x", look.x);
    c.set("y", look.y);
    c.set("width", look.width);
    c.set("height", look.height);
    c.set("face", css(look.face));
    c.set("pressedFace", look.face ? css(pressedFace(*look.face)) : val::null());
    c.set("text", css(look.text));
    c.set("points", look.points > 0 ? val(look.points) : val::null());
    c.set("align", alignName(look.align));
    c.set("sunkenFrame", look.sunkenFrame);
    c.set("spokenName", look.spokenName);
    c.set("description", look.description);
    c.set("clicked", clickEvent(control));
    for (int k = 0; k < kActionCount; ++k)
        if (actionButton(k) == control)
            c.set("action", k);
    for (int p = 0; p < int(kPaces.size()); ++p) {
        if (paceButton(p) == control) {
            c.set("pace", p);
            c.set("chosen", p == 0); // the first pace holds at start-up
        }
    }
    // Screen readers speak each prompt as it appears.
    c.set("announced", control == Control::PromptLabel);
    return c;
}

val names(const auto& files, auto name)
{
    val list = val::array();
    for (const auto& file : files)
        list.call<void>("push", pageFileName(name(file)));
    return list;
}

// Everything the page needs to know of the game, in one object.
val page()
{
    val window = val::object();
    window.set("width", kWindowWidth);
    window.set("height", kWindowHeight);
    window.set("colour", css(kWindowColour));
    window.set("text", css(kTextColour));
    window.set("points", kWindowPoints);
    window.set("frameLight", css(kFrameLight));
    window.set("frameShadow", css(kFrameShadow));
    window.set("buttonEdge", css(kButtonEdge));
    window.set("buttonShadow", css(kButtonShadow));

    val controls = val::array();
    for (int i = 0; i < kControlCount; ++i)
        controls.call<void>("push", controlForPage(static_cast<Control>(i)));

    val timerEvents = val::array(); // by Timer
    for (const char* event : {"promptTimerTicked", "flashTimerTicked", "musicTimerTicked"})
        timerEvents.call<void>("push", val(event));

    val result = val::object();
    result.set("title", std::string(kGameTitle));
    result.set("version", std::string(kGameVersion));
    result.set("messageButton", std::string(kMessageButtonCaption));
    result.set("window", window);
    result.set("controls", controls);
    result.set("pictures", names(kPictureFiles, [](const PictureFile& file) { return file.name; }));
    result.set("sounds", names(kSoundFiles, [](const char* name) { return name; }));
    result.set("timerEvents", timerEvents);
    result.set("musicTimer", static_cast<int>(Timer::Music));
    return result;
}

std::string pictureError(const std::string& path, bool missing)
{
    return pictureErrorText(path, missing ? kPictureMissing : kPictureBroken);
}

} // namespace

EMSCRIPTEN_BINDINGS(pokori)
{
    emscripten::class_<PageGame>("Game")
        .constructor<val, val>()
        .function("start", &forward<&Game::start>)
        .function("windowShown", &forward<&Game::windowShown>)
        .function("titleClicked", &forward<&Game::titleClicked>)
        .function("sceneClicked", &forward<&Game::sceneClicked>)
        .function("aboutClicked", &forward<&Game::aboutClicked>)
        .function("paceChosen", &forwardIndex<&Game::paceChosen>)
        .function("actionPressed", &forwardIndex<&Game::actionPressed>)
        .function("actionReleased", &forward<&Game::actionReleased>)
        .function("promptTimerTicked", &forward<&Game::promptTimerTicked>)
        .function("flashTimerTicked", &forward<&Game::flashTimerTicked>)
        .function("musicTimerTicked", &forward<&Game::musicTimerTicked>)
        .function("messageDismissed", &forward<&Game::messageDismissed>)
        .function("end", &forward<&Game::end>);
    emscripten::function("page", &page);
    emscripten::function("pictureErrorText", &pictureError);
}
