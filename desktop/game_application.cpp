#include "desktop/game_application.h"

#include "game/game_info.h"

#include <QIcon>

#include <SDL_hints.h>

namespace {

constexpr const char* kStreamIconVariable = "PULSE_PROP_application.icon_name";

} // namespace

#ifdef Q_OS_UNIX
#include <QSocketNotifier>

#include <unistd.h>

#include <csignal>

namespace {

// A signal handler may not call Qt; it writes a byte that the event loop reads.
int quitPipe[2] = {-1, -1};

void askToQuit(int)
{
    const char byte = 0;
    [[maybe_unused]] const ssize_t written = ::write(quitPipe[1], &byte, 1);
}

} // namespace
#endif

GameApplication::GameApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("pokori-rescue"));
    setApplicationDisplayName(QString::fromUtf8(kGameTitle));
    setApplicationVersion(QString::fromUtf8(kGameVersion));
    setDesktopFileName(QString::fromUtf8(kGameAppId)); // docks match the window to its desktop entry
    // The desktop's volume mixer lists the game's sound by the name and icon
    // its stream carries, not as a nameless SDL program; the icon is the
    // desktop entry's, named like the program.
    SDL_SetHint(SDL_HINT_APP_NAME, kGameTitle);
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_STREAM_NAME, kGameTitle);
    if (!qEnvironmentVariableIsSet(kStreamIconVariable))
        qputenv(kStreamIconVariable, applicationName().toUtf8()); // read by PulseAudio's client library
    setStyle(kGameStyle);
#ifndef Q_OS_WIN // there the program's own icon resource serves every window
    setWindowIcon(QIcon(QStringLiteral(":/pokori-rescue.svg"))); // message boxes too
#endif
#ifdef Q_OS_UNIX
    // The desktop asks a program to quit with SIGTERM, a terminal with SIGINT:
    // close the window as the player would, so the game ends with status 0.
    if (::pipe(quitPipe) == 0) {
        auto* notifier = new QSocketNotifier(quitPipe[0], QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, [] {
            char byte;
            [[maybe_unused]] const ssize_t got = ::read(quitPipe[0], &byte, 1);
            closeAllWindows();
        });
        std::signal(SIGTERM, askToQuit);
        std::signal(SIGINT, askToQuit);
    }
#endif
}
