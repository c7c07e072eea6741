#include "app/game_application.h"
#include "app/game_window.h"
#include "app/message_box.h"
#include "round/random_source.h"

int main(int argc, char** argv)
{
    GameApplication app(argc, argv);
    ClockRandom random;
    GameWindow window(random, showGameMessage, GameApplication::fail, GameApplication::applicationDirPath());
    window.start();
    window.show();
    return GameApplication::exec();
}
