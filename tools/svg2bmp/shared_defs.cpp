#include "tools/svg2bmp/shared_defs.h"

#include <QXmlStreamReader>

std::optional<QString> defsContent(const QString& svg)
{
    QXmlStreamReader reader(svg);
    qint64 contentStart = -1;
    int nesting = 0;
    while (true) {
        const auto token = reader.readNext();
        if (token == QXmlStreamReader::Invalid || token == QXmlStreamReader::EndDocument)
            break;
        const bool isDefs = reader.name() == QLatin1String("defs");
        if (token == QXmlStreamReader::StartElement && isDefs) {
            if (nesting++ == 0)
                contentStart = reader.characterOffset();
        } else if (token == QXmlStreamReader::EndElement && isDefs && --nesting == 0) {
            // The reader stands just past "</defs>"; the tag itself holds no '<'.
            const qint64 endTag = svg.lastIndexOf(QLatin1Char('<'), reader.characterOffset() - 1);
            return svg.mid(contentStart, endTag - contentStart);
        }
    }
    return std::nullopt;
}

std::optional<QString> withSharedDefs(const QString& picture, const QString& defs)
{
    QXmlStreamReader reader(picture);
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement) {
            const qint64 rootEnd = reader.characterOffset();
            while (!reader.atEnd())
                reader.readNext();
            if (reader.hasError())
                return std::nullopt;
            QString spliced = picture;
            spliced.insert(rootEnd, QStringLiteral("<defs>") + defs + QStringLiteral("</defs>"));
            return spliced;
        }
    }
    return std::nullopt;
}
