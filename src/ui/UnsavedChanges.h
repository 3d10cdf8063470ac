// The one question asked before a modified plan is replaced or closed.
#pragma once

#include <functional>

#include <QString>

class QWidget;

// Gives true when the command may go on: the plan is not modified, the player chose Discard, or
// chose Save and `save` reports that the plan was written. Cancel, and a save that fails or is
// cancelled, give false. `configFileName` names the plan in the question.
bool MaySetAsidePlan(QWidget* parent, bool modified, const QString& configFileName,
                     const std::function<bool()>& save);
