// The game as the web page's script (web/page.js) meets it: a game driving
// the page's view and taking its input, and what the page draws, loads and
// says, read from the game's own tables.
#include "assets/asset_files.h"
#include "game/game.h"
#include "game/game_info.h"
#include "round/random_source.h"
#include "web/script_view.h"

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
    ScriptView m_view;
    PageDraws m_draws;
    Game m_game;
};

template <void (Game::*input)()> void forward(PageGame& page)
{
    (page.game().*input)();
}
// The script names controls and timers by number; a number that names none
// is no input.
template <void (Game::*input)(Control)> void forwardControl(PageGame& page, int control)
{
    if (control >= 0 && control < kControlCount)
        (page.game().*input)(static_cast<Control>(control));
}
void tick(PageGame& page, int timer)
{
    if (timer >= 0 && timer < kTimerCount)
        page.game().tick(static_cast<Timer>(timer));
}
void soundArrived(PageGame& page, int sound)
{
    if (sound >= 0 && sound < kSoundCount)
        page.game().soundArrived(static_cast<Sound>(sound));
}
void pictureUnreadable(PageGame& page, const std::string& url, int why)
{
    if (why >= 0 && why < kPictureFaultCount)
        page.game().pictureUnreadable(url, static_cast<PictureFault>(why));
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

val controlForPage(const ControlLook& look)
{
    val c = val::object();
    c.set("kind", kindName(look.kind));
    c.set("caption", look.caption);
    c.set("x", look.bounds.x);
    c.set("y", look.bounds.y);
    c.set("width", look.bounds.width);
    c.set("height", look.bounds.height);
    c.set("faceColour", css(look.faceColour));
    c.set("pressedFace", look.faceColour ? css(pressedFace(*look.faceColour)) : val::null());
    c.set("textColour", css(look.textColour));
    c.set("pointSize", look.pointSize > 0 ? val(look.pointSize) : val::null());
    c.set("align", alignName(look.align));
    c.set("sunkenFrame", look.sunkenFrame);
    c.set("startsChosen", look.startsChosen);
    c.set("announced", look.announced);
    c.set("spokenName", look.spokenName);
    c.set("description", look.description);
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
    window.set("textColour", css(kTextColour));
    window.set("pointSize", kWindowPointSize);
    window.set("frameLight", css(kFrameLight));
    window.set("frameShadow", css(kFrameShadow));
    window.set("buttonEdge", css(kButtonEdge));
    window.set("buttonShadow", css(kButtonShadow));

    val controls = val::array();
    for (const ControlLook& look : windowLayout())
        controls.call<void>("push", controlForPage(look));

    val faults = val::object();
    faults.set("missing", static_cast<int>(PictureFault::Missing));
    faults.set("broken", static_cast<int>(PictureFault::Broken));

    val result = val::object();
    result.set("title", std::string(kGameTitle));
    result.set("version", std::string(kGameVersion));
    result.set("messageButton", std::string(kMessageButtonCaption));
    result.set("window", window);
    result.set("controls", controls);
    result.set("pictures", names(kPictureFiles, [](const PictureFile& file) { return file.name; }));
    result.set("startUpPictures", names(Game::startUpPictures(), [](const std::string& name) { return name; }));
    result.set("sounds", names(kSoundFiles, [](const char* name) { return name; }));
    result.set("music", static_cast<int>(Sound::Music));
    result.set("timerCount", kTimerCount);
    result.set("faults", faults);
    return result;
}

} // namespace

EMSCRIPTEN_BINDINGS(pokori)
{
    emscripten::class_<PageGame>("Game")
        .constructor<val, val>()
        .function("start", &forward<&Game::start>)
        .function("windowShown", &forward<&Game::windowShown>)
        .function("click", &forwardControl<&Game::click>)
        .function("press", &forwardControl<&Game::press>)
        .function("release", &forwardControl<&Game::release>)
        .function("choose", &forwardControl<&Game::choose>)
        .function("tick", &tick)
        .function("messageDismissed", &forward<&Game::messageDismissed>)
        .function("pictureArrived", &forward<&Game::pictureArrived>)
        .function("soundArrived", &soundArrived)
        .function("pictureUnreadable", &pictureUnreadable);
    emscripten::function("page", &page);
}
