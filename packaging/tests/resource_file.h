#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <optional>

// Reading back what a Windows resource compiler wrote into a .res file.

constexpr int kIconGroupType = 14;
constexpr int kVersionType = 16;

struct Resource {
    int type = 0; // the numeric resource type; 0 for a named type
    int language = 0;
    QByteArray data;
};

// Every resource of a .res file in order; nothing when it is cut short.
std::optional<QList<Resource>> readResFile(const QByteArray& bytes);

struct VersionRecord {
    QList<quint16> fileVersion;    // four parts, most significant first
    QList<quint16> productVersion;
    // Each string table by its key ("041104B0"): name to value.
    QMap<QString, QMap<QString, QString>> strings;
    QList<quint16> translations;   // language, code page, language, ...
};

// The version record inside an RT_VERSION resource; nothing when malformed.
std::optional<VersionRecord> readVersionRecord(const QByteArray& data);

struct IconGroupEntry {
    int width = 0;
    int height = 0;
    int colourCount = 0;
    int bitsPerPixel = 0;
};

// The pictures an RT_GROUP_ICON resource lists; nothing when malformed.
std::optional<QList<IconGroupEntry>> readIconGroup(const QByteArray& data);
