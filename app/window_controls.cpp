#include "app/window_controls.h"

#include "app/action_button.h"
#include "app/button_face.h"
#include "app/game_font.h"
#include "app/picture_box.h"

#include <QLabel>
#include <QPushButton>

#include <optional>

namespace {

constexpr QColor kWhite{255, 255, 255};
constexpr std::array<const char*, kActionCount> kActionCaptions{"人工呼吸", "心臓マッサージ", "呼びかけ"};
constexpr std::array<QColor, kActionCount> kActionFaces{QColor(255, 224, 192), QColor(192, 255, 192),
                                                        QColor(192, 192, 255)};
constexpr std::array<const char*, kPaces.size()> kPaceCaptions{"難易度：軽め", "難易度：重め"};
constexpr double kPromptPoints = 14.25;
constexpr double kCountPoints = 12;

struct LabelLook {
    Qt::Alignment horizontal;
    std::optional<QColor> background; // none: transparent
    std::optional<QColor> text; // none: the platform's text colour
    double pointSize = 0; // 0: the window font
    bool bordered = false;
};

QLabel* label(QWidget* window, const QString& caption, QRect geometry, const LabelLook& look)
{
    auto* result = new QLabel(caption, window);
    result->setTextFormat(Qt::PlainText);
    result->setGeometry(geometry);
    // Text hangs from the top edge; labels never centre vertically.
    result->setAlignment(look.horizontal | Qt::AlignTop);
    QPalette palette = result->palette();
    if (look.background) {
        palette.setColor(QPalette::Window, *look.background);
        result->setAutoFillBackground(true);
    }
    if (look.text)
        palette.setColor(QPalette::WindowText, *look.text);
    result->setPalette(palette);
    if (look.pointSize > 0)
        result->setFont(gameFont(look.pointSize));
    if (look.bordered) {
        result->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        result->setLineWidth(1);
    }
    return result;
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

// What a screen reader says of each control besides its caption. The
// pictures and the counts have no caption of their own.
void describeForScreenReaders(const WindowControls& c)
{
    c.titlePicture->setAccessibleName(QStringLiteral("タイトル画面"));
    c.titlePicture->setAccessibleDescription(QStringLiteral("クリックすると救出劇が始まります"));
    c.scenePicture->setAccessibleName(QStringLiteral("救出の場面"));
    c.scenePicture->setAccessibleDescription(
        QStringLiteral("クリックするとタイトル画面に戻ります。救出の途中でも戻ります"));
    c.hitCountLabel->setAccessibleDescription(QStringLiteral("指示どおりのボタンを押した回数"));
    c.missCountLabel->setAccessibleDescription(QStringLiteral("指示と違うボタンを押した回数"));
    for (ActionButton* button : c.actionButtons)
        button->setAccessibleDescription(
            QStringLiteral("マウスで押すと、この動作をします。指示どおりなら助かる比率が上がります"));
    c.aboutButton->setAccessibleDescription(QStringLiteral("バージョンと制作者を表示します"));
    for (std::size_t i = 0; i < kPaces.size(); ++i) {
        const Pace pace = kPaces[i];
        const auto seconds = [](int ms) { return QString::number(ms / 1000.0, 'f', 1); };
        c.paceButtons[i]->setAccessibleDescription(
            QStringLiteral("指示の間隔 %1～%2秒").arg(seconds(pace.baseMs), seconds(pace.baseMs + pace.spreadMs)));
    }
}

} // namespace

WindowControls createWindowControls(QWidget* window)
{
    WindowControls c;
    // Created from the back to the front: a Qt widget created later is
    // drawn over its earlier siblings.
    c.scenePicture = new PictureBox(PictureBox::Border::Sunken, window);
    c.scenePicture->setGeometry(8, 8, 265, 265);
    c.promptLabel = label(window, actionCaption(0), {8, 120, 153, 25},
                          {Qt::AlignHCenter, kWhite, QColor(255, 0, 0), kPromptPoints});
    c.promptSuffixLabel = label(window, QStringLiteral("してあげて！"), {160, 120, 113, 25},
                                {Qt::AlignRight, kWhite, {}, kPromptPoints});
    c.titlePicture = new PictureBox(PictureBox::Border::None, window);
    c.titlePicture->setGeometry(184, 24, 337, 249);
    c.quitHint
        = label(window, QStringLiteral("終了するときは絵をクリックしてね"), {8, 360, 265, 17}, {Qt::AlignLeft, {}, {}});
    c.hitCaption = label(window, QStringLiteral("助かる比率"), {8, 312, 89, 17}, {Qt::AlignLeft, {}, {}});
    c.missCaption = label(window, QStringLiteral("無理っぽいさ"), {96, 312, 89, 17}, {Qt::AlignLeft, {}, {}});
    // Their first captions are replaced by the counts before anyone sees them.
    c.hitCountLabel
        = label(window, QStringLiteral("OKLbl"), {8, 328, 89, 25}, {Qt::AlignRight, kWhite, {}, kCountPoints, true});
    c.missCountLabel = label(window, QStringLiteral("missLbl"), {96, 328, 89, 25},
                             {Qt::AlignRight, QColor(255, 192, 255), {}, kCountPoints, true});

    // Buttons lie over every label and picture, the title picture included.
    for (int k = 0; k < kActionCount; ++k) {
        c.actionButtons[k] = new ActionButton(actionCaption(k), window);
        c.actionButtons[k]->setGeometry(8 + 88 * k, 280, 89, 25);
        setFlatFace(c.actionButtons[k], kActionFaces[k]);
    }
    c.aboutButton = new QPushButton(QStringLiteral("ポコリ情報"), window);
    c.aboutButton->setGeometry(192, 304, 81, 25);
    setFlatFace(c.aboutButton, QColor(192, 255, 255));
    for (int i = 0; i < int(kPaces.size()); ++i) {
        c.paceButtons[i] = new QPushButton(QString::fromUtf8(kPaceCaptions[i]), window);
        c.paceButtons[i]->setGeometry(192, 328 + 24 * i, 81, 25);
        setFlatFace(c.paceButtons[i], QColor(255, 255, 192));
    }
    makeOptionGroup(c.paceButtons);
    describeForScreenReaders(c);
    return c;
}

QString actionCaption(int action)
{
    return QString::fromUtf8(kActionCaptions.at(action));
}

void showPromptCaption(const WindowControls& c, int action)
{
    c.promptLabel->setText(actionCaption(action));
    c.promptLabel->setAccessibleName(c.promptLabel->text() + QLatin1Char(' ') + c.promptSuffixLabel->text());
}

void showCount(QLabel* count, const QLabel* caption, std::int64_t value)
{
    count->setText(QString::number(value));
    count->setAccessibleName(caption->text() + QLatin1Char(' ') + count->text());
}
