#include "app/game_application.h"

#include "app/game_info.h"
#include "media/asset_error.h"

#include <QIcon>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>

GameApplication::GameApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("pokori-rescue"));
    setApplicationDisplayName(kGameTitle);
    setApplicationVersion(kGameVersion);
    setStyle(QStringLiteral("Fusion")); // the same look on every desktop
    setWindowIcon(QIcon(QStringLiteral(":/pokori-rescue.svg"))); // message boxes too
}

void GameApplication::fail(const AssetError& error)
{
    std::fprintf(stderr, "pokori-rescue: %s\n", qUtf8Printable(error.message().replace('\n', ' ')));
    std::fflush(stderr);
    // On a headless platform nobody could see or dismiss the box.
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal"))
        QMessageBox::critical(nullptr, kGameTitle, error.message());
    // Exit at once: the handler that failed must not go on with its steps.
    std::exit(EXIT_FAILURE);
}
