#pragma once

#include "audio_device.h"
#include "fom_controls.h"
#include "game_timer.h"
#include "message_box.h"
#include "round_state.h"
#include "sound_channel.h"
#include "story_script.h"

#include <QWidget>

#include <memory>
#include <span>
#include <vector>

class RandomSource;

// The window's three timers, as the window is created.
struct FomTimers {
    GameTimer Tim{500, true};        // the next prompt
    GameTimer Kestim{300, true};     // the end of a prompt's flash
    GameTimer BakSongTim{0, true};   // the music's restart; idle until start-up
};

// The game window. Its handlers carry the names of the events they answer;
// they are public so that tests can drive a round without a mouse or a clock.
class Fom : public QWidget {
    Q_OBJECT
public:
    // programDir: the folder the assets are read from (the program's own).
    Fom(RandomSource& random, ShowMessage showMessage, QString programDir, QWidget* parent = nullptr);
    ~Fom() override;

    void ComMe_Click();
    void BakSongTim_Timer();
    void Form_Unload();
    void Img_Click();
    void Form_Activate();
    void Form_Load();
    void ImgStt_Click();
    void Kestim_Timer();
    void Opt_Click(int index);
    void Com_MouseDown(int index);
    void Com_MouseUp(int index);
    void Tim_Timer();

    [[nodiscard]] const RoundState& state() const { return m_state; }
    [[nodiscard]] const FomControls& controls() const { return m_controls; }
    [[nodiscard]] const SoundChannel& channel(int index) const { return *MMC.at(index); }
    [[nodiscard]] int channelCount() const { return static_cast<int>(MMC.size()); }
    [[nodiscard]] const FomTimers& timers() const { return m_timers; }

    static constexpr QSize kClientSize{282, 381};

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void EndRound();
    void tell(std::span<const StoryStep> story);
    [[nodiscard]] QString assetPath(const QString& fileName) const;
    [[nodiscard]] QString captionOf(quint8 action) const;
    void showCounts();

    RandomSource& m_random;
    ShowMessage m_showMessage;
    QString m_programDir;
    RoundState m_state;
    bool m_activated = false;

    AudioDevice m_audio;
    FomControls m_controls;
    std::vector<std::unique_ptr<SoundChannel>> MMC;
    FomTimers m_timers;
    GameTimer& Tim = m_timers.Tim;
    GameTimer& Kestim = m_timers.Kestim;
    GameTimer& BakSongTim = m_timers.BakSongTim;
};
