#pragma once

#include <QFrame>
#include <QPixmap>

// A picture control: shows a bitmap stretched to its own size, optionally
// inside a thin sunken border, and reports a click of the left mouse button.
// A double-click is one click: its second half is ignored.
class PictureBox : public QFrame {
    Q_OBJECT
public:
    enum class Border { None, Sunken };
    PictureBox(Border border, QWidget* parent);

    void setPixmap(const QPixmap& pixmap);
    [[nodiscard]] const QPixmap& pixmap() const { return m_pixmap; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QPixmap m_pixmap;
    bool m_pressed = false;
};
