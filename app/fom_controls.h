#pragma once

#include <array>
#include <vector>

class ActionButton;
class PictureBox;
class QLabel;
class QPushButton;
class QWidget;

// Every control of the game window, by the names the game gives them.
// The window owns them all (Qt parent); these are non-owning handles.
struct FomControls {
    std::array<ActionButton*, 3> Com{};
    QPushButton* ComMe = nullptr;
    // The difficulty choice, drawn as a pair of toggle buttons so that both
    // captions fit; exactly one is down.
    std::array<QPushButton*, 2> Opt{};
    QLabel* Lbl = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* OKLbl = nullptr;
    QLabel* missLbl = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label2 = nullptr;
    PictureBox* Img = nullptr;
    PictureBox* ImgStt = nullptr;
    std::vector<PictureBox*> E; // the picture bank; only E(0) at creation
};

// Creates the controls on the window at their places, with their captions,
// colours, fonts and stacking: every label and picture lies beneath every
// button, and within each group later controls cover earlier ones.
[[nodiscard]] FomControls createFomControls(QWidget* window);

// Adds the next element of the picture bank E, a hidden copy of E(0).
PictureBox* addPictureBankElement(FomControls& controls, QWidget* window);
