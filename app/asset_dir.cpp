#include "app/asset_dir.h"

#include <QDir>

QString assetDirFor(const QString& programDir)
{
    QString dir = QDir::toNativeSeparators(programDir);
    if (!dir.endsWith(QDir::separator()))
        dir += QDir::separator();
    return dir;
}
