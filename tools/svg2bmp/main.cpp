// svg2bmp: renders an SVG picture into a 24-bit BMP for the game, or where
// the output's name ends in .svg, rewrites it for the web page into an SVG
// that browsers draw alike (web_svg.h).
//
//   svg2bmp IN.svg OUT.bmp|OUT.svg WIDTH HEIGHT [--defs PARTS.svg]
//
// With --defs, the content of the <defs> of PARTS.svg is added to the
// picture first, so pictures can <use> the shared character parts.

#include "tools/svg2bmp/render.h"
#include "tools/svg2bmp/shared_defs.h"
#include "tools/svg2bmp/web_svg.h"

#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#include <optional>

namespace {

int fail(const QString& message)
{
    QTextStream(stderr) << "svg2bmp: " << message << '\n';
    return 1;
}

std::optional<QString> readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return QString::fromUtf8(file.readAll());
}

std::optional<int> pixelCount(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    // Far beyond any picture the game shows, yet small enough to allocate.
    if (!ok || value < 1 || value > 8192)
        return std::nullopt;
    return value;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const bool withDefs = args.size() == 6 && args[4] == QLatin1String("--defs");
    if (args.size() != 4 && !withDefs)
        return fail(QStringLiteral("usage: svg2bmp IN.svg OUT.bmp|OUT.svg WIDTH HEIGHT [--defs PARTS.svg]"));

    const QString& inPath = args[0];
    const QString& outPath = args[1];
    const auto width = pixelCount(args[2]);
    const auto height = pixelCount(args[3]);
    if (!width || !height)
        return fail(QStringLiteral("width and height must be whole numbers from 1 to 8192"));

    auto svg = readText(inPath);
    if (!svg)
        return fail(QStringLiteral("cannot read %1").arg(inPath));

    if (withDefs) {
        const QString& partsPath = args[5];
        const auto parts = readText(partsPath);
        if (!parts)
            return fail(QStringLiteral("cannot read %1").arg(partsPath));
        const auto defs = defsContent(*parts);
        if (!defs)
            return fail(QStringLiteral("%1 has no <defs> element").arg(partsPath));
        svg = withSharedDefs(*svg, *defs);
        if (!svg)
            return fail(QStringLiteral("%1 is not well-formed XML").arg(inPath));
    }

    QString error;
    if (outPath.endsWith(QLatin1String(".svg"))) {
        const auto page = webSvg(*svg, *width, *height, error);
        if (!page)
            return fail(QStringLiteral("%1: %2").arg(inPath, error));
        QFile out(outPath);
        if (!out.open(QIODevice::WriteOnly) || out.write(page->toUtf8()) < 0 || !out.flush())
            return fail(QStringLiteral("cannot write %1").arg(outPath));
        return 0;
    }
    const auto image = renderSvg(*svg, *width, *height, error);
    if (!image)
        return fail(QStringLiteral("%1: %2").arg(inPath, error));
    if (!image->save(outPath, "BMP"))
        return fail(QStringLiteral("cannot write %1").arg(outPath));
    return 0;
}
