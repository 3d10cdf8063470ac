// The success chance of an overcharged item on a badge of its meaning's colour: green from 85,
// yellow from 60, red below and for an impossible overcharge. The coloured text of old was
// unreadable where its colour is close to the window's (yellow on a light window, green on a
// dark one); on a badge the text is black or white, whichever stands out more, so it reads the
// same on any palette while the colours keep their meaning.
#pragma once

#include <QColor>

#include "model/Imbue.h"

class QLabel;

// The colour of a chance's meaning; invalid for the window's own text colour.
QColor ChanceBadgeColour(gw::ChanceColour colour);

// Black or white, whichever contrasts more with `background`.
QColor ReadableTextOn(const QColor& background);

// Shows `label` (a figure that fills its own background) as a badge of the chance's colour, or
// with the colours of the window around it for WindowText. Touches the palette only on a change.
void ShowChance(QLabel* label, gw::ChanceColour colour);
