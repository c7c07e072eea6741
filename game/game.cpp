#include "game/game.h"

#include "game/game_info.h"
#include "game/picture_error.h"

#include <algorithm>

namespace {

constexpr const char* kTitlePicture = "stt.bmp";
// The kept pictures are named by their slots: 0.bmp, 1.bmp, ...
[[nodiscard]] std::string keptPicture(int slot)
{
    return std::to_string(slot) + ".bmp";
}
constexpr int kIdlePicture = 0;
[[nodiscard]] constexpr int actionPicture(int action)
{
    return action + 1;
}

// The play controls the title hides and the intro's end shows, bar the
// prompt and the action buttons, which come and go on their own.
constexpr Control kPlayLabels[]{Control::PromptSuffix, Control::QuitHint, Control::HitCaption,
                                Control::MissCaption,  Control::HitCount, Control::MissCount};

[[nodiscard]] Control paceStartingChosen()
{
    const auto layout = windowLayout();
    const auto chosen
        = std::find_if(layout.begin(), layout.end(), [](const ControlLook& look) { return look.startsChosen; });
    return static_cast<Control>(chosen - layout.begin());
}

} // namespace

Game::Game(GameView& view, RandomSource& random)
    : m_view(view)
    , m_round(random)
    , m_chosenPace(paceStartingChosen())
{
}

std::string Game::aboutText()
{
    return std::string("ポコリ救出劇：Ver") + kGameVersion + "\r\n制作：ポコリー救出劇 開発チーム";
}

std::vector<std::string> Game::startUpPictures()
{
    std::vector<std::string> files{kTitlePicture};
    for (int slot = 0; slot < kKeptPictures; ++slot)
        files.push_back(keptPicture(slot));
    return files;
}

void Game::start()
{
    static_cast<void>(m_view.showPicture(Control::TitlePicture, kTitlePicture)); // shown whenever it arrives
    for (int slot = 0; slot < kKeptPictures && !m_ended; ++slot)
        m_view.keepPicture(slot, keptPicture(slot));
    if (m_ended)
        return;
    m_view.openSounds();
    m_view.setTimerInterval(Timer::Flash, kPromptFlashMs); // started by each prompt
    startMusic();
    m_round.setPace(kPaces.at(static_cast<std::size_t>(paceOf(m_chosenPace))));
}

void Game::startMusic()
{
    // Any length loops: a long music file only makes a long period.
    const int period = m_view.soundLengthMs(Sound::Music);
    m_view.playSound(Sound::Music);
    m_view.setTimerInterval(Timer::Music, period);
    m_view.setTimerEnabled(Timer::Music, true);
}

void Game::soundArrived(Sound sound)
{
    if (sound == Sound::Music && !m_ended)
        startMusic();
}

void Game::windowShown()
{
    // Coming back from a message box or another program is no new round.
    if (m_shown || m_ended)
        return;
    m_shown = true;
    resetRound();
}

void Game::resetRound()
{
    const Round::Prompt first = m_round.reset();
    showPrompt(first.action);
    m_view.setTimerInterval(Timer::Prompt, first.gapMs);
    m_view.showControl(Control::TitlePicture, true);
    for (Control label : kPlayLabels)
        m_view.showControl(label, false);
    showCounts();
    m_view.showControl(Control::PromptLabel, false);
    for (int k = 0; k < kActionCount; ++k)
        m_view.showControl(actionButton(k), false);
    m_view.setTimerEnabled(Timer::Prompt, false);
    m_stage = Stage::Title;
}

void Game::click(Control control)
{
    if (!takesInput())
        return;
    if (control == Control::TitlePicture && m_stage == Stage::Title) {
        m_view.showControl(Control::TitlePicture, false);
        tell(introStory(), Stage::Play);
    } else if (control == Control::ScenePicture && (m_stage == Stage::Play || m_stage == Stage::Over)) {
        resetRound();
    } else if (control == Control::AboutButton && m_stage != Stage::Story) {
        static_cast<void>(showMessage(aboutText())); // it changes nothing, whenever dismissed
    }
}

void Game::beginPlay()
{
    m_view.showKeptPicture(kIdlePicture);
    for (Control label : kPlayLabels)
        m_view.showControl(label, true);
    m_view.setTimerEnabled(Timer::Prompt, true); // its interval is the first gap, drawn at the reset
    m_view.showControl(Control::PromptLabel, true);
    m_view.setTimerEnabled(Timer::Flash, true); // the first prompt flashes at once
    for (int k = 0; k < kActionCount; ++k)
        m_view.showControl(actionButton(k), true);
}

void Game::press(Control actionButton)
{
    if (!takesInput() || m_stage != Stage::Play || lookOf(actionButton).kind != ControlKind::ActionButton)
        return;
    const int action = actionOf(actionButton);
    m_view.playSound(actionSound(action));
    m_view.showKeptPicture(actionPicture(action));
    m_round.press(action);
    showCounts();
}

void Game::release(Control actionButton)
{
    // A release after the round ended, or under its ending's first message,
    // leaves the ending's picture.
    if (!takesInput() || m_stage != Stage::Play || lookOf(actionButton).kind != ControlKind::ActionButton)
        return;
    m_view.showKeptPicture(kIdlePicture);
}

void Game::choose(Control paceButton)
{
    if (m_ended)
        return;
    // A choice no player could make under a message box is taken back.
    if (takesInput() && lookOf(paceButton).kind == ControlKind::PaceButton) {
        m_chosenPace = paceButton;
        m_round.setPace(kPaces.at(static_cast<std::size_t>(paceOf(paceButton))));
    }
    m_view.showChosen(m_chosenPace);
}

void Game::tick(Timer timer)
{
    if (m_ended)
        return; // a tick already on its way when the game ended
    switch (timer) {
    case Timer::Prompt:
        promptTimerTicked();
        break;
    case Timer::Flash:
        flashTimerTicked();
        break;
    case Timer::Music:
        m_view.playSound(Sound::Music);
        break;
    }
}

void Game::promptTimerTicked()
{
    const auto next = m_round.tick();
    if (const auto* ending = std::get_if<Ending>(&next)) {
        endRound(*ending);
        return;
    }
    const auto& prompt = std::get<Round::Prompt>(next);
    m_view.setTimerInterval(Timer::Prompt, prompt.gapMs); // the next tick comes one gap from now
    showPrompt(prompt.action);
    m_view.showControl(Control::PromptSuffix, true);
    m_view.showControl(Control::PromptLabel, true);
    m_view.setTimerEnabled(Timer::Flash, true);
}

void Game::flashTimerTicked()
{
    m_view.showControl(Control::PromptSuffix, false);
    m_view.showControl(Control::PromptLabel, false);
    m_view.setTimerEnabled(Timer::Flash, false);
}

void Game::endRound(Ending ending)
{
    m_view.showControl(Control::PromptLabel, false);
    m_view.setTimerEnabled(Timer::Prompt, false); // before the first message: no prompt during the ending
    for (int k = 0; k < kActionCount; ++k)
        m_view.showControl(actionButton(k), false);
    tell(endingStory(ending), Stage::Over);
}

void Game::tell(std::span<const StoryStep> story, Stage after)
{
    m_stage = Stage::Story;
    m_story = story;
    m_step = 0;
    m_afterStory = after;
    continueStory();
}

void Game::continueStory()
{
    while (m_step < m_story.size()) {
        const StoryStep& step = m_story[m_step++];
        switch (step.kind) {
        case StoryStep::Kind::Show: {
            const bool shown = m_view.showPicture(Control::ScenePicture, step.file);
            if (m_ended)
                return;
            m_pictureComing = !shown;
            if (m_pictureComing)
                return; // on with the story once it has arrived
            break;
        }
        case StoryStep::Kind::Sound:
            m_view.playSound(step.sound);
            break;
        case StoryStep::Kind::Message:
            if (!showMessage(step.message) || m_ended)
                return; // on with the story once it is dismissed, unless the game has ended
            break;
        }
    }
    m_stage = m_afterStory;
    if (m_stage == Stage::Play)
        beginPlay();
}

bool Game::showMessage(const std::string& text)
{
    m_messageOpen = true;
    m_messageOpen = !m_view.showMessage(text);
    return !m_messageOpen;
}

void Game::messageDismissed()
{
    if (!m_messageOpen)
        return;
    m_messageOpen = false;
    if (!m_ended && m_stage == Stage::Story)
        continueStory();
}

void Game::pictureArrived()
{
    if (m_ended || !m_pictureComing)
        return;
    m_pictureComing = false;
    continueStory();
}

void Game::pictureUnreadable(const std::string& path, PictureFault why)
{
    if (m_ended)
        return;
    end();
    m_view.stop(pictureErrorText(path, why));
}

void Game::end()
{
    if (m_ended)
        return;
    m_ended = true;
    for (int timer = 0; timer < kTimerCount; ++timer)
        m_view.setTimerEnabled(static_cast<Timer>(timer), false);
    m_view.closeSounds();
}

void Game::showPrompt(int action)
{
    // Named whole for screen readers, "人工呼吸 してあげて！", so that they
    // speak it as it changes.
    const std::string& caption = actionCaption(action);
    m_view.setCaption(Control::PromptLabel, caption, caption + " " + lookOf(Control::PromptSuffix).caption);
}

void Game::showCounts()
{
    // Named with their captions for screen readers: "助かる比率 12".
    const auto show = [this](Control count, Control caption, std::int64_t value) {
        const std::string text = std::to_string(value);
        m_view.setCaption(count, text, lookOf(caption).caption + " " + text);
    };
    show(Control::HitCount, Control::HitCaption, m_round.hits());
    show(Control::MissCount, Control::MissCaption, m_round.misses());
}
