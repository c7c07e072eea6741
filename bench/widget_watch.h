#pragma once

#include <QEvent>
#include <QObject>

#include <functional>

class QWidget;

// Reports each paint, show and hide of a widget with the steady clock (ns)
// at that moment. A paint is carried out inside the watch and reported once
// done, so its time includes the widget's own drawing.
class WidgetWatch : public QObject {
    Q_OBJECT
public:
    using Seen = std::function<void(QEvent::Type type, qint64 ns)>;
    WidgetWatch(QWidget* widget, Seen seen);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Seen m_seen;
    bool m_painting = false;
};
