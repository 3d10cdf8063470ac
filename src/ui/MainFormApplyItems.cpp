// Writing a whole set of items into the window at once.
//
// Stand-in until the undo stack lands: the undoable ApplyItems replaces this file whole (same
// declaration in MainForm.h); it writes the items as one step without recording it.
#include "ui/MainForm.h"

void TMainForm::ApplyItems(const std::array<gw::GWItem, gw::SlotCount>& items, const QString& undoText)
{
    Q_UNUSED(undoText);
    Items = items;
    // The current tabs show the new items; the Equipped flags and the tabs in front stay.
    LoadArmorItem();
    LoadJewelryItem();
    RefreshAll();
}
