// The main window: the character panel above, the armour/weapon and jewellery pages below, and
// the controller that keeps the eighteen items and the controls of the current tabs in step.
// The items are the truth: every edit is stored into the current item at once and every figure
// is recomputed from the items by the core.
#pragma once

#include <array>

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include "model/GWItem.h"
#include "model/Totals.h"
#include "ui/ClickableLabel.h"

class QAction;
class QButtonGroup;
class QCloseEvent;
class QCheckBox;
class QComboBox;
class QFileDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPoint;
class QPushButton;
class QRadioButton;
class QShowEvent;
class QTabBar;
class QTabWidget;
class QWidget;

class ItemsUndo;
class QUndoStack;
class RecentFiles;
struct PlanState;

class TReportForm;
class TItemLevelForm;
class TItemBrowser;
class TFindStatForm;
class TAboutForm;
class TPlanGemsForm;

// The main window's caption when no configuration file is named.
inline constexpr const char* WindowCaption = "Quillane's Gemwright Equipment Configurator";

class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    // The window works in the start directory that start-up chose; one made without it (tests,
    // benchmarks) works in the current directory.
    TMainForm();
    explicit TMainForm(const QString& startDir, QWidget* parent = nullptr);
    ~TMainForm() override;

    // The configuration: the eighteen items, which slots count, and the caps of the level.
    gw::Configuration Config;
    std::array<gw::GWItem, gw::SlotCount>& Items = Config.Items;
    std::array<int, gw::SlotCount>& Equipped = Config.Equipped;

    // While 1, the change handlers of edit boxes and effect lists neither store nor refresh.
    int LoadingItem = 0;
    // While 1, the Equipped box changes no flag (a tab change or an opened configuration sets it).
    int SuppressEquippedClick = 0;

    // The start directory: settings, report definitions and items/<realm> live there.
    QString StartDir;
    // The configuration file in use, empty when there is none.
    QString ConfigFileName;
    // Report definitions of "Order Form" (1) and "Config Report" (2).
    QString ReportDefinition1;
    QString ReportDefinition2;

    // The other windows, set by start-up once they exist (null in a test that builds the main
    // window alone).
    TReportForm* ReportForm = nullptr;
    TAboutForm* AboutForm = nullptr;
    TItemLevelForm* ItemLevelForm = nullptr;
    TItemBrowser* ItemBrowser = nullptr;
    TFindStatForm* FindStatForm = nullptr;
    TPlanGemsForm* PlanGemsForm = nullptr;

    // The report button the pop-up menu was last opened on (GenerateReportButton or
    // GenerateReportButton2), for Assign1Click.
    QPushButton* PopupComponent = nullptr;

    // What the options say at this moment.
    int Realm() const;              // 0 Albion, 1 Hibernia, 2 Midgard
    int CrafterSkillIndex() const;  // index of CrafterSkill, 0 is "1001"
    gw::DisplayMode DisplayMode() const;
    int CurrentArmourSlot() const;      // 0..9
    int CurrentJewellerySlot() const;   // 10..17

    // The controller. Store and load act on the current slot of their page.
    void StoreArmorItem();
    void LoadArmorItem();
    void StoreJewelryItem();
    void LoadJewelryItem();
    void SetupGemRow(int row);                // row 0..3
    void SetupJewelleryEffectRow(int row);    // row 0..3
    void ApplyPlayerMadeMode();
    void ApplyDropMode();
    void RefreshAll();
    void RefreshArmourItem();
    void RefreshJewelleryUtility();
    void ClearAllItems();
    // Brings a slot 0..17 to the front and shows its item, as a slot finder does.
    void SelectSlot(int slot);
    // The window caption and the application title for a configuration file name (without its
    // directory); an empty name gives the designed titles. The caption carries the modified mark.
    void SetTitles(const QString& fileName);

    // Opens a configuration as File > Open does, with its messages and after the question about
    // unsaved changes: the one way in for a recent file, a dropped file or a file named at start.
    // A file that no longer exists is reported and leaves the recent list. True when it opened.
    bool OpenConfigurationPath(const QString& path);
    // Replaces all eighteen items in one step that Undo takes back (the planner's result).
    void ApplyItems(const std::array<gw::GWItem, gw::SlotCount>& items, const QString& undoText);
    // Saves under the current name (asking for one when there is none); true once written.
    bool SavePlan();
    bool SavePlanAs();
    QUndoStack* UndoStack() const;

    // Controls, named as designed. Rows of like controls are arrays indexed by row 0..3.
    // Character panel.
    std::array<ClickableLabel*, 8> StatNameLabels{};    // Label16..Label23
    std::array<ClickableLabel*, 8> TotalStats{};        // TotalStr..TotalEmp
    std::array<ClickableLabel*, 9> ResistNameLabels{};  // Label24..Label32
    std::array<ClickableLabel*, 9> TotalResists{};      // TotalBody..TotalSlash
    ClickableLabel* Label33 = nullptr;
    ClickableLabel* TotalHits = nullptr;
    ClickableLabel* Label34 = nullptr;
    ClickableLabel* TotalPower = nullptr;
    std::array<ClickableLabel*, 4> TotalFocus{};        // TotalFocus1..TotalFocus4
    QLabel* TotalCost = nullptr;
    QListWidget* TotalSkills = nullptr;
    QGroupBox* DisplaySelect = nullptr;
    std::array<QRadioButton*, 2> DisplaySelectItems{};  // "Total Bonus", "Distance to Cap"
    QComboBox* CrafterSkill = nullptr;
    QLineEdit* CharLevel = nullptr;
    QComboBox* RealmSelect = nullptr;
    QPushButton* FindFreeSlotButton = nullptr;
    QPushButton* PlanGemsButton = nullptr;         // "Plan Gems...", beside Find Empty Slot
    QPushButton* GenerateReportButton2 = nullptr;  // "Config Report"
    QPushButton* GenerateReportButton = nullptr;   // "Order Form"

    // Pages.
    QTabWidget* ArmorJewelryPage = nullptr;
    QWidget* ArmorSheet = nullptr;
    QWidget* JewelrySheet = nullptr;
    QTabBar* ArmorTabs = nullptr;
    QTabBar* JewelryTabs = nullptr;

    // Armour/weapon tab.
    QComboBox* ArmorQuality = nullptr;
    QLineEdit* ArmorQual = nullptr;
    QLineEdit* ArmorLevel = nullptr;
    QPushButton* ArmorLevelButton = nullptr;
    QCheckBox* WeaponEquipped = nullptr;
    QLabel* ArmorUsedPoints = nullptr;
    QLabel* ArmorImbuePoints = nullptr;
    QLabel* ArmorUtility = nullptr;
    QLabel* ArmorOvercharge = nullptr;
    std::array<QComboBox*, 4> GemEffectType{};
    std::array<QComboBox*, 4> GemEffectAmount{};
    std::array<QLineEdit*, 4> DropEffectAmount{};
    std::array<QComboBox*, 4> GemEffectName{};
    std::array<QComboBox*, 4> GemQuality{};
    std::array<QLabel*, 4> GemPoints{};
    std::array<QLabel*, 4> GemCost{};
    std::array<QLabel*, 4> GemName{};
    QLineEdit* ArmorItemName = nullptr;
    QLabel* ArmorDPSLabel = nullptr;
    QLineEdit* ArmorDPS = nullptr;
    QLineEdit* ArmorSpeed = nullptr;
    QLineEdit* ArmorBonus = nullptr;
    QRadioButton* IsPlayerMade = nullptr;
    QRadioButton* IsDrop = nullptr;
    QPushButton* ArmorLoadDrop = nullptr;
    QPushButton* ArmorSaveDrop = nullptr;
    QLabel* ItemCost = nullptr;
    QPushButton* ArmorClear = nullptr;

    // Jewellery tab.
    QLineEdit* JewelryItemName = nullptr;
    QLabel* JewelryUtility = nullptr;
    std::array<QComboBox*, 4> JewelryEffectType{};
    std::array<QLineEdit*, 4> JewelryEffectAmount{};
    std::array<QComboBox*, 4> JewelryEffectName{};
    QLineEdit* JewelryLevel = nullptr;
    QLineEdit* JewelryQual = nullptr;
    QLineEdit* JewelryBonus = nullptr;
    QPushButton* JewelryLoad = nullptr;
    QPushButton* JewelrySave = nullptr;
    QPushButton* JewelryClear = nullptr;

    // Menus and the dialogs the file commands share.
    QAction* New1 = nullptr;
    QAction* Open1 = nullptr;
    QAction* Save1 = nullptr;
    QAction* SaveAs1 = nullptr;
    QAction* Exit1 = nullptr;
    QMenu* RecentFiles1 = nullptr;
    QMenu* Edit1 = nullptr;
    QAction* Undo1 = nullptr;
    QAction* Redo1 = nullptr;
    QAction* About1 = nullptr;
    QAction* PlanGems1 = nullptr;  // Tools, "Plan Gems..."
    QMenu* ReportPopup = nullptr;
    QAction* Assign1 = nullptr;
    // The file dialogs, owned by the window and made on first use (named "SaveDialog1" and
    // "OpenDialog1" so that a test can find and answer them). The callers choose the filter and
    // set the directory to StartDir before each use.
    QFileDialog* SaveDialog1();  // filters SaveDialogFilter, initial directory "."
    QFileDialog* OpenDialog1();  // filters OpenDialogFilter, initial directory "./items"
    static const QStringList SaveDialogFilter;
    static const QStringList OpenDialogFilter;

signals:
    // The window has closed (the player did not cancel): the application may end.
    void Closed();

public slots:
    // Armour/weapon tab.
    void Gem1EffectTypeChange(int row);
    void Gem1EffectAmountChange(int row);
    void Gem1EffectNameChange(int row);
    void Gem1QualityChange(int row);
    void DropEffect1AmountChange(int row);
    void ArmorQualityChange();
    void ArmorLevelChange();
    void ArmorItemNameChange();
    void IsPlayerMadeClick();
    void IsDropClick();
    void ArmorTabsChanging(int leftSlot);
    void ArmorTabsChange();
    void WeaponEquippedClick(bool checked);
    void ArmorClearClick();

    // Jewellery tab.
    void JewelryEffect1TypeChange(int row);
    void JewelryEffect1NameChange(int row);
    void JewelryEffect1AmountChange(int row);
    void JewelryItemNameChange();
    void JewelryTabsChanging(int leftSlot);
    void JewelryTabsChange();
    void JewelryClearClick();

    // Options and menus.
    void CharLevelChange();
    void CrafterSkillChange();
    void DisplaySelectClick();
    void RealmSelectChange(int index);
    void New1Click();
    void Exit1Click();
    void About1Click();

    // Slot finders and the item level calculator (MainFormFinders.cpp).
    // TotalStrClick .. TotalPowerClick and their name labels all come here with the effect type
    // (gw::TypeStat, TypeResist, TypeHits, TypePower) and the index within the type.
    void ShowSlotsWith(int type, int index);
    void TotalFocus1Click(QLabel* line);
    void TotalSkillsClick();
    void FindFreeSlotButtonClick();
    void ArmorLevelButtonClick();

    // The gem planner (MainFormPlan.cpp).
    void PlanGems1Click();

    // Configuration and item files, settings (MainFormFiles.cpp).
    void Open1Click();
    void Save1Click();
    void SaveAs1Click();
    void ArmorLoadDropClick();
    void ArmorSaveDropClick();
    void JewelryLoadClick();
    void JewelrySaveClick();
    void ReadSettings();   // construction step: reads gemwright.ini in StartDir
    void WriteSettings();  // when the window closes

    // Reports (MainFormReports.cpp).
    void GenerateReportButtonClick();
    void GenerateReportButton2Click();
    void Assign1Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildCharacterPanel(QWidget* host);
    void buildArmourPage();
    void buildJewelleryPage();
    void buildMenus();
    void connectHandlers();
    void setArmourTabOrder();
    void setJewelleryTabOrder();
    void applyArmourTabSteps();
    void showReportPopup(QPushButton* button, const QPoint& pos);
    // Undo, the recent files, drops and the question about unsaved changes (MainFormDesktop.cpp).
    void buildDesktopParts();
    bool maySetAsidePlan();
    bool openConfiguration(const QString& path);
    void restorePlan(const PlanState& plan, const QString* fileName);
    void planSaved(const QString& path);

    // The slot each page shows, remembered so that a user's tab switch stores the slot left.
    int m_armourSlot = 0;
    int m_jewellerySlot = 10;
    // The realm the items belong to: picking it again in the realm box changes nothing.
    int m_realm = 0;
    QButtonGroup* m_displayGroup = nullptr;
    QButtonGroup* m_modeGroup = nullptr;
    QFileDialog* m_saveDialog = nullptr;
    QFileDialog* m_openDialog = nullptr;
    bool m_shownOnce = false;
    ItemsUndo* m_undo = nullptr;
    RecentFiles* m_recent = nullptr;
};
