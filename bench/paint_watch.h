#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Reports each time a widget has finished painting, with the steady clock
// (ns) at that moment. The paint is carried out inside the watch, so the
// time includes the widget's own drawing.
class PaintWatch : public QObject {
    Q_OBJECT
public:
    using Painted = std::function<void(qint64 ns)>;
    PaintWatch(QWidget* widget, Painted painted);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Painted m_painted;
    bool m_painting = false;
};
