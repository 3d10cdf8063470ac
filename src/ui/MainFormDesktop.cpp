// What a desktop program owes its player around the planner: undo and redo of every change to
// the items, a question before unsaved work is set aside, the recent files, drops and the
// standard keys. The units do the work; this file wires them into the window.
#include "ui/MainForm.h"

#include <QAction>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QSignalBlocker>
#include <QComboBox>
#include <QUndoStack>

#include "ui/EditMenu.h"
#include "ui/ItemsUndo.h"
#include "ui/PlanDrop.h"
#include "ui/Preferences.h"
#include "ui/RecentFiles.h"
#include "ui/UnsavedChanges.h"

void TMainForm::buildDesktopParts()
{
    // The plan is unmodified as long as its items are as they started; the first undo brings
    // back what the tabs showed, where the first armour tab shows its designed level before its
    // cleared item has stored it.
    const auto held = Items;
    StoreArmorItem();
    StoreJewelryItem();
    const PlanState shown{Items, m_realm};
    Items = held;
    m_undo = new ItemsUndo([this] { return PlanState{Items, m_realm}; },
                           [this](const PlanState& plan, const QString* fileName) { restorePlan(plan, fileName); },
                           shown, this);

    QUndoStack* stack = m_undo->Stack();
    connect(stack, &QUndoStack::cleanChanged, this, [this](bool clean) { setWindowModified(!clean); });
    for (QLineEdit* edit : {ArmorLevel, ArmorItemName, ArmorDPS, ArmorSpeed, ArmorQual, ArmorBonus, JewelryItemName,
                            JewelryLevel, JewelryQual, JewelryBonus})
        m_undo->WatchTypedEdit(edit);
    for (int k = 0; k < gw::GemsPerItem; ++k) {
        m_undo->WatchTypedEdit(DropEffectAmount[k]);
        m_undo->WatchTypedEdit(JewelryEffectAmount[k]);
    }
    ItemsUndo::PassUndoKeys(this);

    const EditMenu edit = BuildEditMenu(menuBar(), stack, this);
    Edit1 = edit.menu;
    Undo1 = edit.undo;
    Redo1 = edit.redo;

    AddStandardKeys(New1, QKeySequence::New, QKeySequence(Qt::CTRL | Qt::Key_N));
    AddStandardKeys(Open1, QKeySequence::Open, QKeySequence(Qt::CTRL | Qt::Key_O));
    AddStandardKeys(Save1, QKeySequence::Save, QKeySequence(Qt::CTRL | Qt::Key_S));
    AddStandardKeys(SaveAs1, QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    AddStandardKeys(Exit1, QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q));

    // Recent Files, below Open.
    const prefs::Stored stored = prefs::Read(RecentFiles::Limit);
    RecentFiles1 = new QMenu(tr("Recent Files"), this);
    RecentFiles1->setObjectName(QStringLiteral("RecentFiles1"));
    if (auto* file = findChild<QMenu*>(QStringLiteral("File1")))
        file->insertMenu(Save1, RecentFiles1);
    m_recent = new RecentFiles(RecentFiles1, stored.recentFiles, this);
    connect(m_recent, &RecentFiles::OpenRequested, this, &TMainForm::OpenConfigurationPath);

    new PlanDrop(this, [this](const QString& path) { OpenConfigurationPath(path); });

    // A remembered place replaces the centring of the first show.
    if (!stored.windowGeometry.isEmpty() && restoreGeometry(stored.windowGeometry))
        m_shownOnce = true;
}

QUndoStack* TMainForm::UndoStack() const
{
    return m_undo->Stack();
}

bool TMainForm::maySetAsidePlan()
{
    return MaySetAsidePlan(this, isWindowModified(), ConfigFileName, [this] { return SavePlan(); });
}

bool TMainForm::OpenConfigurationPath(const QString& path)
{
    // A file that is gone replaces nothing, so there is nothing to ask about first.
    if (QFileInfo::exists(path) && !maySetAsidePlan())
        return false;
    return openConfiguration(path);
}

void TMainForm::ApplyItems(const std::array<gw::GWItem, gw::SlotCount>& items, const QString& undoText)
{
    ItemsUndo::Action step(*m_undo, undoText);
    Items = items;
    LoadArmorItem();
    LoadJewelryItem();
    RefreshAll();
}

void TMainForm::restorePlan(const PlanState& plan, const QString* fileName)
{
    Items = plan.items;
    if (plan.realm != m_realm) {
        const QSignalBlocker quiet(RealmSelect);
        RealmSelect->setCurrentIndex(plan.realm);
        m_realm = plan.realm;
    }
    if (fileName != nullptr)
        ConfigFileName = *fileName;
    // The effect lists belong to the realm: both tabs are rebuilt from the restored items.
    LoadArmorItem();
    LoadJewelryItem();
    RefreshAll();
}

void TMainForm::planSaved(const QString& path)
{
    m_undo->MarkSaved();
    m_recent->Add(path);
}
