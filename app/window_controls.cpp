#include "app/window_controls.h"

#include "app/action_button.h"
#include "app/game_font.h"
#include "app/picture_box.h"

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
    if (look.face) {
        palette.setColor(QPalette::Window, toQColor(*look.face));
        result->setAutoFillBackground(true);
    }
    if (look.text)
        palette.setColor(QPalette::WindowText, toQColor(*look.text));
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

// Windows' option buttons: checkable siblings that are auto-exclusive form
// one group, which Qt's Tab enters once, at the chosen button, and in which
// the arrow keys move the choice.
void makeOptionGroup(const std::array<QPushButton*, kPaces.size()>& buttons)
{
    for (QPushButton* button : buttons) {
        button->setCheckable(true);
        button->setAutoExclusive(true);
    }
    buttons.front()->setChecked(true);
}

QWidget* create(QWidget* window, const ControlLook& look)
{
    switch (look.kind) {
    case ControlKind::Picture:
        return new PictureBox(look.sunkenFrame ? PictureBox::Border::Sunken : PictureBox::Border::None, window);
    case ControlKind::Label:
        return label(window, look);
    case ControlKind::ActionButton:
    case ControlKind::Button:
    case ControlKind::PaceButton: {
        QPushButton* button = look.kind == ControlKind::ActionButton ? new ActionButton(toQString(look.caption), window)
                                                                     : new QPushButton(toQString(look.caption), window);
        setFlatFace(button, *look.face);
        return button;
    }
    }
    return nullptr;
}

} // namespace

WindowControls createWindowControls(QWidget* window)
{
    WindowControls c;
    const auto layout = windowLayout();
    for (std::size_t i = 0; i < layout.size(); ++i) {
        const ControlLook& look = layout[i];
        QWidget* widget = create(window, look);
        widget->setGeometry(look.x, look.y, look.width, look.height);
        if (look.points > 0)
            widget->setFont(gameFont(look.points));
        if (!look.spokenName.empty())
            widget->setAccessibleName(toQString(look.spokenName));
        widget->setAccessibleDescription(toQString(look.description));
        c.all[i] = widget;
    }
    using enum Control;
    c.scenePicture = static_cast<PictureBox*>(c[ScenePicture]);
    c.titlePicture = static_cast<PictureBox*>(c[TitlePicture]);
    c.promptLabel = static_cast<QLabel*>(c[PromptLabel]);
    c.promptSuffixLabel = static_cast<QLabel*>(c[PromptSuffix]);
    c.hitCountLabel = static_cast<QLabel*>(c[HitCount]);
    c.missCountLabel = static_cast<QLabel*>(c[MissCount]);
    c.hitCaption = static_cast<QLabel*>(c[HitCaption]);
    c.missCaption = static_cast<QLabel*>(c[MissCaption]);
    c.quitHint = static_cast<QLabel*>(c[QuitHint]);
    for (int k = 0; k < kActionCount; ++k)
        c.actionButtons[k] = static_cast<ActionButton*>(c[actionButton(k)]);
    c.aboutButton = static_cast<QPushButton*>(c[AboutButton]);
    for (int i = 0; i < int(kPaces.size()); ++i)
        c.paceButtons[i] = static_cast<QPushButton*>(c[paceButton(i)]);
    makeOptionGroup(c.paceButtons);
    return c;
}
