// Building the main window: its controls with their designed captions and defaults, the menus,
// the connections of the handlers and the keyboard order. Nothing here stores or refreshes: the
// designed figures show until the first edit.
#include "ui/MainForm.h"

#include <algorithm>

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "data/Globals.h"
#include "model/Gems.h"
#include "model/Imbue.h"
#include "ui/ClickableLabel.h"
#include "ui/GroupFrameStyle.h"
#include "ui/PanelAccess.h"

namespace {


QStringList ToQStringList(const std::vector<std::string>& texts)
{
    QStringList list;
    list.reserve(static_cast<qsizetype>(texts.size()));
    for (const auto& t : texts)
        list << QString::fromStdString(t);
    return list;
}

QStringList QualityItems()
{
    QStringList list;
    for (int q = 0; q < gw::QualityCount; ++q)
        list << QString::fromStdString(gw::QualityText(q));
    return list;
}

template <class W> W* Named(W* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

QLabel* MakeLabel(const QString& name, const QString& text)
{
    return Named(new QLabel(text), name);
}

// A figure the refresh rewrites: a fixed size with room for its longest text, so that a new
// value never asks the layouts above it to recompute, and its own background on the plain one
// beneath, so that a changed figure repaints itself alone instead of its group.
template <class L> L* AsFigure(L* label, const QString& widest)
{
    label->setFixedSize(label->fontMetrics().horizontalAdvance(widest) + 4, label->sizeHint().height());
    label->setAutoFillBackground(true);
    return label;
}

QGroupBox* MakeGroup(const QString& name, const QString& title)
{
    auto* box = Named(new QGroupBox(title), name);
    UsePlainGroupFrame(box);
    return box;
}

// A wheel turned over a list the player is not working in scrolls nothing. Qt would change the
// list's choice instead, and one turn over the realm list would clear all eighteen items.
class WheelOnlyWhenFocused : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Wheel) {
            auto* list = static_cast<QWidget*>(watched);
            if (!list->hasFocus()) {
                event->ignore();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

QComboBox* MakeList(const QString& name, const QStringList& items, int minimumChars, int visibleItems = 10)
{
    auto* box = Named(new QComboBox, name);
    box->setFocusPolicy(Qt::StrongFocus);
    box->installEventFilter(new WheelOnlyWhenFocused(box));
    box->addItems(items);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(minimumChars);
    box->setMaxVisibleItems(visibleItems);
    return box;
}

QLineEdit* MakeEdit(const QString& name, const QString& text, int maxLength, int widthChars)
{
    auto* edit = Named(new QLineEdit(text), name);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    if (widthChars > 0)
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QString(widthChars, QLatin1Char('0'))) + 14);
    return edit;
}

QPushButton* MakeButton(const QString& name, const QString& text)
{
    return Named(new QPushButton(text), name);
}

// The longest effect name of any type and realm: the effect lists are empty until a type is
// chosen, so their width cannot come from their contents.
int LongestEffectName()
{
    std::size_t longest = 0;
    for (int type = gw::TypeStat; type <= gw::TypeSkill; ++type)
        for (int realm = 0; realm < gw::RealmCount; ++realm)
            for (const auto& name : gw::EffectListTexts(type, realm))
                longest = std::max(longest, name.size());
    return static_cast<int>(longest);
}

QString LongestGemName()
{
    QString longest;
    for (int type = gw::TypeStat; type <= gw::TypeSkill; ++type)
        for (int realm = 0; realm < gw::RealmCount; ++realm)
            for (int index = 0; index < gw::EffectCount(type, realm); ++index) {
                const QString name = QString::fromStdString(gw::GemName(type, 9, index, realm));
                if (name.size() > longest.size())
                    longest = name;
            }
    return longest;
}

// The longest focus line: the largest focus amount and the longest focus name of any realm.
QString LongestFocusLine()
{
    QString longest;
    for (int realm = 0; realm < gw::RealmCount; ++realm)
        for (const auto& name : gw::EffectListTexts(gw::TypeFocus, realm))
            if (name.size() > static_cast<std::size_t>(longest.size()))
                longest = QString::fromStdString(name);
    return QStringLiteral("-000 ") + longest;
}

// The filters are built once, before a translator could be installed; a shipped translation
// would build them on first use instead.
QStringList DialogFilters(const char* pairs)
{
    const QStringList parts = QCoreApplication::translate("TMainForm", pairs).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << QStringLiteral("%1 (%2)").arg(parts[i], parts[i + 1]);
    return filters;
}

} // namespace

const QStringList TMainForm::SaveDialogFilter = DialogFilters(QT_TRANSLATE_NOOP(
    "TMainForm",
    "Gemwright Config|*.gwc|Chest Item|*.chest|Arms Item|*.arms|Head Item|*.head|Legs Item|*.legs|"
    "Hands Item|*.hands|Feet Item|*.feet|Weapon Item|*.weapon|Neck Item|*.neck|Cloak Item|*.cloak|"
    "Jewel Item|*.jewel|Belt Item|*.belt|Ring Item|*.ring|Wrist Item|*.wrist"));
const QStringList TMainForm::OpenDialogFilter = DialogFilters(QT_TRANSLATE_NOOP(
    "TMainForm",
    "Gemwright Config|*.gwc|Chest Item|*.chest|Arms Item|*.arms|Head Item|*.head|Legs Item|*.legs|"
    "Hands Item|*.hands|Feet Item|*.feet|Weapon|*.weapon|Neck Item|*.neck|Cloak Item|*.cloak|"
    "Jewel Item|*.jewel|Belt Item|*.belt|Ring Item|*.ring|Wrist Item|*.wrist|Report Definition|*.rpt"));

TMainForm::TMainForm() : TMainForm(QDir::currentPath()) {}

TMainForm::TMainForm(const QString& startDir, QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    SetTitles(QString());

    // 1. The controls with their designed properties.
    auto* central = new QWidget;
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(6, 6, 6, 6);
    auto* upper = new QWidget;
    buildCharacterPanel(upper);
    column->addWidget(upper);
    ArmorJewelryPage = Named(new QTabWidget, QStringLiteral("ArmorJewelryPage"));
    buildArmourPage();
    buildJewelleryPage();
    column->addWidget(ArmorJewelryPage, 1);
    setCentralWidget(central);
    buildMenus();

    // 2. and 4. to 8. The items are cleared by construction; the lists stand on their designed
    // entries; the caps are those of level 50 (Config's defaults).
    StartDir = startDir;  // 3. chosen by start-up (kept whole, however long)
    SuppressEquippedClick = 0;
    ConfigFileName.clear();

    // 9. Report definitions and the realm from gemwright.ini.
    ReadSettings();
    m_realm = RealmSelect->currentIndex();

    // 10. Right Hand and the armour count; Left Hand, 2 Handed and Ranged do not.
    Equipped.fill(1);
    Equipped[9] = 0;
    Equipped[8] = 0;
    Equipped[7] = 0;

    // 11.
    LoadingItem = 0;

    connectHandlers();
    MakeFiguresAccessible(*this);
    buildDesktopParts();
}

TMainForm::~TMainForm() = default;

void TMainForm::buildCharacterPanel(QWidget* host)
{
    auto* row = new QHBoxLayout(host);
    row->setContentsMargins(0, 0, 0, 0);
    const QString widestTotal = QStringLiteral("-000000");

    static const char* const statNames[8] = {
        QT_TR_NOOP("STR:"), QT_TR_NOOP("CON:"), QT_TR_NOOP("DEX:"), QT_TR_NOOP("QUI:"),
        QT_TR_NOOP("INT:"), QT_TR_NOOP("PIE:"), QT_TR_NOOP("CHA:"), QT_TR_NOOP("EMP:")};
    static const char* const statTotals[8] = {"TotalStr", "TotalCon", "TotalDex", "TotalQui",
                                              "TotalInt", "TotalPie", "TotalCha", "TotalEmp"};
    auto* stats = MakeGroup(QStringLiteral("GroupBox1"), tr("Stats"));
    auto* statGrid = new QGridLayout(stats);
    for (int i = 0; i < 8; ++i) {
        StatNameLabels[i] = Named(new ClickableLabel(tr(statNames[i])),
                                  QStringLiteral("Label%1").arg(16 + i));
        TotalStats[i] = AsFigure(Named(new ClickableLabel(QStringLiteral("0")), QString::fromLatin1(statTotals[i])),
                                 widestTotal);
        statGrid->addWidget(StatNameLabels[i], i, 0);
        statGrid->addWidget(TotalStats[i], i, 1);
    }
    statGrid->setRowStretch(8, 1);
    row->addWidget(stats);

    static const char* const resistNames[9] = {
        QT_TR_NOOP("Body:"), QT_TR_NOOP("Cold:"), QT_TR_NOOP("Heat:"), QT_TR_NOOP("Energy:"), QT_TR_NOOP("Matter:"),
        QT_TR_NOOP("Spirit:"), QT_TR_NOOP("Crush:"), QT_TR_NOOP("Thrust:"), QT_TR_NOOP("Slash:")};
    static const char* const resistTotals[9] = {"TotalBody",   "TotalCold",  "TotalHeat",
                                                "TotalEnergy", "TotalMatter", "TotalSpirit",
                                                "TotalCrush",  "TotalThrust", "TotalSlash"};
    auto* resists = MakeGroup(QStringLiteral("GroupBox2"), tr("Resists"));
    auto* resistGrid = new QGridLayout(resists);
    for (int i = 0; i < 9; ++i) {
        ResistNameLabels[i] = Named(new ClickableLabel(tr(resistNames[i])),
                                    QStringLiteral("Label%1").arg(24 + i));
        TotalResists[i] = AsFigure(
            Named(new ClickableLabel(QStringLiteral("0")), QString::fromLatin1(resistTotals[i])), widestTotal);
        resistGrid->addWidget(ResistNameLabels[i], i, 0);
        resistGrid->addWidget(TotalResists[i], i, 1);
    }
    resistGrid->setRowStretch(9, 1);
    row->addWidget(resists);

    auto* middle = new QVBoxLayout;
    auto* hitsPower = MakeGroup(QStringLiteral("GroupBox4"), tr("Hits and Power"));
    auto* hpGrid = new QGridLayout(hitsPower);
    Label33 = Named(new ClickableLabel(tr("Hits:")), QStringLiteral("Label33"));
    TotalHits = AsFigure(Named(new ClickableLabel(QStringLiteral("0")), QStringLiteral("TotalHits")), widestTotal);
    Label34 = Named(new ClickableLabel(tr("Power:")), QStringLiteral("Label34"));
    TotalPower = AsFigure(Named(new ClickableLabel(QStringLiteral("0")), QStringLiteral("TotalPower")), widestTotal);
    hpGrid->addWidget(Label33, 0, 0);
    hpGrid->addWidget(TotalHits, 0, 1);
    hpGrid->addWidget(Label34, 1, 0);
    hpGrid->addWidget(TotalPower, 1, 1);
    hpGrid->setColumnStretch(2, 1);
    middle->addWidget(hitsPower);

    auto* focus = MakeGroup(QStringLiteral("GroupBox3"), tr("Focus"));
    auto* focusColumn = new QVBoxLayout(focus);
    for (int i = 0; i < 4; ++i) {
        TotalFocus[i] = AsFigure(Named(new ClickableLabel(QStringLiteral("No Focus")),
                                       QStringLiteral("TotalFocus%1").arg(i + 1)),
                                 LongestFocusLine());
        focusColumn->addWidget(TotalFocus[i]);
    }
    middle->addWidget(focus);

    auto* cost = MakeGroup(QStringLiteral("GroupBox7"), tr("Total Cost"));
    auto* costColumn = new QVBoxLayout(cost);
    TotalCost = AsFigure(MakeLabel(QStringLiteral("TotalCost"), QStringLiteral("0c")),
                         QStringLiteral("2147p 483g 64s 47c "));
    costColumn->addWidget(TotalCost);
    middle->addWidget(cost);
    middle->addStretch(1);
    row->addLayout(middle);

    auto* skills = MakeGroup(QStringLiteral("GroupBox5"), tr("Skills"));
    auto* skillColumn = new QVBoxLayout(skills);
    TotalSkills = Named(new QListWidget, QStringLiteral("TotalSkills"));
    TotalSkills->setFocusPolicy(Qt::NoFocus);  // not a tab stop
    TotalSkills->setMinimumWidth(TotalSkills->fontMetrics().horizontalAdvance(QStringLiteral("-00 Two Handed Weapons")) + 30);
    skillColumn->addWidget(TotalSkills);
    row->addWidget(skills, 1);

    auto* right = new QVBoxLayout;
    DisplaySelect = MakeGroup(QStringLiteral("DisplaySelect"), tr("Display"));
    auto* displayColumn = new QVBoxLayout(DisplaySelect);
    m_displayGroup = new QButtonGroup(this);
    DisplaySelectItems[0] = Named(new QRadioButton(tr("Total Bonus")), QStringLiteral("DisplayTotalBonus"));
    DisplaySelectItems[1] = Named(new QRadioButton(tr("Distance to Cap")),
                                  QStringLiteral("DisplayDistanceToCap"));
    for (int i = 0; i < 2; ++i) {
        m_displayGroup->addButton(DisplaySelectItems[i], i);
        displayColumn->addWidget(DisplaySelectItems[i]);
    }
    DisplaySelectItems[0]->setChecked(true);
    right->addWidget(DisplaySelect);

    auto* options = MakeGroup(QStringLiteral("GroupBox6"), tr("Options"));
    auto* optionGrid = new QGridLayout(options);
    CrafterSkill = MakeList(QStringLiteral("CrafterSkill"), ToQStringList(gw::CrafterSkillListTexts()), 4, 20);
    CharLevel = MakeEdit(QStringLiteral("CharLevel"), QStringLiteral("50"), 0, 0);
    RealmSelect = MakeList(QStringLiteral("RealmSelect"),
                           {tr("Albion"), tr("Hibernia"), tr("Midgard")}, 8);
    optionGrid->addWidget(MakeLabel(QStringLiteral("Label47"), tr("Crafter Skill:")), 0, 0);
    optionGrid->addWidget(CrafterSkill, 0, 1);
    optionGrid->addWidget(MakeLabel(QStringLiteral("CharLevelLabel"), tr("Char Level:")), 1, 0);
    optionGrid->addWidget(CharLevel, 1, 1);
    optionGrid->addWidget(MakeLabel(QStringLiteral("Label48"), tr("Realm:")), 2, 0);
    optionGrid->addWidget(RealmSelect, 2, 1);
    FindFreeSlotButton = MakeButton(QStringLiteral("FindFreeSlotButton"), QStringLiteral("Find &Empty Slot (28)"));
    optionGrid->addWidget(FindFreeSlotButton, 3, 0, 1, 2);
    PlanGemsButton = MakeButton(QStringLiteral("PlanGemsButton"), tr("Plan &Gems..."));
    optionGrid->addWidget(PlanGemsButton, 3, 2);
    GenerateReportButton2 = MakeButton(QStringLiteral("GenerateReportButton2"), tr("Config Report"));
    GenerateReportButton = MakeButton(QStringLiteral("GenerateReportButton"), tr("Order Form"));
    for (QPushButton* button : {GenerateReportButton2, GenerateReportButton}) {
        button->setToolTip(tr("Right Click to assign a report file"));
        button->setContextMenuPolicy(Qt::CustomContextMenu);
    }
    optionGrid->addWidget(GenerateReportButton2, 4, 0);
    optionGrid->addWidget(GenerateReportButton, 4, 1);
    right->addWidget(options);
    right->addStretch(1);
    row->addLayout(right);
}

void TMainForm::buildArmourPage()
{
    ArmorSheet = Named(new QWidget, QStringLiteral("ArmorSheet"));
    ArmorSheet->setAutoFillBackground(true);
    auto* sheetColumn = new QVBoxLayout(ArmorSheet);
    sheetColumn->setSpacing(0);
    ArmorTabs = Named(new QTabBar, QStringLiteral("ArmorTabs"));
    ArmorTabs->setExpanding(false);
    ArmorTabs->setDrawBase(false);
    for (int slot = 0; slot < gw::ArmourSlotCount; ++slot)
        ArmorTabs->addTab(QString::fromLatin1(gw::SlotCaption(slot).data(),
                                              static_cast<qsizetype>(gw::SlotCaption(slot).size())));
    sheetColumn->addWidget(ArmorTabs);
    auto* pane = Named(new QFrame, QStringLiteral("ArmorTabsPane"));
    pane->setFrameShape(QFrame::StyledPanel);
    sheetColumn->addWidget(pane, 1);
    auto* grid = new QGridLayout(pane);
    grid->setVerticalSpacing(4);

    // The line above the gems: quality, level, and the item's points, utility and overcharge.
    ArmorQuality = MakeList(QStringLiteral("ArmorQuality"), QualityItems(), 3);
    ArmorQuality->setCurrentIndex(5);
    ArmorQual = MakeEdit(QStringLiteral("ArmorQual"), QStringLiteral("0"), 3, 4);
    ArmorQual->hide();
    ArmorLevel = MakeEdit(QStringLiteral("ArmorLevel"), QStringLiteral("51"), 0, 4);
    ArmorLevelButton = MakeButton(QStringLiteral("ArmorLevelButton"), QStringLiteral("..."));
    ArmorLevelButton->setFixedWidth(ArmorLevelButton->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 16);
    WeaponEquipped = Named(new QCheckBox(tr("E&quipped")), QStringLiteral("WeaponEquipped"));
    WeaponEquipped->hide();
    WeaponEquipped->setEnabled(false);

    grid->addWidget(WeaponEquipped, 0, 5, 1, 3, Qt::AlignLeft);
    grid->addWidget(MakeLabel(QStringLiteral("ArmorQualityLabel"), tr("Item Quality:")), 1, 0);
    grid->addWidget(ArmorQuality, 1, 1, Qt::AlignLeft);
    grid->addWidget(ArmorQual, 1, 1, Qt::AlignLeft);
    auto* levelLine = new QHBoxLayout;
    levelLine->setSpacing(2);
    levelLine->addWidget(MakeLabel(QStringLiteral("Label50"), tr("Item Level:")));
    levelLine->addSpacing(6);
    levelLine->addWidget(ArmorLevel);
    levelLine->addWidget(ArmorLevelButton);
    levelLine->addStretch(1);
    grid->addLayout(levelLine, 1, 2, 1, 3);

    auto* pointsLine = new QHBoxLayout;
    pointsLine->setSpacing(5);
    ArmorUsedPoints = AsFigure(MakeLabel(QStringLiteral("ArmorUsedPoints"), QStringLiteral("0")), QStringLiteral("000"));
    ArmorUsedPoints->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ArmorImbuePoints = AsFigure(MakeLabel(QStringLiteral("ArmorImbuePoints"), QStringLiteral("28")), QStringLiteral("000"));
    ArmorImbuePoints->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    pointsLine->addWidget(MakeLabel(QStringLiteral("PointLabel1"), tr("Used")));
    pointsLine->addWidget(ArmorUsedPoints);
    pointsLine->addWidget(MakeLabel(QStringLiteral("PointLabel2"), tr("of")));
    pointsLine->addWidget(ArmorImbuePoints);
    pointsLine->addWidget(MakeLabel(QStringLiteral("PointLabel3"), tr("Imbue Points")));
    pointsLine->addSpacing(12);
    pointsLine->addWidget(MakeLabel(QStringLiteral("Label15"), tr("Utility:")));
    ArmorUtility = AsFigure(MakeLabel(QStringLiteral("ArmorUtility"), QStringLiteral("0")), QStringLiteral("0000.0"));
    pointsLine->addWidget(ArmorUtility);
    pointsLine->addSpacing(12);
    pointsLine->addWidget(MakeLabel(QStringLiteral("OverchargeLabel"), tr("Overcharge:")));
    ArmorOvercharge = AsFigure(MakeLabel(QStringLiteral("ArmorOvercharge"), QStringLiteral("None")),
                               QStringLiteral("BOOM! (-000%)"));
    // The chance shows on a coloured badge: its text keeps off the badge's edge.
    ArmorOvercharge->setIndent(2);
    pointsLine->addWidget(ArmorOvercharge);
    pointsLine->addStretch(1);
    grid->addLayout(pointsLine, 1, 5, 1, 3);

    // Column headings. The drop's item name heading shares the place of "Points:".
    static const char* const headings[4][2] = {
        {"Label7", QT_TR_NOOP("Type:")}, {"Label8", QT_TR_NOOP("Amount:")}, {"Label9", QT_TR_NOOP("Effect:")},
        {"Label10", QT_TR_NOOP("Quality:")}};
    for (int c = 0; c < 4; ++c)
        grid->addWidget(MakeLabel(QString::fromLatin1(headings[c][0]), tr(headings[c][1])), 2, c + 1);
    grid->addWidget(MakeLabel(QStringLiteral("GemPointsLabel"), tr("Points:")), 2, 5);
    grid->addWidget(MakeLabel(QStringLiteral("GemCostLabel"), tr("Cost:")), 2, 6);
    grid->addWidget(MakeLabel(QStringLiteral("GemNameLabel"), tr("Name:")), 2, 7);
    auto* itemNameLabel = MakeLabel(QStringLiteral("ArmorItemNameLabel"), tr("Item Name:"));
    itemNameLabel->hide();
    grid->addWidget(itemNameLabel, 2, 5);

    const QStringList types = ToQStringList(gw::EffectTypeListTexts());
    const int effectChars = LongestEffectName();
    const QString widestCost = QStringLiteral("000g 00s 00c ");
    const QString widestName = LongestGemName();
    for (int k = 0; k < 4; ++k) {
        const int r = 3 + k;
        const QString n = QString::number(k + 1);
        grid->addWidget(MakeLabel(QStringLiteral("Label%1").arg(3 + k), tr("Gem %1:").arg(n)), r, 0);
        GemEffectType[k] = MakeList(QStringLiteral("Gem%1EffectType").arg(n), types, 6);
        GemEffectAmount[k] = MakeList(QStringLiteral("Gem%1EffectAmount").arg(n), {}, 3, 10);
        DropEffectAmount[k] = MakeEdit(QStringLiteral("DropEffect%1Amount").arg(n), QStringLiteral("0"), 3, 4);
        DropEffectAmount[k]->hide();
        GemEffectName[k] = MakeList(QStringLiteral("Gem%1EffectName").arg(n), {}, effectChars, 15);
        GemQuality[k] = MakeList(QStringLiteral("Gem%1Quality").arg(n), QualityItems(), 3);
        GemPoints[k] = AsFigure(MakeLabel(QStringLiteral("Gem%1Points").arg(n), QStringLiteral("0")), QStringLiteral("00.0"));
        GemCost[k] = AsFigure(MakeLabel(QStringLiteral("Gem%1Cost").arg(n), QStringLiteral("0c")), widestCost);
        GemName[k] = AsFigure(MakeLabel(QStringLiteral("Gem%1Name").arg(n), QStringLiteral("None")), widestName);
        grid->addWidget(GemEffectType[k], r, 1);
        grid->addWidget(GemEffectAmount[k], r, 2);
        grid->addWidget(DropEffectAmount[k], r, 2);
        grid->addWidget(GemEffectName[k], r, 3);
        grid->addWidget(GemQuality[k], r, 4);
        grid->addWidget(GemPoints[k], r, 5);
        grid->addWidget(GemCost[k], r, 6);
        grid->addWidget(GemName[k], r, 7);
    }

    // The drop's fields lie over the points, cost and name columns.
    ArmorItemName = MakeEdit(QStringLiteral("ArmorItemName"), QString(), 255, 0);
    ArmorDPSLabel = MakeLabel(QStringLiteral("ArmorDPSLabel"), tr("AF:"));
    ArmorDPS = MakeEdit(QStringLiteral("ArmorDPS"), QStringLiteral("0"), 4, 5);
    auto* speedLabel = MakeLabel(QStringLiteral("ArmorSpeedLabel"), tr("Speed:"));
    ArmorSpeed = MakeEdit(QStringLiteral("ArmorSpeed"), QStringLiteral("0"), 3, 5);
    ArmorSpeed->setEnabled(false);
    auto* bonusLabel = MakeLabel(QStringLiteral("ArmorBonusLabel"), tr("Bonus:"));
    ArmorBonus = MakeEdit(QStringLiteral("ArmorBonus"), QStringLiteral("0"), 3, 5);
    for (QWidget* w : std::initializer_list<QWidget*>{ArmorItemName, ArmorDPSLabel, ArmorDPS, speedLabel, ArmorSpeed,
                                                      bonusLabel, ArmorBonus})
        w->hide();
    grid->addWidget(ArmorItemName, 3, 5, 1, 3);
    grid->addWidget(ArmorDPSLabel, 4, 5);
    grid->addWidget(ArmorDPS, 4, 6, Qt::AlignLeft);
    grid->addWidget(speedLabel, 5, 5);
    grid->addWidget(ArmorSpeed, 5, 6, Qt::AlignLeft);
    grid->addWidget(bonusLabel, 6, 5);
    grid->addWidget(ArmorBonus, 6, 6, Qt::AlignLeft);

    // The bottom line: the mode, the item buttons and the item's cost.
    m_modeGroup = new QButtonGroup(this);
    IsPlayerMade = Named(new QRadioButton(tr("Player Made")), QStringLiteral("IsPlayerMade"));
    IsDrop = Named(new QRadioButton(tr("Drop")), QStringLiteral("IsDrop"));
    m_modeGroup->addButton(IsPlayerMade);
    m_modeGroup->addButton(IsDrop);
    IsPlayerMade->setChecked(true);
    auto* modeLine = new QHBoxLayout;
    modeLine->setSpacing(6);
    modeLine->addWidget(IsPlayerMade);
    modeLine->addWidget(IsDrop);
    modeLine->addStretch(1);
    grid->addLayout(modeLine, 7, 0, 1, 3);
    ArmorLoadDrop = MakeButton(QStringLiteral("ArmorLoadDrop"), tr("Load Item"));
    ArmorSaveDrop = MakeButton(QStringLiteral("ArmorSaveDrop"), tr("Save Item"));
    ArmorSaveDrop->hide();
    auto* itemButtons = new QHBoxLayout;
    itemButtons->setSpacing(6);
    itemButtons->addWidget(ArmorLoadDrop);
    itemButtons->addWidget(ArmorSaveDrop);
    itemButtons->addStretch(1);
    grid->addLayout(itemButtons, 7, 3, 1, 2);
    grid->addWidget(MakeLabel(QStringLiteral("ItemCostLabel"), tr("Item Cost:")), 7, 5);
    ItemCost = AsFigure(MakeLabel(QStringLiteral("ItemCost"), QStringLiteral("0c")), widestCost);
    grid->addWidget(ItemCost, 7, 6);
    ArmorClear = MakeButton(QStringLiteral("ArmorClear"), tr("Clear Item"));
    grid->addWidget(ArmorClear, 7, 7, Qt::AlignRight);

    grid->setColumnStretch(8, 1);
    grid->setRowStretch(8, 1);
    // The player-made and drop controls share their places: a hidden one keeps its room, so that
    // nothing moves when the mode switches.
    for (QWidget* w : pane->findChildren<QWidget*>()) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }

    ArmorJewelryPage->addTab(ArmorSheet, tr("Armor/Weapons"));
    setArmourTabOrder();
}

void TMainForm::buildJewelleryPage()
{
    JewelrySheet = Named(new QWidget, QStringLiteral("JewelrySheet"));
    JewelrySheet->setAutoFillBackground(true);
    auto* sheetColumn = new QVBoxLayout(JewelrySheet);
    sheetColumn->setSpacing(0);
    JewelryTabs = Named(new QTabBar, QStringLiteral("JewelryTabs"));
    JewelryTabs->setExpanding(false);
    JewelryTabs->setDrawBase(false);
    for (int slot = gw::FirstJewellerySlot; slot < gw::SlotCount; ++slot)
        JewelryTabs->addTab(QString::fromLatin1(gw::SlotCaption(slot).data(),
                                                static_cast<qsizetype>(gw::SlotCaption(slot).size())));
    sheetColumn->addWidget(JewelryTabs);
    auto* pane = Named(new QFrame, QStringLiteral("JewelryTabsPane"));
    pane->setFrameShape(QFrame::StyledPanel);
    sheetColumn->addWidget(pane, 1);
    auto* grid = new QGridLayout(pane);
    grid->setVerticalSpacing(4);

    JewelryItemName = MakeEdit(QStringLiteral("JewelryItemName"), QString(), 255, 0);
    grid->addWidget(MakeLabel(QStringLiteral("Label35"), tr("Item Name:")), 0, 0);
    grid->addWidget(JewelryItemName, 0, 1, 1, 3);
    auto* utilityLine = new QHBoxLayout;
    utilityLine->setSpacing(6);
    utilityLine->addWidget(MakeLabel(QStringLiteral("Label56"), tr("Utility:")));
    JewelryUtility = AsFigure(MakeLabel(QStringLiteral("JewelryUtility"), QStringLiteral("0")), QStringLiteral("0000.0"));
    utilityLine->addWidget(JewelryUtility);
    utilityLine->addStretch(1);
    grid->addLayout(utilityLine, 0, 4, 1, 2);

    grid->addWidget(MakeLabel(QStringLiteral("Label43"), tr("Type:")), 1, 1);
    grid->addWidget(MakeLabel(QStringLiteral("Label44"), tr("Amount:")), 1, 2);
    grid->addWidget(MakeLabel(QStringLiteral("Label45"), tr("Effect:")), 1, 3);

    const QStringList types = ToQStringList(gw::EffectTypeListTexts());
    const int effectChars = LongestEffectName();
    for (int k = 0; k < 4; ++k) {
        const int r = 2 + k;
        const QString n = QString::number(k + 1);
        grid->addWidget(MakeLabel(QStringLiteral("Label%1").arg(37 + k), tr("Effect %1:").arg(n)), r, 0);
        JewelryEffectType[k] = MakeList(QStringLiteral("JewelryEffect%1Type").arg(n), types, 6);
        JewelryEffectAmount[k] = MakeEdit(QStringLiteral("JewelryEffect%1Amount").arg(n), QStringLiteral("0"), 3, 4);
        JewelryEffectName[k] = MakeList(QStringLiteral("JewelryEffect%1Name").arg(n), {}, effectChars, 15);
        grid->addWidget(JewelryEffectType[k], r, 1);
        grid->addWidget(JewelryEffectAmount[k], r, 2);
        grid->addWidget(JewelryEffectName[k], r, 3);
    }

    JewelryLevel = MakeEdit(QStringLiteral("JewelryLevel"), QStringLiteral("0"), 0, 4);
    JewelryQual = MakeEdit(QStringLiteral("JewelryQual"), QStringLiteral("0"), 0, 4);
    JewelryBonus = MakeEdit(QStringLiteral("JewelryBonus"), QStringLiteral("0"), 0, 4);
    grid->addWidget(MakeLabel(QStringLiteral("JewelryLevelLabel"), tr("Level:")), 2, 4);
    grid->addWidget(JewelryLevel, 2, 5, Qt::AlignLeft);
    grid->addWidget(MakeLabel(QStringLiteral("JewelryQualLabel"), tr("Qual:")), 3, 4);
    grid->addWidget(JewelryQual, 3, 5, Qt::AlignLeft);
    grid->addWidget(MakeLabel(QStringLiteral("JewelryBonusLabel"), tr("Bonus:")), 4, 4);
    grid->addWidget(JewelryBonus, 4, 5, Qt::AlignLeft);

    JewelryLoad = MakeButton(QStringLiteral("JewelryLoad"), tr("Load Item"));
    JewelrySave = MakeButton(QStringLiteral("JewelrySave"), tr("Save Item"));
    JewelryClear = MakeButton(QStringLiteral("JewelryClear"), tr("Clear Item"));
    auto* itemButtons = new QHBoxLayout;
    itemButtons->setSpacing(6);
    itemButtons->addStretch(1);
    itemButtons->addWidget(JewelryLoad);
    itemButtons->addWidget(JewelrySave);
    grid->setRowMinimumHeight(6, 8);
    grid->addLayout(itemButtons, 7, 1, 1, 3);
    // The right part of the tab stays empty; Clear Item sits at its far end.
    grid->setColumnStretch(6, 1);
    grid->addWidget(JewelryClear, 7, 6, Qt::AlignRight);
    grid->setRowStretch(8, 1);

    ArmorJewelryPage->addTab(JewelrySheet, tr("Jewelry"));
    setJewelleryTabOrder();
}

void TMainForm::buildMenus()
{
    auto* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    auto* file = Named(bar->addMenu(tr("&File")), QStringLiteral("File1"));
    New1 = Named(file->addAction(tr("&New")), QStringLiteral("New1"));
    Open1 = Named(file->addAction(tr("&Open...")), QStringLiteral("Open1"));
    Open1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    Save1 = Named(file->addAction(tr("&Save")), QStringLiteral("Save1"));
    Save1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    SaveAs1 = Named(file->addAction(tr("Save &As...")), QStringLiteral("SaveAs1"));
    Named(file->addSeparator(), QStringLiteral("N2"));
    Exit1 = Named(file->addAction(tr("E&xit")), QStringLiteral("Exit1"));
    auto* tools = Named(bar->addMenu(tr("&Tools")), QStringLiteral("Tools1"));
    PlanGems1 = Named(tools->addAction(tr("&Plan Gems...")), QStringLiteral("PlanGems1"));
    PlanGems1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    auto* help = Named(bar->addMenu(tr("&Help")), QStringLiteral("Help1"));
    About1 = Named(help->addAction(tr("&About...")), QStringLiteral("About1"));

    ReportPopup = Named(new QMenu(this), QStringLiteral("ReportPopup"));
    Assign1 = Named(ReportPopup->addAction(tr("Assign...")), QStringLiteral("Assign1"));
    Assign1->setToolTip(tr("Assign a report to this button"));
    Assign1->setStatusTip(Assign1->toolTip());
}

void TMainForm::setArmourTabOrder()
{
    std::vector<QWidget*> order = {ArmorTabs, WeaponEquipped, ArmorQuality, ArmorQual, ArmorLevel, ArmorLevelButton};
    for (int k = 0; k < 4; ++k)
        order.insert(order.end(),
                     {GemEffectType[k], GemEffectAmount[k], DropEffectAmount[k], GemEffectName[k], GemQuality[k]});
    order.insert(order.end(), {ArmorItemName, ArmorDPS, ArmorSpeed, ArmorBonus, IsPlayerMade, IsDrop, ArmorLoadDrop,
                               ArmorSaveDrop, ArmorClear});
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void TMainForm::setJewelleryTabOrder()
{
    std::vector<QWidget*> order = {JewelryTabs, JewelryItemName};
    for (int k = 0; k < 4; ++k)
        order.insert(order.end(), {JewelryEffectType[k], JewelryEffectAmount[k], JewelryEffectName[k]});
    order.insert(order.end(), {JewelryLevel, JewelryQual, JewelryBonus, JewelryLoad, JewelrySave, JewelryClear});
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void TMainForm::connectHandlers()
{
    // Lists: only the user's choice runs a handler (`activated`); the program's selections do not.
    // Edit boxes: every text change, the program's included; the handlers test LoadingItem.
    for (int k = 0; k < 4; ++k) {
        connect(GemEffectType[k], &QComboBox::activated, this, [this, k] { Gem1EffectTypeChange(k); });
        connect(GemEffectAmount[k], &QComboBox::activated, this, [this, k] { Gem1EffectAmountChange(k); });
        connect(GemEffectName[k], &QComboBox::activated, this, [this, k] { Gem1EffectNameChange(k); });
        connect(GemQuality[k], &QComboBox::activated, this, [this, k] { Gem1QualityChange(k); });
        connect(DropEffectAmount[k], &QLineEdit::textChanged, this, [this, k] { DropEffect1AmountChange(k); });
        connect(JewelryEffectType[k], &QComboBox::activated, this, [this, k] { JewelryEffect1TypeChange(k); });
        connect(JewelryEffectName[k], &QComboBox::activated, this, [this, k] { JewelryEffect1NameChange(k); });
        connect(JewelryEffectAmount[k], &QLineEdit::textChanged, this, [this, k] { JewelryEffect1AmountChange(k); });
    }
    connect(ArmorQuality, &QComboBox::activated, this, &TMainForm::ArmorQualityChange);
    connect(ArmorLevel, &QLineEdit::textChanged, this, &TMainForm::ArmorLevelChange);
    for (QLineEdit* edit : {ArmorItemName, ArmorDPS, ArmorSpeed, ArmorQual, ArmorBonus})
        connect(edit, &QLineEdit::textChanged, this, &TMainForm::ArmorItemNameChange);
    for (QLineEdit* edit : {JewelryItemName, JewelryQual, JewelryBonus, JewelryLevel})
        connect(edit, &QLineEdit::textChanged, this, &TMainForm::JewelryItemNameChange);

    // Radio buttons and the check box: a state change, the program's included; for a pair, the
    // button that became checked acts.
    connect(IsPlayerMade, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            IsPlayerMadeClick();
    });
    connect(IsDrop, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            IsDropClick();
    });
    connect(WeaponEquipped, &QCheckBox::toggled, this, &TMainForm::WeaponEquippedClick);
    for (QRadioButton* item : DisplaySelectItems)
        connect(item, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                DisplaySelectClick();
        });

    // Tabs: the program selects with the bar's signals blocked; a user's switch stores the slot
    // that was left (remembered, since the bar already shows the new one) and loads the new one.
    connect(ArmorTabs, &QTabBar::currentChanged, this, [this] {
        ArmorTabsChanging(m_armourSlot);
        ArmorTabsChange();
    });
    connect(JewelryTabs, &QTabBar::currentChanged, this, [this] {
        JewelryTabsChanging(m_jewellerySlot);
        JewelryTabsChange();
    });

    connect(ArmorClear, &QPushButton::clicked, this, &TMainForm::ArmorClearClick);
    connect(JewelryClear, &QPushButton::clicked, this, &TMainForm::JewelryClearClick);
    connect(ArmorLevelButton, &QPushButton::clicked, this, &TMainForm::ArmorLevelButtonClick);
    connect(ArmorLoadDrop, &QPushButton::clicked, this, &TMainForm::ArmorLoadDropClick);
    connect(ArmorSaveDrop, &QPushButton::clicked, this, &TMainForm::ArmorSaveDropClick);
    connect(JewelryLoad, &QPushButton::clicked, this, &TMainForm::JewelryLoadClick);
    connect(JewelrySave, &QPushButton::clicked, this, &TMainForm::JewelrySaveClick);

    connect(CharLevel, &QLineEdit::textChanged, this, &TMainForm::CharLevelChange);
    connect(CrafterSkill, &QComboBox::activated, this, &TMainForm::CrafterSkillChange);
    connect(RealmSelect, &QComboBox::activated, this, &TMainForm::RealmSelectChange);
    connect(FindFreeSlotButton, &QPushButton::clicked, this, &TMainForm::FindFreeSlotButtonClick);
    connect(PlanGemsButton, &QPushButton::clicked, this, &TMainForm::PlanGems1Click);
    connect(PlanGems1, &QAction::triggered, this, &TMainForm::PlanGems1Click);
    connect(GenerateReportButton, &QPushButton::clicked, this, &TMainForm::GenerateReportButtonClick);
    connect(GenerateReportButton2, &QPushButton::clicked, this, &TMainForm::GenerateReportButton2Click);
    for (QPushButton* button : {GenerateReportButton, GenerateReportButton2})
        connect(button, &QPushButton::customContextMenuRequested, this,
                [this, button](const QPoint& pos) { showReportPopup(button, pos); });
    connect(Assign1, &QAction::triggered, this, &TMainForm::Assign1Click);

    // The totals and their name labels ask where an effect comes from.
    for (int i = 0; i < 8; ++i)
        for (ClickableLabel* label : {StatNameLabels[i], TotalStats[i]})
            connect(label, &ClickableLabel::clicked, this, [this, i] { ShowSlotsWith(gw::TypeStat, i); });
    for (int i = 0; i < 9; ++i)
        for (ClickableLabel* label : {ResistNameLabels[i], TotalResists[i]})
            connect(label, &ClickableLabel::clicked, this, [this, i] { ShowSlotsWith(gw::TypeResist, i); });
    for (ClickableLabel* label : {Label33, TotalHits})
        connect(label, &ClickableLabel::clicked, this, [this] { ShowSlotsWith(gw::TypeHits, 0); });
    for (ClickableLabel* label : {Label34, TotalPower})
        connect(label, &ClickableLabel::clicked, this, [this] { ShowSlotsWith(gw::TypePower, 0); });
    for (ClickableLabel* label : TotalFocus)
        connect(label, &ClickableLabel::clicked, this, [this, label] { TotalFocus1Click(label); });
    connect(TotalSkills, &QListWidget::itemClicked, this, &TMainForm::TotalSkillsClick);

    connect(New1, &QAction::triggered, this, &TMainForm::New1Click);
    connect(Open1, &QAction::triggered, this, &TMainForm::Open1Click);
    connect(Save1, &QAction::triggered, this, &TMainForm::Save1Click);
    connect(SaveAs1, &QAction::triggered, this, &TMainForm::SaveAs1Click);
    connect(Exit1, &QAction::triggered, this, &TMainForm::Exit1Click);
    connect(About1, &QAction::triggered, this, &TMainForm::About1Click);
}

void TMainForm::showReportPopup(QPushButton* button, const QPoint& pos)
{
    PopupComponent = button;
    ReportPopup->popup(button->mapToGlobal(pos));
}
