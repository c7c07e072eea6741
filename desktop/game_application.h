#pragma once

#include <QApplication>

// The game's look, the same on every desktop.
inline constexpr QLatin1String kGameStyle("Fusion");

// The application object: the game's name, version, look and icon.
class GameApplication : public QApplication {
    Q_OBJECT
public:
    GameApplication(int& argc, char** argv);
};
