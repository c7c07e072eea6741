#include "app/button_face.h"

#include <QColor>
#include <QPushButton>

namespace {

// Darker by this factor when sunk: plain to see, the colour still its own.
constexpr int kSunkDarkness = 125;

} // namespace

void setFlatFace(QPushButton* button, const QColor& face)
{
    // A style sheet on the button alone: message boxes keep the desktop's
    // look. The caption is black on every face in every state, whatever the
    // desktop's palette: a style sheet would otherwise take the desktop's
    // button text colour, white on a dark theme. The frame is dark enough to
    // stand out on the light window; its shadow falls below and right when
    // raised, above and left when sunk, and the caption moves with the face.
    const QString raised = face.name();
    const QString sunk = face.darker(kSunkDarkness).name();
    button->setStyleSheet(
        QStringLiteral("QPushButton { color: black; background-color: %1; border: 1px solid #808080;"
                       " border-right-color: #404040; border-bottom-color: #404040; }"
                       "QPushButton:pressed, QPushButton:checked { background-color: %2; border-color: #404040;"
                       " border-right-color: #808080; border-bottom-color: #808080; padding: 2px 0 0 2px; }"
                       "QPushButton:focus { border-width: 2px; }")
            .arg(raised, sunk));
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, face);
    button->setPalette(palette);
}
