#include "app/game_window.h"

#include "app/action_button.h"
#include "app/game_font.h"
#include "app/picture_box.h"
#include "assets/asset_files.h"
#include "game/game_info.h"
#include "media/asset_error.h"
#include "media/bitmap_loader.h"
#include "media/game_timer.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>

namespace {

static_assert(kSoundFiles.size() == kSoundCount, "a file for every sound");
// The grey between the sunken frames' two edges, in Qt's palette.
constexpr QColor kFrameMid{184, 184, 184};

// The folder the assets are read from, in the platform's own notation and
// ending in exactly one separator, so that a file name can be appended
// directly ("/games/pokori/" + "0.bmp"). A root folder already ends in one.
QString assetDirFor(const QString& programDir)
{
    QString dir = QDir::toNativeSeparators(programDir);
    if (!dir.endsWith(QDir::separator()))
        dir += QDir::separator();
    return dir;
}

// Stopped until the game sets it going.
GameTimer* namedTimer(QObject* window, const char* name)
{
    auto* timer = new GameTimer(0, false, window);
    timer->setObjectName(QLatin1String(name));
    return timer;
}

} // namespace

GameWindow::GameWindow(RandomSource& random, ShowMessage showMessage, FatalError fatalError, const QString& programDir,
                       QWidget* parent)
    : QWidget(parent,
              Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                  | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_showMessage(std::move(showMessage))
    , m_fatalError(std::move(fatalError))
    , m_assetDir(assetDirFor(programDir))
    , m_sounds(kSoundFiles)
    , m_timers{namedTimer(this, "promptTimer"), namedTimer(this, "flashTimer"), namedTimer(this, "musicTimer")}
    , m_game(*this, random)
{
    setWindowTitle(QString::fromUtf8(kGameTitle));
    setFixedSize(kWindowWidth, kWindowHeight);
    setFont(gameFont(kWindowPoints));
    // The window's colours are the game's own, and its text colours go with
    // them: black on its light faces whatever palette the desktop gives, so
    // that a dark desktop theme never draws white captions on them, and the
    // sunken frames grey and white as on a light desktop. Message boxes are
    // windows of their own and keep the desktop's look.
    const QColor text = toQColor(kTextColour);
    setPalette(QPalette(text, toQColor(kWindowColour), toQColor(kFrameLight), toQColor(kFrameShadow), kFrameMid, text,
                        Qt::white));
    setAutoFillBackground(true);
    // After the window's font: the controls take it as they are created.
    m_controls = createWindowControls(this);

    const WindowControls& c = m_controls;
    connect(c.aboutButton, &QPushButton::clicked, this, handler(&Game::aboutClicked));
    connect(c.scenePicture, &PictureBox::clicked, this, handler(&Game::sceneClicked));
    connect(c.titlePicture, &PictureBox::clicked, this, handler(&Game::titleClicked));
    for (int i = 0; i < int(kPaces.size()); ++i) {
        // Choosing the pace already chosen toggles nothing, and changes nothing.
        connect(c.paceButtons[i], &QPushButton::toggled, this, [this, i](bool chosen) {
            if (chosen)
                m_game.paceChosen(i);
        });
    }
    for (int k = 0; k < kActionCount; ++k) {
        connect(c.actionButtons[k], &ActionButton::mouseDown, this, [this, k] { m_game.actionPressed(k); });
        connect(c.actionButtons[k], &ActionButton::mouseUp, this, handler(&Game::actionReleased));
    }
    connect(m_timers[int(Timer::Prompt)], &GameTimer::tick, this, handler(&Game::promptTimerTicked));
    connect(m_timers[int(Timer::Flash)], &GameTimer::tick, this, handler(&Game::flashTimerTicked));
    connect(m_timers[int(Timer::Music)], &GameTimer::tick, this, handler(&Game::musicTimerTicked));
}

GameWindow::~GameWindow() = default;

void GameWindow::start()
{
    handle(&Game::start);
}

void GameWindow::handle(void (Game::*event)())
{
    // Caught here, so that the error never unwinds through Qt's own frames;
    // the steps after the failing one do not run.
    try {
        (m_game.*event)();
    } catch (const AssetError& error) {
        m_fatalError(error);
    }
}

void GameWindow::showControl(Control control, bool shown)
{
    m_controls[control]->setVisible(shown);
}

void GameWindow::setCaption(Control control, const std::string& caption, const std::string& spokenName)
{
    auto* label = static_cast<QLabel*>(m_controls[control]);
    label->setText(toQString(caption));
    label->setAccessibleName(toQString(spokenName));
}

void GameWindow::showPicture(Control picture, const std::string& fileName)
{
    auto* box = static_cast<PictureBox*>(m_controls[picture]);
    // The picture it replaces goes first, so that two are never held at once;
    // nothing is drawn in between.
    box->setPixmap({});
    box->setPixmap(loadPicture(fileName));
}

void GameWindow::keepPicture(int slot, const std::string& fileName)
{
    m_keptPictures.at(static_cast<std::size_t>(slot)) = loadPicture(fileName);
}

void GameWindow::showKeptPicture(int slot)
{
    m_controls.scenePicture->setPixmap(m_keptPictures.at(static_cast<std::size_t>(slot)));
}

void GameWindow::openSounds()
{
    m_sounds.open(m_assetDir);
}

void GameWindow::playSound(Sound sound)
{
    m_sounds[static_cast<int>(sound)].play();
}

int GameWindow::soundLengthMs(Sound sound)
{
    return m_sounds[static_cast<int>(sound)].lengthMs();
}

void GameWindow::closeSounds()
{
    m_sounds.close();
}

void GameWindow::setTimerInterval(Timer timer, int ms)
{
    m_timers[static_cast<std::size_t>(timer)]->setInterval(ms);
}

void GameWindow::setTimerEnabled(Timer timer, bool enabled)
{
    m_timers[static_cast<std::size_t>(timer)]->setEnabled(enabled);
}

bool GameWindow::showMessage(const std::string& text)
{
    m_showMessage(this, toQString(text));
    return true;
}

QPixmap GameWindow::loadPicture(const std::string& fileName) const
{
    return loadBitmap(m_assetDir + toQString(fileName));
}

void GameWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    handle(&Game::windowShown);
}

void GameWindow::closeEvent(QCloseEvent* event)
{
    // The game ends here, whatever is open: a desktop that asks it to quit
    // closes the window from inside a message box too.
    m_game.end();
    QWidget::closeEvent(event);
    emit ended();
}
