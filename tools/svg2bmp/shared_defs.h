#pragma once

#include <QString>

#include <optional>

// QtSvg cannot <use> an element of another file, so the shared character
// parts are copied into each picture before it is parsed.

// The markup inside the first <defs> element of `svg`, or nothing when the
// document is not well-formed or has no <defs>.
std::optional<QString> defsContent(const QString& svg);

// `picture` with `defs` wrapped in a <defs> element placed first inside the
// root element, so every later <use> finds its target; nothing when the
// picture is not well-formed. Both files must spell the xlink prefix alike.
std::optional<QString> withSharedDefs(const QString& picture, const QString& defs);
