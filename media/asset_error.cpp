#include "media/asset_error.h"

AssetError::AssetError(QString path, QString reason)
    : std::runtime_error((path + QStringLiteral(": ") + reason).toStdString())
    , m_path(std::move(path))
    , m_reason(std::move(reason))
{
}

QString AssetError::message() const
{
    return QStringLiteral("画像ファイルを読み込めません。\n%1\n%2").arg(m_path, m_reason);
}
