#include "game/game.h"

#include "game/game_info.h"

namespace {

constexpr const char* kTitlePicture = "stt.bmp";
// The kept pictures are named by their slots: 0.bmp, 1.bmp, ...
constexpr int kIdlePicture = 0;
[[nodiscard]] constexpr int actionPicture(int action)
{
    return action + 1;
}

} // namespace

Game::Game(GameView& view, RandomSource& random)
    : m_view(view)
    , m_round(random)
{
}

std::string Game::aboutText()
{
    return std::string("ポコリ救出劇：Ver") + kGameVersion + "\r\n制作：ポコリー救出劇 開発チーム";
}

void Game::start()
{
    m_view.showPicture(Control::TitlePicture, kTitlePicture);
    for (int slot = 0; slot < kKeptPictures; ++slot)
        m_view.keepPicture(slot, std::to_string(slot) + ".bmp");
    m_view.openSounds();
    m_view.setTimerInterval(Timer::Flash, kPromptFlashMs); // started by each prompt
    // Any length loops: a long music file only makes a long period.
    const int period = m_view.soundLengthMs(Sound::Music);
    m_view.playSound(Sound::Music);
    m_view.setTimerInterval(Timer::Music, period);
    m_view.setTimerEnabled(Timer::Music, true);
}

void Game::windowShown()
{
    // Coming back from a message box or another program is no new round.
    if (m_shown)
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
    for (Control label : {Control::PromptSuffix, Control::QuitHint, Control::HitCaption, Control::MissCaption})
        m_view.showControl(label, false);
    m_view.showControl(Control::HitCount, false);
    m_view.showControl(Control::MissCount, false);
    showCounts();
    m_view.showControl(Control::PromptLabel, false);
    for (int k = 0; k < kActionCount; ++k)
        m_view.showControl(actionButton(k), false);
    m_view.setTimerEnabled(Timer::Prompt, false);
    m_stage = Stage::Title;
}

void Game::titleClicked()
{
    if (m_stage != Stage::Title)
        return;
    m_view.showControl(Control::TitlePicture, false);
    tell(introStory(), Stage::Play);
}

void Game::beginPlay()
{
    m_view.showKeptPicture(kIdlePicture);
    for (Control label : {Control::PromptSuffix, Control::QuitHint, Control::HitCaption, Control::MissCaption})
        m_view.showControl(label, true);
    m_view.setTimerEnabled(Timer::Prompt, true); // its interval is the first gap, drawn at the reset
    for (Control label : {Control::HitCount, Control::MissCount, Control::PromptLabel})
        m_view.showControl(label, true);
    m_view.setTimerEnabled(Timer::Flash, true); // the first prompt flashes at once
    for (int k = 0; k < kActionCount; ++k)
        m_view.showControl(actionButton(k), true);
}

void Game::sceneClicked()
{
    // Under the title picture, or under a message box, no click reaches it.
    if (m_stage == Stage::Play || m_stage == Stage::Over)
        resetRound();
}

void Game::aboutClicked()
{
    static_cast<void>(m_view.showMessage(aboutText())); // it changes nothing, whenever dismissed
}

void Game::paceChosen(int pace)
{
    m_round.setPace(kPaces.at(static_cast<std::size_t>(pace)));
}

void Game::actionPressed(int action)
{
    m_view.playSound(actionSound(action));
    m_view.showKeptPicture(actionPicture(action));
    m_round.press(action);
    showCounts();
}

void Game::actionReleased()
{
    m_view.showKeptPicture(kIdlePicture);
}

void Game::promptTimerTicked()
{
    if (m_ended)
        return;
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

void Game::musicTimerTicked()
{
    m_view.playSound(Sound::Music);
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
        case StoryStep::Kind::Show:
            m_view.showPicture(Control::ScenePicture, step.text);
            break;
        case StoryStep::Kind::Sound:
            m_view.playSound(step.sound);
            break;
        case StoryStep::Kind::Message:
            m_waitingForMessage = true;
            if (!m_view.showMessage(step.text))
                return; // on with the story once it is dismissed
            m_waitingForMessage = false;
            if (m_ended)
                return; // the game ended while the message was open
            break;
        }
    }
    m_stage = m_afterStory;
    if (m_stage == Stage::Play)
        beginPlay();
}

void Game::messageDismissed()
{
    if (m_ended || !m_waitingForMessage)
        return;
    m_waitingForMessage = false;
    continueStory();
}

void Game::end()
{
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
