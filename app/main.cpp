#include "app/game_application.h"
#include "app/game_window.h"
#include "app/message_box.h"
#include "round/random_source.h"

int main(int argc, char** argv)
{
    GameApplication app(argc, argv);
    ClockRandom random;
    GameWindow window(random, showGameMessage, GameApplication::fail, GameApplication::applicationDirPath());
    // At once, also from inside a message box, whose own loop would go on.
    QObject::connect(&window, &GameWindow::ended, &app, [] { GameApplication::exit(0); });
    window.start();
    window.show();
    return GameApplication::exec();
}
