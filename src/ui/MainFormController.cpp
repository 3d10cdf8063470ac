// The controller: every edit on an equipment tab is stored into the current item at once, then
// every figure is recomputed from the items. A tab switch stores the item left and loads the one
// entered; while an item is loaded (LoadingItem) the controls' own handlers neither store nor
// refresh.
#include "ui/MainForm.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>

#include "data/Globals.h"
#include "model/Gems.h"
#include "model/Imbue.h"
#include "ui/AboutFormSrc.h"
#include "ui/ChanceBadge.h"
#include "ui/ClickableLabel.h"
#include "ui/GwApplication.h"
#include "ui/ItemsUndo.h"
#include "ui/Preferences.h"
#include "ui/Text.h"
#include "ui/UnsavedChanges.h"

namespace {

const char* const ApplicationTitle = "Gemwright";

QString Decimal(int value)
{
    return QString::number(value);
}

int LeadingInt(const QLineEdit* edit)
{
    return gw::ReadLeadingInt(ToCp1252(edit->text()));
}

// A typed limit holds for typing only: a longer text loaded from an item is shown whole, so that
// storing it back loses nothing.
void LoadText(QLineEdit* edit, const QString& text, int designedLimit)
{
    edit->setMaxLength(std::max<int>(designedLimit, static_cast<int>(text.size())));
    edit->setText(text);
}

void SelectIndex(QComboBox* box, int index)
{
    // A stored index outside the list (another realm's longer list, a damaged file) shows no
    // selection; the item keeps it until the user chooses.
    box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
}

// The list's index; a list without a selection (an Unused row's emptied lists, or a stored index
// the list cannot show) leaves what the item holds, so a store never invents a value.
int StoredIndex(const QComboBox* box, int held)
{
    return box->currentIndex() >= 0 ? box->currentIndex() : held;
}

QStringList ToQStringList(const std::vector<std::string>& texts)
{
    QStringList list;
    list.reserve(static_cast<qsizetype>(texts.size()));
    for (const auto& t : texts)
        list << FromCp1252(t);
    return list;
}

void FillList(QComboBox* box, const std::vector<std::string>& texts)
{
    box->clear();
    box->addItems(ToQStringList(texts));
    box->setCurrentIndex(texts.empty() ? -1 : 0);
}

} // namespace

// ---- what the options say ------------------------------------------------------------------

int TMainForm::Realm() const
{
    return gw::BoundRealm(RealmSelect->currentIndex());
}

int TMainForm::CrafterSkillIndex() const
{
    return CrafterSkill->currentIndex();
}

gw::DisplayMode TMainForm::DisplayMode() const
{
    return DisplaySelectItems[1]->isChecked() ? gw::DisplayMode::DistanceToCap : gw::DisplayMode::TotalBonus;
}

int TMainForm::CurrentArmourSlot() const
{
    return m_armourSlot;
}

int TMainForm::CurrentJewellerySlot() const
{
    return m_jewellerySlot;
}

// ---- store and load --------------------------------------------------------------------------

void TMainForm::StoreArmorItem()
{
    gw::GWItem& item = Items[m_armourSlot];
    const bool playerMade = IsPlayerMade->isChecked();
    item.PlayerMade = playerMade ? 1 : 0;
    item.Quality = StoredIndex(ArmorQuality, item.Quality);
    item.Name = ToCp1252(ArmorItemName->text());
    for (int k = 0; k < gw::GemsPerItem; ++k) {
        item.EffectType[k] = StoredIndex(GemEffectType[k], item.EffectType[k]);
        item.EffectAmount[k] = playerMade ? StoredIndex(GemEffectAmount[k], item.EffectAmount[k])
                                          : LeadingInt(DropEffectAmount[k]);
    }
    item.Level = LeadingInt(ArmorLevel);
    item.Qual = ToCp1252(ArmorQual->text());
    item.DPS = ToCp1252(ArmorDPS->text());
    item.Speed = ToCp1252(ArmorSpeed->text());
    item.Bonus = ToCp1252(ArmorBonus->text());
    for (int k = 0; k < gw::GemsPerItem; ++k) {
        item.EffectName[k] = StoredIndex(GemEffectName[k], item.EffectName[k]);
        item.GemQuality[k] = StoredIndex(GemQuality[k], item.GemQuality[k]);
    }
}

void TMainForm::LoadArmorItem()
{
    QScopedValueRollback<int> loading(LoadingItem, 1);
    const gw::GWItem& item = Items[m_armourSlot];

    for (QLineEdit* amount : DropEffectAmount)
        LoadText(amount, QStringLiteral("0"), 3);
    SelectIndex(ArmorQuality, item.Quality);
    SetFigure(ArmorImbuePoints, Decimal(item.ImbuePoints));
    LoadText(ArmorItemName, FromCp1252(item.Name), 255);

    for (int k = 0; k < gw::GemsPerItem; ++k) {
        SelectIndex(GemEffectType[k], item.EffectType[k]);
        SetupGemRow(k);
    }
    for (int k = 0; k < gw::GemsPerItem; ++k) {
        if (item.PlayerMade != 0)
            SelectIndex(GemEffectAmount[k], item.EffectAmount[k]);
        else
            LoadText(DropEffectAmount[k], Decimal(item.EffectAmount[k]), 3);
    }
    ArmorLevel->setText(Decimal(item.Level));
    LoadText(ArmorQual, FromCp1252(item.Qual), 3);
    LoadText(ArmorDPS, FromCp1252(item.DPS), 4);
    LoadText(ArmorSpeed, FromCp1252(item.Speed), 3);
    LoadText(ArmorBonus, FromCp1252(item.Bonus), 3);
    for (int k = 0; k < gw::GemsPerItem; ++k)
        SelectIndex(GemEffectName[k], item.EffectName[k]);
    for (int k = 0; k < gw::GemsPerItem; ++k)
        SelectIndex(GemQuality[k], item.GemQuality[k]);

    // A mode that differs from the one shown runs its click handler now, which applies the mode,
    // stores the item back and refreshes, while LoadingItem is still set.
    if (item.PlayerMade != 0)
        IsPlayerMade->setChecked(true);
    else
        IsDrop->setChecked(true);
}

void TMainForm::StoreJewelryItem()
{
    gw::GWItem& item = Items[m_jewellerySlot];
    item.PlayerMade = 0;
    item.Quality = 0;
    item.ImbuePoints = 0;
    item.Name = ToCp1252(JewelryItemName->text());
    for (int k = 0; k < gw::GemsPerItem; ++k) {
        item.EffectType[k] = StoredIndex(JewelryEffectType[k], item.EffectType[k]);
        item.EffectAmount[k] = LeadingInt(JewelryEffectAmount[k]);
        item.EffectName[k] = StoredIndex(JewelryEffectName[k], item.EffectName[k]);
        item.GemQuality[k] = 0;
    }
    item.Level = LeadingInt(JewelryLevel);
    item.Qual = ToCp1252(JewelryQual->text());
    item.Bonus = ToCp1252(JewelryBonus->text());
}

void TMainForm::LoadJewelryItem()
{
    QScopedValueRollback<int> loading(LoadingItem, 1);
    gw::GWItem& item = Items[m_jewellerySlot];
    item.PlayerMade = 0;
    LoadText(JewelryItemName, FromCp1252(item.Name), 255);
    for (int k = 0; k < gw::GemsPerItem; ++k) {
        SelectIndex(JewelryEffectType[k], item.EffectType[k]);
        SetupJewelleryEffectRow(k);
    }
    for (int k = 0; k < gw::GemsPerItem; ++k)
        LoadText(JewelryEffectAmount[k], Decimal(item.EffectAmount[k]), 3);
    for (int k = 0; k < gw::GemsPerItem; ++k)
        SelectIndex(JewelryEffectName[k], item.EffectName[k]);
    JewelryLevel->setText(Decimal(item.Level));
    JewelryQual->setText(FromCp1252(item.Qual));
    JewelryBonus->setText(FromCp1252(item.Bonus));
}

void TMainForm::SetupGemRow(int row)
{
    const int type = GemEffectType[row]->currentIndex();
    if (type < 1) {
        GemEffectAmount[row]->clear();
        GemEffectName[row]->clear();
        return;
    }
    FillList(GemEffectAmount[row], gw::AmountListTexts(type));
    FillList(GemEffectName[row], gw::EffectListTexts(type, Realm()));
}

void TMainForm::SetupJewelleryEffectRow(int row)
{
    const int type = JewelryEffectType[row]->currentIndex();
    if (type < 1) {
        JewelryEffectName[row]->clear();
        return;
    }
    FillList(JewelryEffectName[row], gw::EffectListTexts(type, Realm()));
}

// ---- the two modes of the armour tab ---------------------------------------------------------

namespace {

struct ModeControls {
    std::vector<QWidget*> playerMadeOnly;
    std::vector<QWidget*> dropOnly;
};

ModeControls ArmourModeControls(const TMainForm& form)
{
    // The labels without members of their own are found by their names.
    auto named = [&form](const char* name) { return form.findChild<QWidget*>(QString::fromLatin1(name)); };
    ModeControls m;
    for (int k = 0; k < 4; ++k) {
        m.playerMadeOnly.push_back(form.GemEffectAmount[k]);
        m.playerMadeOnly.push_back(form.GemPoints[k]);
        m.playerMadeOnly.push_back(form.GemCost[k]);
        m.playerMadeOnly.push_back(form.GemName[k]);
        m.dropOnly.push_back(form.DropEffectAmount[k]);
    }
    m.playerMadeOnly.insert(m.playerMadeOnly.end(),
                            {form.ArmorQuality, named("PointLabel1"), named("PointLabel2"), named("PointLabel3"),
                             form.ArmorUsedPoints, form.ArmorImbuePoints, named("OverchargeLabel"),
                             form.ArmorOvercharge, named("GemPointsLabel"), named("GemCostLabel"),
                             named("GemNameLabel"), named("ItemCostLabel"), form.ItemCost});
    m.dropOnly.insert(m.dropOnly.end(),
                      {form.ArmorQual, named("ArmorItemNameLabel"), form.ArmorItemName, form.ArmorDPSLabel,
                       form.ArmorDPS, named("ArmorSpeedLabel"), form.ArmorSpeed, named("ArmorBonusLabel"),
                       form.ArmorBonus, form.ArmorSaveDrop});
    return m;
}

void ApplyMode(TMainForm& form, bool playerMade)
{
    const ModeControls m = ArmourModeControls(form);
    // Hide the leaving set first so that the shared places never hold both.
    for (QWidget* w : playerMade ? m.dropOnly : m.playerMadeOnly)
        w->setVisible(false);
    for (QWidget* w : playerMade ? m.playerMadeOnly : m.dropOnly)
        w->setVisible(true);
    for (QComboBox* quality : form.GemQuality)
        quality->setEnabled(playerMade);
}

} // namespace

void TMainForm::ApplyPlayerMadeMode()
{
    ApplyMode(*this, true);
}

void TMainForm::ApplyDropMode()
{
    ApplyMode(*this, false);
}

// ---- refresh -----------------------------------------------------------------------------------

void TMainForm::RefreshAll()
{
    const gw::CharacterPanel panel = gw::ComputePanel(Config, Realm(), DisplayMode());
    for (std::size_t i = 0; i < panel.stats.size(); ++i)
        SetFigure(TotalStats[i], QString::fromStdString(panel.stats[i]));
    for (std::size_t i = 0; i < panel.resists.size(); ++i)
        SetFigure(TotalResists[i], QString::fromStdString(panel.resists[i]));
    SetFigure(TotalHits, QString::fromStdString(panel.hits));
    SetFigure(TotalPower, QString::fromStdString(panel.power));
    for (std::size_t i = 0; i < panel.focus.size(); ++i)
        SetFigure(TotalFocus[i], FromCp1252(panel.focus[i]));

    // The skill list is replaced in one update, and only when a line differs.
    bool same = TotalSkills->count() == static_cast<int>(panel.skills.size());
    for (int i = 0; same && i < TotalSkills->count(); ++i)
        same = TotalSkills->item(i)->text() == FromCp1252(panel.skills[static_cast<std::size_t>(i)]);
    if (!same) {
        TotalSkills->setUpdatesEnabled(false);
        TotalSkills->clear();
        TotalSkills->addItems(ToQStringList(panel.skills));
        TotalSkills->setUpdatesEnabled(true);
    }

    SetFigure(TotalCost, QString::fromStdString(panel.totalCost));
    RefreshArmourItem();
    RefreshJewelleryUtility();
}

void TMainForm::RefreshArmourItem()
{
    const int slot = m_armourSlot;
    const std::string levelText = ToCp1252(ArmorLevel->text());
    const gw::ArmourFigures f = gw::ComputeArmourFigures(Config, slot, levelText, ArmorQuality->currentIndex(),
                                                         CrafterSkillIndex(), Realm());
    // The capacity is the item's own from now on: the overcharge was measured against it.
    Items[slot].ImbuePoints = f.capacity;

    for (int k = 0; k < 4; ++k) {
        SetFigure(GemName[k], FromCp1252(f.gemNames[static_cast<std::size_t>(k)]));
        SetFigure(GemCost[k], QString::fromStdString(f.gemCosts[static_cast<std::size_t>(k)]));
    }
    SetFigure(ItemCost, QString::fromStdString(f.itemCost));
    SetFigure(ArmorImbuePoints, Decimal(f.capacity));
    SetFigure(ArmorUsedPoints, Decimal(f.usedPoints));
    for (int k = 0; k < 4; ++k)
        SetFigure(GemPoints[k], QString::fromStdString(f.shares[static_cast<std::size_t>(k)]));

    SetFigure(ArmorOvercharge, QString::fromStdString(f.overcharge.text));
    ShowChance(ArmorOvercharge, f.overcharge.colour);

    SetFigure(ArmorUtility, QString::fromStdString(f.utility));
    const QString caption = QString::fromStdString(f.findEmptyCaption);
    if (FindFreeSlotButton->text() != caption)
        FindFreeSlotButton->setText(caption);
    FindFreeSlotButton->setEnabled(f.emptyGems != 0);
}

void TMainForm::RefreshJewelleryUtility()
{
    SetFigure(JewelryUtility, QString::fromStdString(gw::FormatUtility(gw::SlotUtility(Items[m_jewellerySlot]))));
}

void TMainForm::ClearAllItems()
{
    Config.ClearAllItems();
    LoadArmorItem();
    LoadJewelryItem();
    RefreshAll();
}

// ---- handlers of the armour tab --------------------------------------------------------------

void TMainForm::Gem1EffectTypeChange(int row)
{
    // Picking the type the row already has is no change: it keeps the row's amount and effect.
    if (GemEffectType[row]->currentIndex() == Items[m_armourSlot].EffectType[row])
        return;
    ItemsUndo::Action step(*m_undo, tr("Gem Type"));
    SetupGemRow(row);
    StoreArmorItem();
    RefreshAll();
}

void TMainForm::Gem1EffectAmountChange(int)
{
    ItemsUndo::Action step(*m_undo, tr("Gem Amount"));
    StoreArmorItem();
    RefreshAll();
}

void TMainForm::Gem1EffectNameChange(int)
{
    if (LoadingItem == 1)
        return;
    ItemsUndo::Action step(*m_undo, tr("Gem Effect"));
    StoreArmorItem();
    RefreshAll();
}

void TMainForm::Gem1QualityChange(int)
{
    ItemsUndo::Action step(*m_undo, tr("Gem Quality"));
    StoreArmorItem();
    RefreshAll();
}

void TMainForm::DropEffect1AmountChange(int row)
{
    if (LoadingItem == 1)
        return;
    ItemsUndo::Action step(*m_undo, tr("Effect Amount"), DropEffectAmount[static_cast<std::size_t>(row)]);
    StoreArmorItem();
    RefreshAll();
}

void TMainForm::ArmorQualityChange()
{
    ItemsUndo::Action step(*m_undo, tr("Item Quality"));
    StoreArmorItem();
    RefreshAll();
}

void TMainForm::ArmorLevelChange()
{
    if (LoadingItem == 1)
        return;
    ItemsUndo::Action step(*m_undo, tr("Item Level"), ArmorLevel);
    // Any text is accepted: a level beyond the capacity table counts as its nearest end (0 or
    // 51), text without digits as level 0.
    Items[m_armourSlot].ImbuePoints =
        gw::ImbueCapacityFromText(ToCp1252(ArmorLevel->text()), ArmorQuality->currentIndex());
    StoreArmorItem();
    RefreshAll();
}

void TMainForm::ArmorItemNameChange()
{
    if (LoadingItem != 0)
        return;
    ItemsUndo::Action step(*m_undo, sender() == ArmorItemName ? tr("Item Name") : tr("Item Details"), sender());
    StoreArmorItem();
}

void TMainForm::IsPlayerMadeClick()
{
    ItemsUndo::Action step(*m_undo, tr("Player Made"), nullptr, LoadingItem == 0);
    ApplyPlayerMadeMode();
    StoreArmorItem();
    RefreshAll();
}

void TMainForm::IsDropClick()
{
    ItemsUndo::Action step(*m_undo, tr("Drop"), nullptr, LoadingItem == 0);
    ApplyDropMode();
    StoreArmorItem();
    RefreshAll();
}

void TMainForm::ArmorTabsChanging(int leftSlot)
{
    m_armourSlot = leftSlot;
    StoreArmorItem();
    SuppressEquippedClick = 1;
}

void TMainForm::ArmorTabsChange()
{
    m_armourSlot = std::clamp(ArmorTabs->currentIndex(), 0, gw::ArmourSlotCount - 1);
    applyArmourTabSteps();
    SuppressEquippedClick = 0;
    // Showing an item is no change of the player's, even where it brings the item in step.
    m_undo->Absorb();
}

void TMainForm::applyArmourTabSteps()
{
    const int slot = m_armourSlot;
    const bool weapon = slot >= 6;
    ArmorDPSLabel->setText(weapon ? tr("DPS:") : tr("AF:"));
    ArmorSpeed->setEnabled(weapon);
    WeaponEquipped->setChecked(Equipped[slot] != 0);
    WeaponEquipped->setVisible(weapon);
    WeaponEquipped->setEnabled(weapon);
    LoadArmorItem();
    RefreshArmourItem();
}

void TMainForm::WeaponEquippedClick(bool checked)
{
    if (SuppressEquippedClick == 1)
        return;
    gw::ApplyEquippedClick(Equipped, m_armourSlot, checked);
    RefreshAll();
}

void TMainForm::ArmorClearClick()
{
    ItemsUndo::Action step(*m_undo, tr("Clear Item"));
    Items[m_armourSlot].Clear();
    LoadArmorItem();
    RefreshAll();
}

// ---- handlers of the jewellery tab -----------------------------------------------------------

void TMainForm::JewelryEffect1TypeChange(int row)
{
    if (JewelryEffectType[row]->currentIndex() == Items[m_jewellerySlot].EffectType[row])
        return;
    ItemsUndo::Action step(*m_undo, tr("Effect Type"));
    SetupJewelleryEffectRow(row);
    StoreJewelryItem();
    RefreshAll();
}

void TMainForm::JewelryEffect1NameChange(int)
{
    if (LoadingItem == 1)
        return;
    ItemsUndo::Action step(*m_undo, tr("Effect"));
    StoreJewelryItem();
    RefreshAll();
}

void TMainForm::JewelryEffect1AmountChange(int row)
{
    if (LoadingItem == 1)
        return;
    ItemsUndo::Action step(*m_undo, tr("Effect Amount"), JewelryEffectAmount[static_cast<std::size_t>(row)]);
    StoreJewelryItem();
    RefreshAll();
}

void TMainForm::JewelryItemNameChange()
{
    if (LoadingItem != 0)
        return;
    ItemsUndo::Action step(*m_undo, sender() == JewelryItemName ? tr("Item Name") : tr("Item Details"), sender());
    StoreJewelryItem();
}

void TMainForm::JewelryTabsChanging(int leftSlot)
{
    m_jewellerySlot = leftSlot;
    StoreJewelryItem();
}

void TMainForm::JewelryTabsChange()
{
    m_jewellerySlot = gw::FirstJewellerySlot + std::clamp(JewelryTabs->currentIndex(), 0, 7);
    LoadJewelryItem();
    RefreshJewelleryUtility();
    m_undo->Absorb();
}

void TMainForm::JewelryClearClick()
{
    ItemsUndo::Action step(*m_undo, tr("Clear Item"));
    Items[m_jewellerySlot].Clear();
    LoadJewelryItem();
    RefreshAll();
}

// ---- options and menus -----------------------------------------------------------------------

void TMainForm::CharLevelChange()
{
    gw::CharLevel held = gw::HoldCharLevel(ToCp1252(CharLevel->text()));
    if (held.rewritten) {
        // The rewritten text runs this handler again, which finds a level in range.
        CharLevel->setText(QString::fromStdString(held.text));
        held = gw::HoldCharLevel(ToCp1252(CharLevel->text()));
    }
    Config.caps = gw::CapsForLevel(held.level);
    RefreshAll();
}

void TMainForm::CrafterSkillChange()
{
    RefreshArmourItem();
}

void TMainForm::DisplaySelectClick()
{
    RefreshAll();
}

void TMainForm::RealmSelectChange(int index)
{
    // Choosing the realm already shown keeps the items: only a new realm gives effect indices a
    // new meaning.
    if (index == m_realm)
        return;
    {
        // Until the player has answered, the list shows the realm the items belong to, which is
        // also the realm a save in between writes.
        const QSignalBlocker quiet(RealmSelect);
        RealmSelect->setCurrentIndex(m_realm);
        if (!maySetAsidePlan())
            return;
        RealmSelect->setCurrentIndex(index);
    }
    ItemsUndo::Action step(*m_undo, tr("Change Realm"));
    m_undo->CarryFileName(ConfigFileName, QString());
    m_realm = index;
    ConfigFileName.clear();
    ClearAllItems();
}

void TMainForm::New1Click()
{
    if (!maySetAsidePlan())
        return;
    ConfigFileName.clear();
    SetTitles(QString());
    ClearAllItems();
    m_undo->Reset();
}

void TMainForm::SetTitles(const QString& fileName)
{
    // "[*]" is where the modified mark shows; the application's own name stays as it is.
    if (fileName.isEmpty()) {
        setWindowTitle(QString::fromLatin1(WindowCaption) + QStringLiteral("[*]"));
        GwApplication::SetTitle(QString::fromLatin1(ApplicationTitle));
    } else {
        QString shown = fileName;
        shown.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));  // a literal "[*]" in a name
        setWindowTitle(shown + QStringLiteral("[*] - ") + QString::fromLatin1(WindowCaption));
        GwApplication::SetTitle(fileName + QStringLiteral(" - ") + QString::fromLatin1(ApplicationTitle));
    }
}

void TMainForm::Exit1Click()
{
    close();
}

void TMainForm::About1Click()
{
    if (AboutForm == nullptr)
        AboutForm = new TAboutForm(this);
    AboutForm->show();
    AboutForm->raise();
    AboutForm->activateWindow();
}

void TMainForm::SelectSlot(int slot)
{
    if (slot >= 0 && slot < gw::ArmourSlotCount) {
        ArmorJewelryPage->setCurrentWidget(ArmorSheet);
        {
            const QSignalBlocker blocker(ArmorTabs);
            ArmorTabs->setCurrentIndex(slot);
        }
        m_armourSlot = slot;
        QScopedValueRollback<int> suppress(SuppressEquippedClick, 1);
        applyArmourTabSteps();
    } else if (slot >= gw::FirstJewellerySlot && slot < gw::SlotCount) {
        ArmorJewelryPage->setCurrentWidget(JewelrySheet);
        {
            const QSignalBlocker blocker(JewelryTabs);
            JewelryTabs->setCurrentIndex(slot - gw::FirstJewellerySlot);
        }
        m_jewellerySlot = slot;
        LoadJewelryItem();
        RefreshJewelleryUtility();
    }
    m_undo->Absorb();
}

QFileDialog* TMainForm::SaveDialog1()
{
    if (m_saveDialog == nullptr) {
        m_saveDialog = new QFileDialog(this);
        m_saveDialog->setObjectName(QStringLiteral("SaveDialog1"));
        m_saveDialog->setOption(QFileDialog::DontUseNativeDialog);
        m_saveDialog->setAcceptMode(QFileDialog::AcceptSave);
        m_saveDialog->setNameFilters(SaveDialogFilter);
        m_saveDialog->setDirectory(QStringLiteral("."));
    }
    return m_saveDialog;
}

QFileDialog* TMainForm::OpenDialog1()
{
    if (m_openDialog == nullptr) {
        m_openDialog = new QFileDialog(this);
        m_openDialog->setObjectName(QStringLiteral("OpenDialog1"));
        m_openDialog->setOption(QFileDialog::DontUseNativeDialog);
        m_openDialog->setAcceptMode(QFileDialog::AcceptOpen);
        m_openDialog->setFileMode(QFileDialog::ExistingFile);
        m_openDialog->setNameFilters(OpenDialogFilter);
        m_openDialog->setDirectory(QStringLiteral("./items"));
    }
    return m_openDialog;
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce || isMaximized() || isFullScreen())
        return;
    m_shownOnce = true;
    // The window opens in the middle of the screen it is shown on.
    if (const QScreen* where = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(where->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    // Unsaved work is never closed away without the player's word; Cancel keeps the window.
    if (!maySetAsidePlan()) {
        event->ignore();
        return;
    }
    WriteSettings();
    prefs::WriteWindowGeometry(saveGeometry());
    event->accept();
    emit Closed();
}
