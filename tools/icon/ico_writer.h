#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

// One picture of a Windows icon: its colours as an indexed image with a
// palette of 2 or 16 entries, and the full-colour picture it was made from,
// whose transparent pixels become the icon's mask.
struct IconPicture {
    QImage colours;
    QImage picture;
};

// The bytes of an .ico file holding the pictures in the given order, each
// stored as an uncompressed bitmap of 1 or 4 bits a pixel plus its mask.
QByteArray icoFile(const QList<IconPicture>& pictures);
