// The frame of the character panel's group boxes. The standard look draws it from a scaled
// picture, which costs a fraction of a millisecond each time a group repaints; drawn as a plain
// rounded outline it is cheap, and its inside is the window's own colour, so the figures inside
// can paint their own background and repaint alone.
#pragma once

class QGroupBox;

// Gives the group box the plain frame when the application uses the style it imitates, and
// leaves it alone otherwise.
void UsePlainGroupFrame(QGroupBox* box);
