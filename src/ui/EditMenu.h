// The Edit menu of the undo stack and the desktop's standard keys beside the designed ones.
#pragma once

#include <QKeySequence>

class QAction;
class QMenu;
class QMenuBar;
class QUndoStack;
class QWidget;

struct EditMenu {
    QMenu* menu = nullptr;   // "Edit1"
    QAction* undo = nullptr; // "Undo1"
    QAction* redo = nullptr; // "Redo1"
};

// Puts an Edit menu right after the bar's first menu (File), where desktops put it, with Undo and
// Redo following `stack`. Their texts name the step only when the menu opens, so that an edit
// never waits for a menu it does not show.
EditMenu BuildEditMenu(QMenuBar* bar, QUndoStack* stack, QWidget* parent);

// Keeps the action's designed short cut first, then adds the desktop's standard keys for the same
// command, or `usual` where the desktop names none.
void AddStandardKeys(QAction* action, QKeySequence::StandardKey standard, const QKeySequence& usual);
