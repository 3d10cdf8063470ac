// What a desktop program owes its player around the planner: undo and redo of every change to
// the items, a question before unsaved work is set aside, the recent files, drops and the
// standard keys. The units do the work; this file wires them into the window.
#include "ui/MainForm.h"

#include <QAction>
#include <QFileInfo>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QComboBox>
#include <QUndoStack>

#include "ui/ItemsUndo.h"
#include "ui/PlanDrop.h"
#include "ui/Preferences.h"
#include "ui/RecentFiles.h"
#include "ui/UnsavedChanges.h"

namespace {

// The designed short cut first, then the desktop's standard keys for the same command, or the
// usual ones where the desktop names none.
void AddStandardKeys(QAction* action, QKeySequence::StandardKey standard, const QKeySequence& usual)
{
    QList<QKeySequence> keys = action->shortcuts();
    QList<QKeySequence> standardKeys = QKeySequence::keyBindings(standard);
    if (standardKeys.isEmpty())
        standardKeys << usual;
    for (const QKeySequence& key : standardKeys)
        if (!keys.contains(key))
            keys << key;
    action->setShortcuts(keys);
}

} // namespace

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

    // Edit, right after File, where desktops put it. The texts name the step only when the menu
    // opens, so that an edit never waits for a menu it does not show.
    auto* bar = menuBar();
    Edit1 = new QMenu(tr("&Edit"), this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    bar->insertMenu(bar->actions().value(1, nullptr), Edit1);
    Undo1 = Edit1->addAction(tr("&Undo"));
    Undo1->setObjectName(QStringLiteral("Undo1"));
    Undo1->setShortcuts(QKeySequence::Undo);
    Undo1->setEnabled(false);
    Redo1 = Edit1->addAction(tr("&Redo"));
    Redo1->setObjectName(QStringLiteral("Redo1"));
    Redo1->setShortcuts(QKeySequence::Redo);
    Redo1->setEnabled(false);
    connect(Undo1, &QAction::triggered, stack, &QUndoStack::undo);
    connect(Redo1, &QAction::triggered, stack, &QUndoStack::redo);
    connect(stack, &QUndoStack::canUndoChanged, Undo1, &QAction::setEnabled);
    connect(stack, &QUndoStack::canRedoChanged, Redo1, &QAction::setEnabled);
    connect(Edit1, &QMenu::aboutToShow, this, [this, stack] {
        const QString undo = stack->undoText();
        const QString redo = stack->redoText();
        Undo1->setText(undo.isEmpty() ? tr("&Undo") : tr("&Undo %1").arg(undo));
        Redo1->setText(redo.isEmpty() ? tr("&Redo") : tr("&Redo %1").arg(redo));
    });

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
