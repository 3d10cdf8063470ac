// The slot finders and the item level calculator as the main window runs them: every total
// asks which slots carry its effect, the empty-slot button jumps to the next free gem, and the
// "..." button beside the level box derives the level from the item's factor, DPS or wood.
#include "ui/MainForm.h"

#include <optional>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "data/Globals.h"
#include "model/Imbue.h"
#include "model/SlotFinder.h"
#include "ui/FindStatFormSrc.h"
#include "ui/ItemLevelSrc.h"
#include "ui/Text.h"

void TMainForm::ShowSlotsWith(int type, int index)
{
    if (FindStatForm == nullptr)
        return;
    FindStatForm->SetEntries(FromCp1252(gw::FinderCaption(type, Realm(), index)),
                             gw::SlotsWithEffect(Config, type, index));
    // Every edit is stored as it happens, so the items already hold what the tabs show and the
    // slot left behind needs no store before the jump.
    if (FindStatForm->exec() == QDialog::Accepted && FindStatForm->ChosenSlot() >= 0)
        SelectSlot(FindStatForm->ChosenSlot());
}

void TMainForm::TotalFocus1Click(QLabel* line)
{
    if (line == nullptr)
        return;
    const int row = gw::FocusRowOfCaption(ToCp1252(line->text()), Realm());
    if (row >= 0)
        ShowSlotsWith(gw::TypeFocus, row);
}

void TMainForm::TotalSkillsClick()
{
    const QListWidgetItem* line = TotalSkills->currentItem();
    if (line == nullptr || !line->isSelected())
        return;
    const int row = gw::SkillRowOfLine(ToCp1252(line->text()), Realm());
    if (row >= 0)
        ShowSlotsWith(gw::TypeSkill, row);
}

void TMainForm::FindFreeSlotButtonClick()
{
    const std::optional<gw::GemPosition> free = gw::FirstEmptyGem(Config);
    if (!free)
        return;
    SelectSlot(free->slot);
    GemEffectType[static_cast<std::size_t>(free->row)]->setFocus(Qt::OtherFocusReason);
}

void TMainForm::ArmorLevelButtonClick()
{
    if (ItemLevelForm == nullptr || ItemLevelForm->exec() != QDialog::Accepted)
        return;
    ArmorImbuePoints->setText(QString::number(
        gw::ImbueCapacityFromText(ToCp1252(ArmorLevel->text()), ArmorQuality->currentIndex())));
    // The level box's own change handler stores the new capacity and refreshes. A weapon level
    // below the capacity table (-1) is written as computed; the capacity rule takes its nearest row.
    ArmorLevel->setText(QString::number(ItemLevelForm->ComputedLevel));
}
