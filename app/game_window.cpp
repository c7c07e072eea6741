#include "app/game_window.h"

#include "app/action_button.h"
#include "app/asset_dir.h"
#include "app/game_font.h"
#include "app/game_info.h"
#include "app/picture_box.h"
#include "assets/asset_files.h"
#include "media/asset_error.h"
#include "media/bitmap_loader.h"
#include "media/game_timer.h"

#include <QLabel>
#include <QPushButton>

namespace {

constexpr QColor kWindowColour{255, 255, 192};
constexpr QColor kFrameLight{255, 255, 255};
constexpr QColor kFrameShadow{159, 159, 159};
constexpr QColor kFrameMid{184, 184, 184};
constexpr double kWindowFontPoints = 9;
// The title picture is stretched over the whole window, frame and title bar
// included, and clipped to the client area. The frame is taken as that of a
// fixed-border window on the desktop the game was made for, so the title
// picture looks the same under every window manager.
constexpr QSize kFrameExtra{6, 25};

static_assert(kSoundFiles.size() == kSoundCount, "a file for every sound");
constexpr int kIdlePicture = 0;
[[nodiscard]] constexpr int actionPicture(int action)
{
    return action + 1;
}

GameTimer* namedTimer(QObject* window, const char* name, int interval, bool enabled)
{
    auto* timer = new GameTimer(interval, enabled, window);
    timer->setObjectName(QLatin1String(name));
    return timer;
}

} // namespace

GameWindow::GameWindow(RandomSource& random, ShowMessage showMessage, FatalError fatalError, QString programDir,
                       QWidget* parent)
    : QWidget(parent,
              Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                  | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_showMessage(std::move(showMessage))
    , m_fatalError(std::move(fatalError))
    , m_assetDir(assetDirFor(programDir))
    , m_round(random)
    , m_sounds(kSoundFiles)
    , m_promptTimer(namedTimer(this, "promptTimer", 0, false))
    , m_flashTimer(namedTimer(this, "flashTimer", kPromptFlashMs, false))
    , m_musicTimer(namedTimer(this, "musicTimer", 0, true)) // idle until the music's length is known
{
    setWindowTitle(kGameTitle);
    setFixedSize(kClientSize);
    setFont(gameFont(kWindowFontPoints));
    // The window's colours are the game's own, and its text colours go with
    // them: black on its light faces whatever palette the desktop gives, so
    // that a dark desktop theme never draws white captions on them, and the
    // sunken frames grey and white as on a light desktop. Message boxes are
    // windows of their own and keep the desktop's look.
    setPalette(QPalette(Qt::black, kWindowColour, kFrameLight, kFrameShadow, kFrameMid, Qt::black, Qt::white));
    setAutoFillBackground(true);
    // After the window's font: the controls take it as they are created.
    m_controls = createWindowControls(this);

    const WindowControls& c = m_controls;
    connect(c.aboutButton, &QPushButton::clicked, this, &GameWindow::onAboutClicked);
    connect(c.scenePicture, &PictureBox::clicked, this, &GameWindow::onSceneClicked);
    // These two read pictures from disk: see readingPictures.
    connect(c.titlePicture, &PictureBox::clicked, this, [this] { readingPictures(&GameWindow::onTitleClicked); });
    for (std::size_t i = 0; i < kPaces.size(); ++i) {
        // Choosing the pace already chosen toggles nothing, and changes nothing.
        connect(c.paceButtons[i], &QPushButton::toggled, this, [this, i](bool chosen) {
            if (chosen)
                onPaceChosen(kPaces[i]);
        });
    }
    for (int k = 0; k < kActionCount; ++k) {
        connect(c.actionButtons[k], &ActionButton::mouseDown, this, [this, k] { onActionPressed(k); });
        connect(c.actionButtons[k], &ActionButton::mouseUp, this, &GameWindow::onActionReleased);
    }
    connect(m_promptTimer, &GameTimer::tick, this, [this] { readingPictures(&GameWindow::onPromptTimer); });
    connect(m_flashTimer, &GameTimer::tick, this, &GameWindow::onFlashTimer);
    connect(m_musicTimer, &GameTimer::tick, this, &GameWindow::onMusicTimer);
}

GameWindow::~GameWindow() = default;

void GameWindow::start()
{
    readingPictures(&GameWindow::load);
}

void GameWindow::load()
{
    PictureBox* title = m_controls.titlePicture;
    title->setPixmap(loadPicture(QStringLiteral("stt.bmp")));
    const QSize outer = size() + kFrameExtra;
    title->setGeometry(0, 0, outer.width(), outer.height());
    for (std::size_t i = 0; i < m_pictureBank.size(); ++i)
        m_pictureBank[i] = loadPicture(QString::number(i) + QStringLiteral(".bmp"));
    m_sounds.open(m_assetDir);
    SoundChannel& music = channel(Sound::Music);
    // Any length loops: a long music file only makes a long period.
    const int period = music.lengthMs();
    music.play();
    m_musicTimer->setInterval(period);
}

void GameWindow::onAboutClicked()
{
    m_showMessage(this,
                  QStringLiteral("ポコリ救出劇：Ver") + kGameVersion + QStringLiteral("\r\n")
                      + QStringLiteral("制作：ポコリー救出劇 開発チーム"));
}

void GameWindow::onMusicTimer()
{
    channel(Sound::Music).restart();
}

void GameWindow::onSceneClicked()
{
    resetRound();
}

void GameWindow::resetRound()
{
    const WindowControls& c = m_controls;
    const Round::Prompt first = m_round.reset();
    showPromptCaption(c, first.action);
    m_promptTimer->setInterval(first.gapMs);
    c.titlePicture->show();
    for (QLabel* label : {c.promptSuffixLabel, c.quitHint, c.hitCaption, c.missCaption, c.hitCountLabel})
        label->hide();
    showCount(c.hitCountLabel, c.hitCaption, m_round.hits());
    c.missCountLabel->hide();
    showCount(c.missCountLabel, c.missCaption, m_round.misses());
    c.promptLabel->hide();
    for (ActionButton* button : c.actionButtons)
        button->hide();
    m_promptTimer->setEnabled(false);
}

void GameWindow::onTitleClicked()
{
    const WindowControls& c = m_controls;
    c.titlePicture->hide();
    if (!tell(introStory()))
        return;
    c.scenePicture->setPixmap(m_pictureBank[kIdlePicture]);
    for (QLabel* label : {c.promptSuffixLabel, c.quitHint, c.hitCaption, c.missCaption})
        label->show();
    m_promptTimer->setEnabled(true); // its interval is the first gap, drawn at the reset
    for (QLabel* label : {c.hitCountLabel, c.missCountLabel, c.promptLabel})
        label->show();
    m_flashTimer->setEnabled(true); // the first prompt flashes at once
    for (ActionButton* button : c.actionButtons)
        button->show();
}

void GameWindow::onFlashTimer()
{
    m_controls.promptSuffixLabel->hide();
    m_controls.promptLabel->hide();
    m_flashTimer->setEnabled(false);
}

void GameWindow::onPaceChosen(Pace pace)
{
    m_round.setPace(pace);
}

void GameWindow::onActionPressed(int action)
{
    channel(actionSound(action)).restart();
    m_controls.scenePicture->setPixmap(m_pictureBank[actionPicture(action)]);
    m_round.press(action);
    showCounts();
}

void GameWindow::onActionReleased()
{
    m_controls.scenePicture->setPixmap(m_pictureBank[kIdlePicture]);
}

void GameWindow::onPromptTimer()
{
    const auto next = m_round.tick();
    if (const auto* ending = std::get_if<Ending>(&next)) {
        endRound(*ending);
        return;
    }
    const auto& prompt = std::get<Round::Prompt>(next);
    m_promptTimer->setInterval(prompt.gapMs); // the next tick comes one gap from now
    showPrompt(prompt.action);
}

void GameWindow::showPrompt(int action)
{
    showPromptCaption(m_controls, action);
    m_controls.promptSuffixLabel->show();
    m_controls.promptLabel->show();
    m_flashTimer->setEnabled(true);
}

void GameWindow::endRound(Ending ending)
{
    m_controls.promptLabel->hide();
    m_promptTimer->setEnabled(false); // before the first message: no prompt during the ending
    for (ActionButton* button : m_controls.actionButtons)
        button->hide();
    [[maybe_unused]] const bool told = tell(endingStory(ending)); // nothing follows an ending
}

bool GameWindow::tell(std::span<const StoryStep> story)
{
    for (const StoryStep& step : story) {
        switch (step.kind) {
        case StoryStep::Kind::Show:
            m_controls.scenePicture->setPixmap(loadPicture(QString::fromUtf8(step.text)));
            break;
        case StoryStep::Kind::Message:
            m_showMessage(this, QString::fromUtf8(step.text));
            if (m_ended)
                return false;
            break;
        case StoryStep::Kind::Sound:
            channel(step.sound).restart();
            break;
        }
    }
    return true;
}

void GameWindow::showCounts()
{
    showCount(m_controls.hitCountLabel, m_controls.hitCaption, m_round.hits());
    showCount(m_controls.missCountLabel, m_controls.missCaption, m_round.misses());
}

QPixmap GameWindow::loadPicture(const QString& fileName) const
{
    return loadBitmap(m_assetDir + fileName);
}

void GameWindow::readingPictures(void (GameWindow::*handler)())
{
    // Caught here, so that the error never unwinds through Qt's own frames;
    // the handler's steps after the failing one do not run.
    try {
        (this->*handler)();
    } catch (const AssetError& error) {
        m_fatalError(error);
    }
}

void GameWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The round is reset once, when the window first appears; coming back
    // from a message box or another program is not a new round.
    if (!m_shown) {
        m_shown = true;
        resetRound();
    }
}

void GameWindow::closeEvent(QCloseEvent* event)
{
    // The game ends here, whatever is open: a desktop that asks it to quit
    // closes the window from inside a message box too. No timer ticks
    // again, no control or timer reaches the window, and the story being
    // told stops at the open message.
    m_ended = true;
    for (GameTimer* timer : {m_promptTimer, m_flashTimer, m_musicTimer})
        timer->setEnabled(false);
    for (QObject* child : children())
        child->disconnect(this);
    m_sounds.close();
    QWidget::closeEvent(event);
    emit ended();
}
