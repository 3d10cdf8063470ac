// A check of an installation without a window on screen: the program starts as usual, opens the
// configuration given on its command line, presses both report buttons and prints what they
// rendered. Used by the package test and documented in the manual page; the normal start never
// comes here.
#pragma once

#include <QString>

class TMainForm;

// Writes to standard output, for each report button, a line "== <caption>: <definition path>"
// and the rendered report, and "message: <text>" for every message box that came up (each is
// answered at once). Gives 0 when the configuration (if any) opened, both reports rendered and
// no message box appeared, 1 otherwise.
int CheckReports(TMainForm& form, const QString& configuration);
