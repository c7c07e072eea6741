// pokori-icon: makes the game's icon files from its SVG source.
//
//   pokori-icon png IN.svg OUT.png SIZE   one square PNG for the desktop theme
//   pokori-icon ico IN.svg OUT.ico        the Windows icon: 32 x 32 in 2 and
//                                         16 colours, 16 x 16 in 16 colours

#include "tools/icon/ico_writer.h"
#include "tools/icon/palette.h"
#include "tools/icon/render.h"

#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

namespace {

int fail(const QString& message)
{
    QTextStream(stderr) << "pokori-icon: " << message << '\n';
    return 1;
}

int writePng(const QString& svg, const QString& out, const QString& sizeText)
{
    bool ok = false;
    const int size = sizeText.toInt(&ok);
    if (!ok || size < 1 || size > 1024)
        return fail(QStringLiteral("the size must be a whole number from 1 to 1024"));
    const auto picture = renderIcon(svg, size, Edges::Smooth);
    if (!picture)
        return fail(QStringLiteral("%1 is not a readable SVG picture").arg(svg));
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
    if (args.size() == 4 && args[0] == QLatin1String("png"))
        return writePng(args[1], args[2], args[3]);
    if (args.size() == 3 && args[0] == QLatin1String("ico"))
        return writeIco(args[1], args[2]);
    return fail(QStringLiteral("usage: pokori-icon png IN.svg OUT.png SIZE | ico IN.svg OUT.ico"));
}
