// pokori-icon: makes the game's icon files from its SVG source.
//
//   pokori-icon png IN.svg OUT.png SIZE     one square PNG for the desktop theme
//   pokori-icon padded IN.svg OUT.png SIZE  one for home screens that cut it to
//                                           a shape of their own (a web app's
//                                           maskable icon, Apple's touch icon):
//                                           the picture small enough for any
//                                           cut, on the game window's colour
//   pokori-icon ico IN.svg OUT.ico          the Windows icon: 32 x 32 in 2 and
//                                           16 colours, 16 x 16 in 16 colours

#include "game/window_layout.h"
#include "tools/icon/ico_writer.h"
#include "tools/icon/palette.h"
#include "tools/icon/render.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QTextStream>

namespace {

int fail(const QString& message)
{
    QTextStream(stderr) << "pokori-icon: " << message << '\n';
    return 1;
}

// A mask keeps at least the circle of 80% of the icon's width about its
// middle; the picture's farthest corner lies 61% of its width from its
// middle, so drawn at 60% it stays inside.
constexpr double kPaddedScale = 0.6;

int writePng(const QString& svg, const QString& out, const QString& sizeText, bool padded)
{
    bool ok = false;
    const int size = sizeText.toInt(&ok);
    if (!ok || size < 1 || size > 1024)
        return fail(QStringLiteral("the size must be a whole number from 1 to 1024"));
    const int drawn = padded ? qRound(size * kPaddedScale) : size;
    auto picture = renderIcon(svg, drawn, Edges::Smooth);
    if (!picture)
        return fail(QStringLiteral("%1 is not a readable SVG picture").arg(svg));
    if (padded) {
        QImage backed(size, size, QImage::Format_RGB32);
        backed.fill(QColor(kWindowColour.red, kWindowColour.green, kWindowColour.blue));
        QPainter(&backed).drawImage((size - drawn) / 2, (size - drawn) / 2, *picture);
        picture = backed;
    }
    if (!picture->save(out, "PNG"))
        return fail(QStringLiteral("cannot write %1").arg(out));
    return 0;
}

int writeIco(const QString& svg, const QString& out)
{
    const auto large = renderIcon(svg, 32, Edges::Hard);
    const auto small = renderIcon(svg, 16, Edges::Hard);
    if (!large || !small)
        return fail(QStringLiteral("%1 is not a readable SVG picture").arg(svg));
    const QByteArray bytes = icoFile(
        {{toTwoColours(*large), *large}, {toSixteenColours(*large), *large}, {toSixteenColours(*small), *small}});
    QFile file(out);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return fail(QStringLiteral("cannot write %1").arg(out));
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 4 && (args[0] == QLatin1String("png") || args[0] == QLatin1String("padded")))
        return writePng(args[1], args[2], args[3], args[0] == QLatin1String("padded"));
    if (args.size() == 3 && args[0] == QLatin1String("ico"))
        return writeIco(args[1], args[2]);
    return fail(QStringLiteral("usage: pokori-icon png|padded IN.svg OUT.png SIZE | ico IN.svg OUT.ico"));
}
