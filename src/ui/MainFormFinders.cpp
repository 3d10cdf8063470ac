// The slot finders and the item level calculator, reached from the character panel and the
// armour tab.
#include "ui/MainForm.h"

#include <QLabel>

void TMainForm::ShowSlotsWith(int type, int index)
{
    Q_UNUSED(type);
    Q_UNUSED(index);
}

void TMainForm::TotalFocus1Click(QLabel* line)
{
    Q_UNUSED(line);
}

void TMainForm::TotalSkillsClick() {}

void TMainForm::FindFreeSlotButtonClick() {}

void TMainForm::ArmorLevelButtonClick() {}
