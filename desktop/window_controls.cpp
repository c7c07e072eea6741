#include "desktop/window_controls.h"

#include "desktop/action_button.h"
#include "desktop/game_font.h"
#include "desktop/picture_box.h"
#include "game/game.h"

#include <QLabel>
#include <QPushButton>

namespace {

QLabel* label(QWidget* window, const ControlLook& look)
{
    auto* result = new QLabel(toQString(look.caption), window);
    result->setTextFormat(Qt::PlainText);
    // Text hangs from the top edge; labels never centre vertically.
    const Qt::Alignment horizontal = look.align == Align::Left ? Qt::AlignLeft
        : look.align == Align::Right                           ? Qt::AlignRight
                                                               : Qt::AlignHCenter;
    result->setAlignment(horizontal | Qt::AlignTop);
    QPalette palette = result->palette();
    if (look.faceColour) {
        palette.setColor(QPalette::Window, toQColor(*look.faceColour));
        result->setAutoFillBackground(true);
    }
    if (look.textColour)
        palette.setColor(QPalette::WindowText, toQColor(*look.textColour));
    result->setPalette(palette);
    if (look.sunkenFrame) {
        result->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        result->setLineWidth(1);
    }
    return result;
}

// A push button's face filled flat with its own colour inside a raised
// frame; pressed, or chosen if it is a choice, the frame sinks and the face
// darkens, so a press and a choice are plain to see.
void setFlatFace(QPushButton* button, Rgb face)
{
    // A style sheet on the button alone: message boxes keep the desktop's
    // look. The caption is black on every face in every state, whatever the
    // desktop's palette: a style sheet would otherwise take the desktop's
    // button text colour, white on a dark theme. The caption moves with the
    // face when it sinks.
    const auto name = [](Rgb rgb) { return toQColor(rgb).name(); };
    button->setStyleSheet(
        QStringLiteral("QPushButton { color: %1; background-color: %2; border: 1px solid %4;"
                       " border-right-color: %5; border-bottom-color: %5; }"
                       "QPushButton:pressed, QPushButton:checked { background-color: %3; border-color: %5;"
                       " border-right-color: %4; border-bottom-color: %4; padding: 2px 0 0 2px; }"
                       "QPushButton:focus { border-width: 2px; }")
            .arg(name(kTextColour), name(face), name(pressedFace(face)), name(kButtonEdge), name(kButtonShadow)));
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, toQColor(face));
    button->setPalette(palette);
}

QPushButton* withFlatFace(QPushButton* button, const ControlLook& look)
{
    setFlatFace(button, *look.faceColour);
    return button;
}

// Each kind of control, telling the game what the player does with it.
QWidget* create(QWidget* window, const ControlLook& look, Control control, Game& game)
{
    switch (look.kind) {
    case ControlKind::Picture: {
        auto* picture
            = new PictureBox(look.sunkenFrame ? PictureBox::Border::Sunken : PictureBox::Border::None, window);
        QObject::connect(picture, &PictureBox::clicked, window, [&game, control] { game.click(control); });
        return picture;
    }
    case ControlKind::Label:
        return label(window, look);
    case ControlKind::ActionButton: {
        auto* button = new ActionButton(toQString(look.caption), window);
        QObject::connect(button, &ActionButton::mouseDown, window, [&game, control] { game.press(control); });
        QObject::connect(button, &ActionButton::mouseUp, window, [&game, control] { game.release(control); });
        return withFlatFace(button, look);
    }
    case ControlKind::Button: {
        auto* button = new QPushButton(toQString(look.caption), window);
        QObject::connect(button, &QPushButton::clicked, window, [&game, control] { game.click(control); });
        return withFlatFace(button, look);
    }
    case ControlKind::PaceButton: {
        // Windows' option buttons: checkable siblings that are auto-exclusive
        // form one group, which Qt's Tab enters once, at the chosen button,
        // and in which the arrow keys move the choice. Choosing the one
        // already chosen toggles nothing, and tells the game nothing.
        auto* button = new QPushButton(toQString(look.caption), window);
        button->setCheckable(true);
        button->setAutoExclusive(true);
        button->setChecked(look.startsChosen);
        QObject::connect(button, &QPushButton::toggled, window, [&game, control](bool chosen) {
            if (chosen)
                game.choose(control);
        });
        return withFlatFace(button, look);
    }
    }
    return nullptr;
}

} // namespace

WindowControls createWindowControls(QWidget* window, Game& game)
{
    WindowControls controls;
    const auto layout = windowLayout();
    for (std::size_t i = 0; i < layout.size(); ++i) {
        const ControlLook& look = layout[i];
        QWidget* widget = create(window, look, static_cast<Control>(i), game);
        const Bounds& b = look.bounds;
        widget->setGeometry(b.x, b.y, b.width, b.height);
        if (look.pointSize > 0)
            widget->setFont(gameFont(look.pointSize));
        if (!look.spokenName.empty())
            widget->setAccessibleName(toQString(look.spokenName));
        widget->setAccessibleDescription(toQString(look.description));
        controls.all[i] = widget;
    }
    return controls;
}
