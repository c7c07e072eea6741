#include "tools/svg2bmp/svg_tree.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

QString SvgElement::attribute(const QString& attributeName) const
{
    for (const auto& [key, value] : attributes)
        if (key == attributeName)
            return value;
    return {};
}

void SvgElement::setAttribute(const QString& attributeName, const QString& value)
{
    for (auto& [key, oldValue] : attributes) {
        if (key == attributeName) {
            oldValue = value;
            return;
        }
    }
    attributes.append({attributeName, value});
}

void SvgElement::removeAttribute(const QString& attributeName)
{
    attributes.removeIf([&](const auto& attribute) { return attribute.first == attributeName; });
}

std::optional<SvgElement> readSvg(const QString& document)
{
    QXmlStreamReader reader(document);
    // Namespace declarations then read as the plain attributes they are written as.
    reader.setNamespaceProcessing(false);
    QList<SvgElement> open;
    std::optional<SvgElement> root;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            SvgElement element{reader.qualifiedName().toString(), {}, {}, {}};
            for (const QXmlStreamAttribute& attribute : reader.attributes())
                element.attributes.append({attribute.qualifiedName().toString(), attribute.value().toString()});
            open.append(std::move(element));
            break;
        }
        case QXmlStreamReader::EndElement: {
            SvgElement element = open.takeLast();
            if (open.isEmpty())
                root = std::move(element);
            else
                open.last().children.append(std::move(element));
            break;
        }
        case QXmlStreamReader::Characters:
            if (!open.isEmpty() && !reader.isWhitespace())
                open.last().text += reader.text();
            break;
        default:
            break;
        }
    }
    if (reader.hasError())
        return std::nullopt;
    return root;
}

namespace {

void write(QXmlStreamWriter& writer, const SvgElement& element)
{
    if (element.children.isEmpty() && element.text.isEmpty())
        writer.writeEmptyElement(element.name);
    else
        writer.writeStartElement(element.name);
    for (const auto& [name, value] : element.attributes)
        writer.writeAttribute(name, value);
    writer.writeCharacters(element.text);
    for (const SvgElement& child : element.children)
        write(writer, child);
    if (!element.children.isEmpty() || !element.text.isEmpty())
        writer.writeEndElement();
}

} // namespace

QString writeSvg(const SvgElement& root)
{
    QString document;
    QXmlStreamWriter writer(&document);
    write(writer, root);
    return document;
}
