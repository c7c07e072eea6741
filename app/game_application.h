#pragma once

#include <QApplication>

class AssetError;

// The game's look, the same on every desktop.
inline constexpr QLatin1String kGameStyle("Fusion");

// The application object: the game's name, version, look and icon.
class GameApplication : public QApplication {
    Q_OBJECT
public:
    GameApplication(int& argc, char** argv);

    // A picture the game needs cannot be read: shows the error in a box and
    // on stderr, and ends the program with status 1 at once.
    [[noreturn]] static void fail(const AssetError& error);
};
