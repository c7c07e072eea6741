#pragma once

#include "message_box.h"
#include "random_source.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <memory>

class Fom;
class QPixmap;

// The colour at the centre of a picture; invalid for no picture.
[[nodiscard]] QColor centreColour(const QPixmap& pixmap);

// Hands out the draws a test scripts, then 0.5 for ever after.
class ScriptedRandom final : public RandomSource {
public:
    void seedFromClock() override { ++seeds; }
    [[nodiscard]] float draw() override;
    void script(std::initializer_list<float> draws) { m_draws.insert(m_draws.end(), draws); }
    [[nodiscard]] int drawsLeft() const { return static_cast<int>(m_draws.size()); }

    int seeds = 0;
    int drawsTaken = 0;

private:
    std::deque<float> m_draws;
};

// A folder holding the 23 files the game reads: each picture a small BMP of
// one colour of its own, each sound a short WAV, the music lasting
// musicMs. Tests then spoil single files.
class TestAssets {
public:
    explicit TestAssets(int musicMs = 1000);

    [[nodiscard]] QString dir() const { return m_dir.path(); }
    [[nodiscard]] QString path(const QString& fileName) const { return m_dir.filePath(fileName); }
    // The colour a picture file was made with, to tell pictures apart.
    [[nodiscard]] static QColor colourOf(const QString& fileName);

    void writePicture(const QString& fileName, QColor colour) const;
    void writeWave(const QString& fileName, int ms) const;
    void remove(const QString& fileName) const;

    static const QStringList kPictures;
    static const QStringList kSounds;

private:
    QTemporaryDir m_dir;
};

// What a test window's message boxes were asked to show, and what the scene
// picture showed when each box opened.
struct MessageLog {
    QStringList texts;
    QList<QColor> sceneColours;
};

// A draw that yields the given action.
[[nodiscard]] constexpr float drawFor(int action)
{
    return (float(action) + 0.5f) / 3.0f;
}

// A window over test assets, loaded, shown and so reset, with every message
// box recorded instead of shown.
struct TestGame {
    explicit TestGame(int musicMs = 1000);
    ~TestGame();

    void load();            // Form_Load, then show (which resets the round)
    void startRound();      // the player clicks the title picture
    void press(int action, int times); // Com(action) down and up, times over
    // Runs ticks 1 to 29, each prompting an action other than the last.
    void tickToTheLastPrompt();
    [[nodiscard]] QColor sceneColour() const; // colour at the centre of Img

    TestAssets assets;
    ScriptedRandom random;
    MessageLog messages;
    std::unique_ptr<Fom> fom;
};
