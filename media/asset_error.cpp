#include "media/asset_error.h"

#include "game/picture_error.h"

AssetError::AssetError(QString path, QString reason)
    : std::runtime_error((path + QStringLiteral(": ") + reason).toStdString())
    , m_path(std::move(path))
    , m_reason(std::move(reason))
{
}

QString AssetError::message() const
{
    return QString::fromStdString(pictureErrorText(m_path.toStdString(), m_reason.toStdString()));
}
