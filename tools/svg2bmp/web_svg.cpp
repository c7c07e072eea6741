#include "tools/svg2bmp/web_svg.h"

#include "tools/svg2bmp/path_data.h"
#include "tools/svg2bmp/svg_tree.h"
#include "tools/svg2bmp/text_outline.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <functional>

namespace {

const QString kHref = QStringLiteral("xlink:href");

// The properties Qt Svg lays a text out by, and those its stroke is drawn
// by. A text takes each from its nearest ancestor that sets it, where it
// does not set it itself. The outline takes the text's place in the tree,
// and so its paint, but no text is left to read the font's properties.
const QStringList kFontProperties{QStringLiteral("font-family"), QStringLiteral("font-size"),
                                  QStringLiteral("font-weight"), QStringLiteral("font-style"),
                                  QStringLiteral("text-anchor")};
const QStringList kStrokeProperties{QStringLiteral("stroke"), QStringLiteral("stroke-width")};
using TextProperties = QHash<QString, QString>;

template <typename Element, typename Visit> void forEachElement(Element& element, const Visit& visit)
{
    visit(element);
    for (auto& child : element.children)
        forEachElement(child, visit);
}

// The ids an element's own attributes refer to.
QStringList referencedIds(const SvgElement& element)
{
    static const QRegularExpression url(QStringLiteral(R"(url\(\s*#([^)\s]+)\s*\))"));
    QStringList ids;
    for (const auto& [name, value] : element.attributes) {
        if (name == kHref && value.startsWith(QLatin1Char('#')))
            ids.append(value.mid(1));
        for (const QRegularExpressionMatch& match : url.globalMatch(value))
            ids.append(match.captured(1));
    }
    return ids;
}

// Browsers lack SVG Tiny's <solidColor>: each paint of one becomes its colour.
void paintSolidColours(SvgElement& root)
{
    QHash<QString, QString> colours; // by "url(#id)"
    forEachElement(root, [&](const SvgElement& element) {
        if (element.name == QLatin1String("solidColor")) {
            const QString colour = element.attribute(QStringLiteral("solid-color"));
            colours.insert(QStringLiteral("url(#%1)").arg(element.attribute(QStringLiteral("id"))),
                           colour.isEmpty() ? QStringLiteral("black") : colour); // SVG Tiny's default
        }
    });
    forEachElement(root, [&](SvgElement& element) {
        for (auto& [name, value] : element.attributes)
            value = colours.value(value, value);
    });
}

// Leaves in each <defs> only what the picture uses, directly or through
// what it uses.
void keepUsedDefinitions(SvgElement& root)
{
    QHash<QString, const SvgElement*> byId;
    QStringList pending;
    const std::function<void(const SvgElement&, bool)> scan = [&](const SvgElement& element, bool defined) {
        defined = defined || element.name == QLatin1String("defs");
        const QString id = element.attribute(QStringLiteral("id"));
        if (!id.isEmpty())
            byId.insert(id, &element);
        if (!defined)
            pending += referencedIds(element);
        for (const SvgElement& child : element.children)
            scan(child, defined);
    };
    scan(root, false);

    QSet<QString> used;
    while (!pending.isEmpty()) {
        const QString id = pending.takeLast();
        if (used.contains(id) || !byId.contains(id))
            continue;
        used.insert(id);
        forEachElement(*byId.value(id), [&](const SvgElement& element) { pending += referencedIds(element); });
    }

    const auto isDefs = [](const SvgElement& element) { return element.name == QLatin1String("defs"); };
    forEachElement(root, [&](SvgElement& element) {
        if (isDefs(element))
            element.children.removeIf(
                [&](const SvgElement& child) { return !used.contains(child.attribute(QStringLiteral("id"))); });
    });
    forEachElement(root, [&](SvgElement& element) {
        element.children.removeIf([&](const SvgElement& child) { return isDefs(child) && child.children.isEmpty(); });
    });
}

// A length in user units, as "12" or "12px".
std::optional<qreal> userUnits(QString length)
{
    if (length.endsWith(QLatin1String("px")))
        length.chop(2);
    bool ok = false;
    const qreal value = length.toDouble(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

// Turns the <text> element `text` into a <path> of its outline.
bool outlineText(SvgElement& text, const TextProperties& properties, QString& error)
{
    if (!text.children.isEmpty()) {
        error = QStringLiteral("the text \"%1\" has elements inside it").arg(text.text);
        return false;
    }
    QString family = properties.value(QStringLiteral("font-family")).trimmed();
    if (family.startsWith(QLatin1Char('\'')) || family.startsWith(QLatin1Char('"')))
        family = family.mid(1, family.size() - 2);
    const auto size = userUnits(properties.value(QStringLiteral("font-size")));
    const auto strokeWidth = userUnits(properties.value(QStringLiteral("stroke-width"), QStringLiteral("1")));
    const QString weightText = properties.value(QStringLiteral("font-weight"), QStringLiteral("normal"));
    const int weight = weightText == QLatin1String("bold") ? QFont::Bold
        : weightText == QLatin1String("normal")            ? QFont::Normal
                                                           : weightText.toInt();
    if (family.isEmpty() || !size || !strokeWidth || weight < 1 || weight > 1000) {
        error = QStringLiteral("the text \"%1\" needs a font-family, a font-size in pixels, a font-weight that is "
                               "normal, bold or a number, and a stroke-width in pixels if any, of its own or from an "
                               "ancestor")
                    .arg(text.text);
        return false;
    }

    QFont font;
    font.setFamily(family);
    font.setWeight(QFont::Weight(weight));
    const QString style = properties.value(QStringLiteral("font-style"));
    font.setStyle(style == QLatin1String("italic")        ? QFont::StyleItalic
                      : style == QLatin1String("oblique") ? QFont::StyleOblique
                                                          : QFont::StyleNormal);
    const QString anchor = properties.value(QStringLiteral("text-anchor"));
    const Qt::Alignment alignment = anchor == QLatin1String("middle") ? Qt::AlignHCenter
        : anchor == QLatin1String("end")                              ? Qt::AlignRight
                                                                      : Qt::AlignLeft;
    const QPointF start(text.attribute(QStringLiteral("x")).toDouble(), text.attribute(QStringLiteral("y")).toDouble());
    // Qt Svg's default whitespace handling.
    const QPainterPath outline = textOutline(text.text.simplified(), font, *size, alignment, start);

    text.name = QStringLiteral("path");
    text.text.clear();
    text.removeAttribute(QStringLiteral("x"));
    text.removeAttribute(QStringLiteral("y"));
    text.setAttribute(QStringLiteral("d"), pathData(outline));
    // As wide as Qt Svg strokes it (kTextLayoutPixels).
    const QString stroke = properties.value(QStringLiteral("stroke"));
    if (!stroke.isEmpty() && stroke != QLatin1String("none"))
        text.setAttribute(QStringLiteral("stroke-width"), QString::number(*strokeWidth * *size / kTextLayoutPixels));
    return true;
}

// Outlines every text under `element`, gathering the outlines.
bool outlineTexts(SvgElement& element, TextProperties properties, QList<SvgElement*>& outlines, QString& error)
{
    for (const QString& name : kFontProperties + kStrokeProperties) {
        const QString value = element.attribute(name);
        if (!value.isEmpty())
            properties.insert(name, value);
    }
    for (const QString& name : kFontProperties)
        element.removeAttribute(name);
    if (element.name == QLatin1String("text")) {
        outlines.append(&element);
        return outlineText(element, properties, error);
    }
    for (SvgElement& child : element.children) {
        if (!outlineTexts(child, properties, outlines, error))
            return false;
    }
    return true;
}

// Gives an outline drawn more than once (a text with its halo and its
// border) a place in <defs>, and each drawing of it a <use>, which takes
// its paint as the text did.
void shareRepeatedOutlines(SvgElement& root, const QList<SvgElement*>& outlines)
{
    QHash<QString, int> drawings; // by path data
    for (const SvgElement* outline : outlines)
        ++drawings[outline->attribute(QStringLiteral("d"))];
    QHash<QString, QString> ids; // by path data
    QList<SvgElement> shared;
    for (SvgElement* outline : outlines) {
        const QString data = outline->attribute(QStringLiteral("d"));
        if (drawings.value(data) < 2)
            continue;
        QString& id = ids[data];
        if (id.isEmpty()) {
            id = QStringLiteral("outline-%1").arg(ids.size());
            shared.append(
                SvgElement{QStringLiteral("path"), {{QStringLiteral("id"), id}, {QStringLiteral("d"), data}}, {}, {}});
        }
        outline->name = QStringLiteral("use");
        outline->removeAttribute(QStringLiteral("d"));
        outline->setAttribute(kHref, QLatin1Char('#') + id);
    }
    if (shared.isEmpty())
        return;
    const auto defs = std::find_if(root.children.begin(), root.children.end(),
                                   [](const SvgElement& child) { return child.name == QLatin1String("defs"); });
    if (defs == root.children.end())
        root.children.prepend(SvgElement{QStringLiteral("defs"), {}, shared, {}});
    else
        defs->children.append(shared);
}

void compactAttributes(SvgElement& root)
{
    forEachElement(root, [](SvgElement& element) {
        for (auto& [name, value] : element.attributes)
            value = name == QLatin1String("d") ? compactPathData(value) : value.simplified();
    });
}

} // namespace

std::optional<QString> webSvg(const QString& svg, int width, int height, QString& error)
{
    auto root = readSvg(svg);
    if (!root) {
        error = QStringLiteral("not well-formed XML");
        return std::nullopt;
    }
    paintSolidColours(*root);
    keepUsedDefinitions(*root);
    QList<SvgElement*> outlines; // in the tree, whose shape holds until they are shared
    if (!outlineTexts(*root, {}, outlines, error))
        return std::nullopt;
    shareRepeatedOutlines(*root, outlines);
    compactAttributes(*root);
    root->setAttribute(QStringLiteral("width"), QString::number(width));
    root->setAttribute(QStringLiteral("height"), QString::number(height));
    return writeSvg(*root);
}
