#pragma once

#include <QFrame>
#include <QPixmap>

// A picture control: shows a bitmap, stretched to its own size or at its
// natural size, optionally inside a thin sunken border, and reports a click
// of the left mouse button.
class PictureBox : public QFrame {
    Q_OBJECT
public:
    PictureBox(bool stretch, bool bordered, QWidget* parent);

    void setPixmap(const QPixmap& pixmap);
    [[nodiscard]] const QPixmap& pixmap() const { return m_pixmap; }
    [[nodiscard]] bool stretches() const { return m_stretch; }
    [[nodiscard]] bool bordered() const { return frameShape() != QFrame::NoFrame; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap m_pixmap;
    bool m_stretch;
    bool m_pressed = false;
};
