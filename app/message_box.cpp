#include "message_box.h"

#include <QMessageBox>

void showGameMessage(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, kGameTitle, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
