// The gem planner as the main window opens it: from the Tools menu or the button beside
// Find Empty Slot. The dialog plans from the items as they stand and writes an applied plan back
// through ApplyItems.
#include "ui/MainForm.h"

#include "ui/PlanGemsFormSrc.h"

void TMainForm::PlanGems1Click()
{
    if (PlanGemsForm == nullptr)
        return;
    // Every edit is stored as it happens, so the items already hold what the tabs show.
    PlanGemsForm->Prepare();
    PlanGemsForm->exec();
}
