#include "app/message_box.h"

#include "game/game_info.h"

#include <QIcon>
#include <QMessageBox>
#include <QPushButton>

void showGameMessage(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kGameTitle), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Ok)->setIcon(QIcon()); // a plain OK, as on every desktop
    box.exec();
}
