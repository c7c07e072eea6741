#pragma once

class QColor;
class QPushButton;

// Gives a push button a face filled flat with its own colour, inside a
// raised frame; pressed, or chosen if it is a choice, the frame sinks and
// the face darkens, so a press and a choice are plain to see.
void setFlatFace(QPushButton* button, const QColor& face);
