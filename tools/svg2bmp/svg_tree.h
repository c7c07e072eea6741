#pragma once

#include <QList>
#include <QString>

#include <optional>
#include <utility>

// An SVG document as a tree of elements, enough to rewrite a picture. Names
// and attributes stay as written, prefixes and namespace declarations
// included, so that the document is written back as it was read. Comments,
// processing instructions and whitespace between elements are left out.
struct SvgElement {
    QString name;
    QList<std::pair<QString, QString>> attributes; // in the order written
    QList<SvgElement> children;
    // The character data inside the element, written before its children:
    // only a <text> holds any in our pictures, and never beside an element.
    QString text;

    // Empty where the element has no such attribute.
    QString attribute(const QString& attributeName) const;
    void setAttribute(const QString& attributeName, const QString& value);
    void removeAttribute(const QString& attributeName);
};

// Nothing when `document` is not well-formed XML.
std::optional<SvgElement> readSvg(const QString& document);

// The document without an XML declaration (UTF-8 needs none) or any
// whitespace between elements.
QString writeSvg(const SvgElement& root);
