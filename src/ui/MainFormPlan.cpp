// The gem planner as the main window opens it: from the Tools menu or the button beside
// Find Empty Slot. The dialog plans from the items as they stand and writes an applied plan back
// through ApplyItems.
#include "ui/MainForm.h"

#include "ui/PlanGemsFormSrc.h"

void TMainForm::PlanGems1Click()
{
    if (PlanGemsForm == nullptr)
        return;
    // The plan is made for what the player sees. Every edit is stored as it happens, but the
    // armour tab in front can show what its item does not hold yet: at start the first tab shows
    // the designed level 51 over a cleared item of level 0, and a plan for level 0 would find no
    // room at all. Nothing is written into the items before Apply.
    const gw::GWItem held = Items[static_cast<std::size_t>(CurrentArmourSlot())];
    StoreArmorItem();
    const gw::Configuration shown = Config;
    Items[static_cast<std::size_t>(CurrentArmourSlot())] = held;
    PlanGemsForm->Prepare(shown, Realm(), CrafterSkillIndex());
    PlanGemsForm->exec();
}
