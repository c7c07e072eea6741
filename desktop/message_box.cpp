#include "desktop/message_box.h"

#include "game/game_info.h"

#include <QGuiApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>

namespace {

void showBox(QMessageBox::Icon icon, QWidget* parent, const QString& text)
{
    QMessageBox box(icon, QString::fromUtf8(kGameTitle), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Ok)->setIcon(QIcon()); // a plain OK, as on every desktop
    box.exec();
}

} // namespace

void showGameMessage(QWidget* parent, const QString& text)
{
    showBox(QMessageBox::NoIcon, parent, text);
}

void showErrorBox(QWidget* parent, const QString& text)
{
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal"))
        showBox(QMessageBox::Critical, parent, text);
}
