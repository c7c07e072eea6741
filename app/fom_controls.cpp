#include "fom_controls.h"

#include "action_button.h"
#include "game_font.h"
#include "picture_box.h"

#include <QLabel>
#include <QPushButton>

namespace {

constexpr QColor kLightYellow{255, 255, 192};
constexpr QColor kWhite{255, 255, 255};

void setBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QPushButton* faceColour(QPushButton* button, const QColor& colour)
{
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, colour);
    button->setPalette(palette);
    return button;
}

struct LabelLook {
    Qt::Alignment horizontal;
    std::optional<QColor> background; // none: transparent
    std::optional<QColor> text;       // none: the platform's text colour
    double pointSize = 0;             // 0: the window font
    bool bordered = false;
};

QLabel* label(QWidget* window, const QString& caption, QRect geometry, const LabelLook& look)
{
    auto* result = new QLabel(caption, window);
    result->setTextFormat(Qt::PlainText);
    result->setGeometry(geometry);
    // Text hangs from the top edge; labels never centre vertically.
    result->setAlignment(look.horizontal | Qt::AlignTop);
    if (look.background)
        setBackground(result, *look.background);
    if (look.text) {
        QPalette palette = result->palette();
        palette.setColor(QPalette::WindowText, *look.text);
        result->setPalette(palette);
    }
    if (look.pointSize > 0)
        result->setFont(gameFont(look.pointSize));
    if (look.bordered) {
        result->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        result->setLineWidth(1);
    }
    return result;
}

PictureBox* picture(QWidget* window, QRect geometry, bool stretch, bool bordered)
{
    auto* result = new PictureBox(stretch, bordered, window);
    result->setGeometry(geometry);
    return result;
}

} // namespace

FomControls createFomControls(QWidget* window)
{
    FomControls c;
    // Created from the back to the front: a Qt widget created later is
    // drawn over its earlier siblings.
    c.Img = picture(window, {8, 8, 265, 265}, true, true);
    c.Lbl = label(window, QStringLiteral("人工呼吸"), {8, 120, 153, 25},
                  {Qt::AlignHCenter, kWhite, QColor(255, 0, 0), 14.25});
    c.Label1 = label(window, QStringLiteral("してあげて！"), {160, 120, 113, 25},
                     {Qt::AlignRight, kWhite, {}, 14.25});
    c.ImgStt = picture(window, {184, 24, 337, 249}, true, false);
    c.E.push_back(picture(window, {64, 144, 41, 49}, false, false));
    c.E[0]->hide();
    c.Label2 = label(window, QStringLiteral("終了するときは絵をクリックしてね"), {8, 360, 265, 17},
                     {Qt::AlignLeft, {}, {}});
    c.Label3 = label(window, QStringLiteral("助かる比率"), {8, 312, 89, 17}, {Qt::AlignLeft, {}, {}});
    c.Label4 = label(window, QStringLiteral("無理っぽいさ"), {96, 312, 89, 17}, {Qt::AlignLeft, {}, {}});
    c.OKLbl = label(window, QStringLiteral("OKLbl"), {8, 328, 89, 25},
                    {Qt::AlignRight, kWhite, {}, 12, true});
    c.missLbl = label(window, QStringLiteral("missLbl"), {96, 328, 89, 25},
                      {Qt::AlignRight, QColor(255, 192, 255), {}, 12, true});

    // Buttons lie over every label and picture, the title picture included.
    const std::array<QString, 3> actions{QStringLiteral("人工呼吸"), QStringLiteral("心臓マッサージ"),
                                         QStringLiteral("呼びかけ")};
    const std::array<QColor, 3> faces{QColor(255, 224, 192), QColor(192, 255, 192), QColor(192, 192, 255)};
    for (int k = 0; k < 3; ++k) {
        c.Com[k] = new ActionButton(actions[k], window);
        c.Com[k]->setGeometry(8 + 88 * k, 280, 89, 25);
        faceColour(c.Com[k], faces[k]);
    }
    c.ComMe = faceColour(new QPushButton(QStringLiteral("ポコリ情報"), window), QColor(192, 255, 255));
    c.ComMe->setGeometry(192, 304, 81, 25);
    const std::array<QString, 2> difficulties{QStringLiteral("難易度：軽め"), QStringLiteral("難易度：重め")};
    for (int i = 0; i < 2; ++i) {
        c.Opt[i] = faceColour(new QPushButton(difficulties[i], window), kLightYellow);
        c.Opt[i]->setGeometry(192, 328 + 24 * i, 81, 25);
        c.Opt[i]->setCheckable(true);
        c.Opt[i]->setAutoExclusive(true); // one group: siblings that are checkable and exclusive
    }
    c.Opt[0]->setChecked(true);

    QWidget::setTabOrder(c.Com[0], c.Com[1]);
    QWidget::setTabOrder(c.Com[1], c.Com[2]);
    QWidget::setTabOrder(c.Com[2], c.ComMe);
    QWidget::setTabOrder(c.ComMe, c.Opt[0]);
    QWidget::setTabOrder(c.Opt[0], c.Opt[1]);
    return c;
}

PictureBox* addPictureBankElement(FomControls& controls, QWidget* window)
{
    const PictureBox* first = controls.E.front();
    auto* element = picture(window, first->geometry(), first->stretches(), first->bordered());
    element->hide();
    element->stackUnder(controls.E.back()); // stays with the pictures, beneath the buttons
    controls.E.push_back(element);
    return element;
}
