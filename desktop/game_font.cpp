#include "desktop/game_font.h"

#include <QStringList>

QFont gameFont(double pointSize)
{
    QFont font;
    // The face the game was drawn for first, where Windows has it: it is an
    // optional font outside Japan. Then Yu Gothic UI, which every Windows 10
    // and 11 has, so that no Windows player meets boxes for text. Then the
    // free faces of Linux: IPA's P Gothic, closest in shape and width, then
    // Noto Sans CJK.
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("Yu Gothic UI"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("Noto Sans CJK JP")});
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    return font;
}
