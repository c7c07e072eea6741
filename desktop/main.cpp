#include "desktop/game_application.h"
#include "desktop/game_window.h"
#include "desktop/message_box.h"
#include "round/random_source.h"

int main(int argc, char** argv)
{
    GameApplication app(argc, argv);
    ClockRandom random;
    GameWindow window(random, showGameMessage, showErrorBox, GameApplication::applicationDirPath());
    // Queued, so that an end during start-up ends the event loop as soon as it
    // runs; it then leaves a message box's own loop too.
    QObject::connect(
        &window, &GameWindow::ended, &app, [](int status) { GameApplication::exit(status); }, Qt::QueuedConnection);
    window.start();
    return GameApplication::exec();
}
