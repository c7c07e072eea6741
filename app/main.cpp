#include "asset_error.h"
#include "fom.h"
#include "game_application.h"
#include "message_box.h"
#include "random_source.h"

#include <QIcon>

int main(int argc, char** argv)
{
    GameApplication app(argc, argv);
    GameApplication::setStyle(QStringLiteral("Fusion")); // the same look on every desktop
#ifndef Q_OS_WIN // there the program's own icon resource serves every window
    GameApplication::setWindowIcon(QIcon(QStringLiteral(":/pokori-rescue.svg"))); // message boxes too
#endif
    ClockRandom random;
    Fom fom(random, showGameMessage, GameApplication::applicationDirPath());
    try {
        fom.Form_Load();
    } catch (const AssetError& error) {
        GameApplication::fail(error);
    }
    fom.show();
    return GameApplication::exec();
}
