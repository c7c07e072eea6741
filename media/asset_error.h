#pragma once

#include <QString>

#include <stdexcept>

// A picture the game cannot do without could not be read. Raised where the
// file is loaded and reported once, where events are dispatched.
class AssetError : public std::runtime_error {
public:
    AssetError(QString path, QString reason);

    [[nodiscard]] const QString& path() const { return m_path; }
    [[nodiscard]] const QString& reason() const { return m_reason; }
    // The text for the error box and stderr: the file, then why.
    [[nodiscard]] QString message() const;

private:
    QString m_path;
    QString m_reason;
};
