#pragma once

#include <QApplication>

class AssetError;

// The application object. A picture that cannot be read ends the game: the
// error is caught here, where every event is dispatched, shown in an error
// box and on stderr, and the program exits with status 1.
class GameApplication : public QApplication {
    Q_OBJECT
public:
    GameApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    [[noreturn]] static void fail(const AssetError& error);
};
