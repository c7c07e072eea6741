#include "fom.h"

#include "action_button.h"
#include "asset_dir.h"
#include "bitmap_loader.h"
#include "difficulty.h"
#include "draws.h"
#include "game_font.h"
#include "picture_box.h"
#include "random_source.h"

#include <QLabel>
#include <QPushButton>

#include <limits>

namespace {

constexpr QColor kWindowColour{255, 255, 192};
constexpr int kWindowFontPoints = 9;
// The title picture is stretched over the whole window, frame and title bar
// included, and clipped to the client area. The frame is taken as that of a
// fixed-border window on the desktop the game was made for, so the title
// picture looks the same under every window manager.
constexpr QSize kFrameExtra{6, 25};
constexpr int kMusicChannel = 0;
constexpr int kChannelCount = AudioDevice::kChannels;
constexpr int kPictureBankSize = 4;

} // namespace

Fom::Fom(RandomSource& random, ShowMessage showMessage, QString programDir, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                          | Qt::MSWindowsFixedSizeDialogHint)
    , m_random(random)
    , m_showMessage(std::move(showMessage))
    , m_programDir(std::move(programDir))
{
    setWindowTitle(kGameTitle);
    setFixedSize(kClientSize);
    setFont(gameFont(kWindowFontPoints));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kWindowColour);
    setPalette(palette);
    setAutoFillBackground(true);

    m_controls = createFomControls(this);
    MMC.push_back(std::make_unique<SoundChannel>(0));

    connect(m_controls.ComMe, &QPushButton::clicked, this, &Fom::ComMe_Click);
    connect(m_controls.Img, &PictureBox::clicked, this, &Fom::Img_Click);
    connect(m_controls.ImgStt, &PictureBox::clicked, this, &Fom::ImgStt_Click);
    for (int i = 0; i < 2; ++i) {
        connect(m_controls.Opt[i], &QPushButton::toggled, this, [this, i](bool checked) {
            if (checked)
                Opt_Click(i);
        });
    }
    for (int k = 0; k < 3; ++k) {
        connect(m_controls.Com[k], &ActionButton::mouseDown, this, [this, k] { Com_MouseDown(k); });
        connect(m_controls.Com[k], &ActionButton::mouseUp, this, [this, k] { Com_MouseUp(k); });
    }
    connect(&Tim, &GameTimer::tick, this, &Fom::Tim_Timer);
    connect(&Kestim, &GameTimer::tick, this, &Fom::Kestim_Timer);
    connect(&BakSongTim, &GameTimer::tick, this, &Fom::BakSongTim_Timer);
}

Fom::~Fom() = default;

void Fom::ComMe_Click()
{
    const QString about = QStringLiteral("ポコリ救出劇：Ver1.0.1") + QStringLiteral("\r\n")
        + QStringLiteral("制作：ポコリー救出劇 開発チーム");
    m_showMessage(this, about);
}

void Fom::BakSongTim_Timer()
{
    MMC[kMusicChannel]->restart();
}

void Fom::Form_Unload()
{
    for (const auto& channel : MMC) {
        channel->command(u"stop");
        channel->command(u"close");
    }
    // The program ends with its only window: Qt leaves the event loop once
    // the last window has closed.
}

void Fom::Img_Click()
{
    Form_Activate();
}

void Fom::Form_Activate()
{
    RoundState& s = m_state;
    s.CurrentAction = actionFromDraw(m_random.draw());
    m_controls.Lbl->setText(captionOf(s.CurrentAction));
    s.PromptCount = 0;
    s.HitCount = 0;
    s.MissCount = 0;
    Tim.setInterval(gapFromDraw(m_random.draw(), s.BaseInterval, s.IntervalSpread));
    m_controls.ImgStt->show();
    m_controls.Label1->hide();
    m_controls.Label2->hide();
    m_controls.Label3->hide();
    m_controls.Label4->hide();
    m_controls.OKLbl->hide();
    m_controls.OKLbl->setText(QString::number(s.HitCount));
    m_controls.missLbl->hide();
    m_controls.missLbl->setText(QString::number(s.MissCount));
    m_controls.Lbl->hide();
    for (ActionButton* button : m_controls.Com)
        button->hide();
    Tim.setEnabled(false);
}

void Fom::Form_Load()
{
    m_random.seedFromClock();
    m_state.AssetDir = assetDirFor(m_programDir);

    PictureBox* title = m_controls.ImgStt;
    title->setPixmap(loadBitmap(assetPath(QStringLiteral("stt.bmp"))));
    const QSize outer = size() + kFrameExtra;
    title->setGeometry(0, 0, outer.width(), outer.height());

    while (m_controls.E.size() < kPictureBankSize)
        addPictureBankElement(m_controls, this);
    for (int i = 0; i < kPictureBankSize; ++i)
        m_controls.E[i]->setPixmap(loadBitmap(assetPath(QString::number(i) + QStringLiteral(".bmp"))));

    for (int i = 1; i < kChannelCount; ++i)
        MMC.push_back(std::make_unique<SoundChannel>(i));
    for (int i = 0; i < kChannelCount; ++i) {
        MMC[i]->setFileName(assetPath(QString::number(i) + QStringLiteral(".wav")));
        MMC[i]->command(u"open");
    }

    // Any length loops: a long music file only makes a long period.
    const qint64 length = MMC[kMusicChannel]->length();
    const int period = static_cast<int>(std::min<qint64>(length, std::numeric_limits<int>::max()));
    MMC[kMusicChannel]->command(u"play");
    BakSongTim.setInterval(period);

    m_controls.Opt[0]->setChecked(true);
    m_state.IntervalSpread = kLightDifficulty.IntervalSpread;
    m_state.BaseInterval = kLightDifficulty.BaseInterval;
}

void Fom::ImgStt_Click()
{
    m_controls.ImgStt->hide();
    tell(introScript());
    m_controls.Img->setPixmap(m_controls.E[0]->pixmap());
    m_controls.Label1->show();
    m_controls.Label2->show();
    m_controls.Label3->show();
    m_controls.Label4->show();
    Tim.setEnabled(true);
    m_controls.OKLbl->show();
    m_controls.missLbl->show();
    m_controls.Lbl->show();
    Kestim.setEnabled(true);
    for (ActionButton* button : m_controls.Com)
        button->show();
}

void Fom::Kestim_Timer()
{
    m_controls.Label1->hide();
    m_controls.Lbl->hide();
    Kestim.setEnabled(false);
}

void Fom::Opt_Click(int index)
{
    const Difficulty* chosen = index == 0 ? &kLightDifficulty : index == 1 ? &kHeavyDifficulty : nullptr;
    if (!chosen)
        return;
    m_state.IntervalSpread = chosen->IntervalSpread;
    m_state.BaseInterval = chosen->BaseInterval;
}

void Fom::Com_MouseDown(int index)
{
    MMC.at(index + 1)->restart();
    m_controls.Img->setPixmap(m_controls.E.at(index + 1)->pixmap());
    if (index == m_state.CurrentAction)
        ++m_state.HitCount;
    else
        ++m_state.MissCount;
    showCounts();
}

void Fom::Com_MouseUp(int /*index*/)
{
    m_controls.Img->setPixmap(m_controls.E[0]->pixmap());
}

void Fom::Tim_Timer()
{
    RoundState& s = m_state;
    ++s.PromptCount;
    if (s.PromptCount >= kTicksPerRound) {
        EndRound();
        return;
    }
    Tim.setInterval(gapFromDraw(m_random.draw(), s.BaseInterval, s.IntervalSpread));
    s.CurrentAction = drawNextAction(m_random, s.CurrentAction);
    m_controls.Lbl->setText(captionOf(s.CurrentAction));
    m_controls.Label1->show();
    m_controls.Lbl->show();
    Kestim.setEnabled(true);
}

void Fom::EndRound()
{
    m_controls.Lbl->hide();
    Tim.setEnabled(false);
    for (ActionButton* button : m_controls.Com)
        button->hide();
    tell(endingScript(chooseEnding(m_state.HitCount, m_state.MissCount)));
}

void Fom::tell(std::span<const StoryStep> story)
{
    for (const StoryStep& step : story) {
        switch (step.kind) {
        case StoryStep::Kind::Show:
            m_controls.Img->setPixmap(loadBitmap(assetPath(QString::fromUtf8(step.text))));
            break;
        case StoryStep::Kind::Message:
            m_showMessage(this, QString::fromUtf8(step.text));
            break;
        case StoryStep::Kind::Sound:
            MMC.at(step.channel)->restart();
            break;
        }
    }
}

QString Fom::assetPath(const QString& fileName) const
{
    return m_state.AssetDir + fileName;
}

QString Fom::captionOf(quint8 action) const
{
    return m_controls.Com.at(action)->text();
}

void Fom::showCounts()
{
    m_controls.OKLbl->setText(QString::number(m_state.HitCount));
    m_controls.missLbl->setText(QString::number(m_state.MissCount));
}

void Fom::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The round is reset once, when the window first appears; coming back
    // from a message box or another program is not a new round.
    if (!m_activated) {
        m_activated = true;
        Form_Activate();
    }
}

void Fom::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    QWidget::closeEvent(event);
}
