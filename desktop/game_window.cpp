#include "desktop/game_window.h"

#include "assets/asset_files.h"
#include "desktop/game_font.h"
#include "desktop/game_timer.h"
#include "desktop/picture_box.h"
#include "game/game_info.h"
#include "media/bitmap_loader.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>

#include <cstdio>
#include <cstdlib>

namespace {

static_assert(kSoundFiles.size() == kSoundCount, "a file for every sound");
// The grey between the sunken frames' two edges, in Qt's palette.
constexpr QColor kFrameMid{184, 184, 184};
// By Timer: the names tests and the benchmark find the timers by.
constexpr std::array<const char*, kTimerCount> kTimerNames{"promptTimer", "flashTimer", "musicTimer"};

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

} // namespace

GameWindow::GameWindow(RandomSource& random, ShowMessage showMessage, ShowMessage showError, const QString& programDir,
                       QWidget* parent)
    : QWidget(parent,
              Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                  | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_showMessage(std::move(showMessage))
    , m_showError(std::move(showError))
    , m_assetDir(assetDirFor(programDir))
    , m_sounds(kSoundFiles)
    , m_game(*this, random)
{
    setWindowTitle(QString::fromUtf8(kGameTitle));
    setFixedSize(kWindowWidth, kWindowHeight);
    setFont(gameFont(kWindowPointSize));
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
    m_controls = createWindowControls(this, m_game);
    for (int i = 0; i < kTimerCount; ++i) {
        auto* timer = new GameTimer(0, false, this); // stopped until the game sets it going
        timer->setObjectName(QLatin1String(kTimerNames[i]));
        connect(timer, &GameTimer::tick, this, [this, i] { m_game.tick(static_cast<Timer>(i)); });
        m_timers[i] = timer;
    }
}

GameWindow::~GameWindow() = default;

void GameWindow::start()
{
    m_game.start();
    if (!m_stopped)
        show();
}

void GameWindow::showControl(Control control, bool shown)
{
    m_controls[control]->setVisible(shown);
}

void GameWindow::setCaption(Control control, const std::string& caption, const std::string& spokenName)
{
    auto* label = m_controls.as<QLabel>(control);
    label->setText(toQString(caption));
    label->setAccessibleName(toQString(spokenName));
}

void GameWindow::showChosen(Control paceButton)
{
    m_controls.as<QPushButton>(paceButton)->setChecked(true); // the group unchecks the other
}

bool GameWindow::showPicture(Control picture, const std::string& fileName)
{
    // The picture shown stays until the next is read: a picture that cannot
    // be read leaves it under the error box.
    const QPixmap pixmap = readPicture(fileName);
    if (!pixmap.isNull())
        m_controls.as<PictureBox>(picture)->setPixmap(pixmap);
    return true;
}

void GameWindow::keepPicture(int slot, const std::string& fileName)
{
    m_keptPictures.at(static_cast<std::size_t>(slot)) = readPicture(fileName);
}

void GameWindow::showKeptPicture(int slot)
{
    m_controls.as<PictureBox>(Control::ScenePicture)->setPixmap(m_keptPictures.at(static_cast<std::size_t>(slot)));
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

void GameWindow::stop(const std::string& errorText)
{
    m_stopped = true;
    const QString text = toQString(errorText);
    std::fprintf(stderr, "pokori-rescue: %s\n", qUtf8Printable(QString(text).replace('\n', ' ')));
    std::fflush(stderr);
    m_showError(this, text);
    emit ended(EXIT_FAILURE);
}

QPixmap GameWindow::readPicture(const std::string& fileName)
{
    const QString path = m_assetDir + toQString(fileName);
    Bitmap bitmap = loadBitmap(path);
    if (const auto* fault = std::get_if<PictureFault>(&bitmap)) {
        m_game.pictureUnreadable(path.toStdString(), *fault);
        return {};
    }
    return QPixmap::fromImage(std::get<QImage>(std::move(bitmap)));
}

void GameWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_game.windowShown();
}

void GameWindow::closeEvent(QCloseEvent* event)
{
    // The game ends here, whatever is open: a desktop that asks it to quit
    // closes the window from inside a message box too.
    m_game.end();
    QWidget::closeEvent(event);
    emit ended(EXIT_SUCCESS);
}
