#include "ui/PlanGemsFormSrc.h"

#include <algorithm>
#include <exception>
#include <string>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include "data/Globals.h"
#include "model/Gems.h"
#include "model/Imbue.h"
#include "model/Totals.h"
#include "ui/MainForm.h"
#include "ui/Text.h"

namespace {

// The object names of the stat and resist boxes follow the totals they stand for on the main
// window (TotalStr becomes PlanStr).
const std::array<const char*, 8> StatBoxNames{"PlanStr", "PlanCon", "PlanDex", "PlanQui",
                                              "PlanInt", "PlanPie", "PlanCha", "PlanEmp"};
const std::array<const char*, 9> ResistBoxNames{"PlanBody",   "PlanCold",   "PlanHeat",
                                                "PlanEnergy", "PlanMatter", "PlanSpirit",
                                                "PlanCrush",  "PlanThrust", "PlanSlash"};

constexpr int DefaultMinChance = 85;
constexpr int DefaultGemQuality = 5;  // 99

// The figures come before the long effect texts, so that they stay in view in a narrow window.
enum PreviewColumn { ColumnSlot, ColumnPoints, ColumnChance, ColumnPrice, ColumnEffect, PreviewColumns };
enum TotalsColumn { ColumnTotal, ColumnCap, ColumnBefore, ColumnAfter, TotalsColumns };

template <class W> W* Named(W* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

QString Money(std::int64_t copper)
{
    const QString text = QString::fromStdString(gw::FormatMoney(copper)).trimmed();
    return text.isEmpty() ? QStringLiteral("0c") : text;
}

// The chance colours of the armour tab, except that yellow becomes a dark amber: the preview
// is drawn on the list's light base, where pure yellow cannot be read.
QColor ChanceColour(gw::ChanceColour colour, const QPalette& palette)
{
    switch (colour) {
    case gw::ChanceColour::Green:
        return QColor(0, 128, 0);
    case gw::ChanceColour::Yellow:
        return QColor(176, 128, 0);
    case gw::ChanceColour::Red:
        return QColor(255, 0, 0);
    case gw::ChanceColour::WindowText:
        break;
    }
    return palette.color(QPalette::Text);
}

// "+28 Strength": what a gem adds to its total.
QString EffectText(int type, int effect, int tier, int realm)
{
    return QStringLiteral("+%1 %2").arg(gw::GemAmount(type, tier)).arg(
        FromCp1252(gw::LookupEffectName(type, realm, effect)));
}

QTableWidgetItem* Cell(const QString& text, Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(align);
    item->setFlags(Qt::ItemIsEnabled);
    return item;
}

gw::PlanResult FailedPlan(const std::string& why)
{
    gw::PlanResult failed;
    failed.status = gw::PlanStatus::Failed;
    failed.message = "The plan failed: " + why;
    return failed;
}

} // namespace

TPlanGemsForm::TPlanGemsForm(TMainForm* mainForm) : QDialog(mainForm), m_main(mainForm)
{
    setObjectName(QStringLiteral("PlanGemsForm"));
    setWindowTitle(tr("Plan Gems"));
    m_pool.setMaxThreadCount(1);

    auto* column = new QVBoxLayout(this);
    auto* request = new QHBoxLayout;
    request->addWidget(buildTargets(), 1);
    auto* side = new QVBoxLayout;
    side->addWidget(buildSlots());
    side->addWidget(buildOptions());
    side->addStretch(1);
    request->addLayout(side);
    column->addLayout(request);

    auto* run = new QHBoxLayout;
    PlanButton = Named(new QPushButton(tr("&Plan")), QStringLiteral("PlanButton"));
    PlanButton->setDefault(true);
    CancelPlanButton = Named(new QPushButton(tr("&Cancel")), QStringLiteral("CancelPlanButton"));
    CancelPlanButton->setAutoDefault(false);
    CancelPlanButton->setEnabled(false);
    PlanBusy = Named(new QProgressBar, QStringLiteral("PlanBusy"));
    PlanBusy->setRange(0, 0);  // no end known: the bar only says that the solver is working
    PlanBusy->setTextVisible(false);
    // The bar keeps its place while hidden, so that the buttons beside it never move.
    QSizePolicy keepPlace = PlanBusy->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    PlanBusy->setSizePolicy(keepPlace);
    PlanBusy->setVisible(false);
    run->addWidget(PlanButton);
    run->addWidget(CancelPlanButton);
    run->addWidget(PlanBusy, 1);
    column->addLayout(run);

    column->addWidget(buildPreview(), 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    ApplyButton = Named(new QPushButton(tr("&Apply")), QStringLiteral("ApplyButton"));
    ApplyButton->setAutoDefault(false);
    ApplyButton->setEnabled(false);
    CloseButton = Named(new QPushButton(tr("Close")), QStringLiteral("CloseButton"));
    CloseButton->setAutoDefault(false);
    buttons->addWidget(ApplyButton);
    buttons->addWidget(CloseButton);
    column->addLayout(buttons);

    connect(PlanButton, &QPushButton::clicked, this, &TPlanGemsForm::PlanButtonClick);
    connect(CancelPlanButton, &QPushButton::clicked, this, &TPlanGemsForm::CancelPlanButtonClick);
    connect(ApplyButton, &QPushButton::clicked, this, &TPlanGemsForm::ApplyButtonClick);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(&m_watcher, &QFutureWatcher<gw::PlanResult>::finished, this, &TPlanGemsForm::planFinished);
    m_tick.setInterval(200);
    connect(&m_tick, &QTimer::timeout, this, [this] {
        if (m_planning && !m_cancel->Cancelled())
            PlanStatus->setText(tr("Planning... %1 s").arg(m_clock.elapsed() / 1000));
    });

    clearPreview(tr("Tick the totals to bring to their caps, then press Plan."));
    resize(sizeHint().width(), 760);
}

TPlanGemsForm::~TPlanGemsForm()
{
    stopPlanning();
    m_pool.waitForDone();
}

QWidget* TPlanGemsForm::buildTargets()
{
    auto* box = Named(new QGroupBox(tr("Bring to the cap")), QStringLiteral("PlanTargets"));
    auto* row = new QHBoxLayout(box);

    auto* fixed = new QGridLayout;
    AllStats = Named(new QCheckBox(tr("All Stats")), QStringLiteral("AllStats"));
    AllResists = Named(new QCheckBox(tr("All Resists")), QStringLiteral("AllResists"));
    fixed->addWidget(AllStats, 0, 0);
    fixed->addWidget(AllResists, 0, 1);
    for (std::size_t i = 0; i < StatTargets.size(); ++i) {
        StatTargets[i] = Named(new QCheckBox, QString::fromLatin1(StatBoxNames[i]));
        fixed->addWidget(StatTargets[i], static_cast<int>(i) + 1, 0);
    }
    for (std::size_t i = 0; i < ResistTargets.size(); ++i) {
        ResistTargets[i] = Named(new QCheckBox, QString::fromLatin1(ResistBoxNames[i]));
        fixed->addWidget(ResistTargets[i], static_cast<int>(i) + 1, 1);
    }
    HitsTarget = Named(new QCheckBox, QStringLiteral("PlanHits"));
    PowerTarget = Named(new QCheckBox, QStringLiteral("PlanPower"));
    fixed->addWidget(HitsTarget, 1, 2);
    fixed->addWidget(PowerTarget, 2, 2);
    fixed->setRowStretch(10, 1);
    row->addLayout(fixed);

    // The realm's skills, many more than the rows above: they scroll in a column of their own.
    auto* skills = new QScrollArea;
    skills->setObjectName(QStringLiteral("PlanSkills"));
    skills->setWidgetResizable(true);
    skills->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* skillHost = new QWidget;
    m_skillGrid = new QGridLayout(skillHost);
    skills->setWidget(skillHost);
    skills->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Two Handed Weapons: 00 / 00")) + 60);
    row->addWidget(skills, 1);

    for (QCheckBox* target : targetBoxes())
        connect(target, &QCheckBox::toggled, this, [this] {
            syncAllBoxes();
            requestChanged();
        });
    connect(AllStats, &QCheckBox::clicked, this, &TPlanGemsForm::allStatsClick);
    connect(AllResists, &QCheckBox::clicked, this, &TPlanGemsForm::allResistsClick);
    return box;
}

QWidget* TPlanGemsForm::buildSlots()
{
    auto* box = Named(new QGroupBox(tr("Slots it may change")), QStringLiteral("PlanSlotsBox"));
    auto* grid = new QGridLayout(box);
    for (int slot = 0; slot < gw::ArmourSlotCount; ++slot) {
        auto* check = Named(new QCheckBox(FromCp1252(gw::SlotCaption(slot))), QStringLiteral("PlanSlot%1").arg(slot));
        PlanSlots[static_cast<std::size_t>(slot)] = check;
        grid->addWidget(check, slot % 5, slot / 5);
        connect(check, &QCheckBox::toggled, this, &TPlanGemsForm::requestChanged);
    }
    return box;
}

QWidget* TPlanGemsForm::buildOptions()
{
    auto* box = Named(new QGroupBox(tr("Gems")), QStringLiteral("PlanOptions"));
    auto* grid = new QGridLayout(box);
    KeepGems = Named(new QCheckBox(tr("&Keep gems already set")), QStringLiteral("KeepGems"));
    KeepGems->setChecked(true);
    grid->addWidget(KeepGems, 0, 0, 1, 2);

    auto* qualityLabel = Named(new QLabel(tr("Gem &quality:")), QStringLiteral("PlanGemQualityLabel"));
    PlanGemQuality = Named(new QComboBox, QStringLiteral("PlanGemQuality"));
    for (int q = 0; q < gw::QualityCount; ++q)
        PlanGemQuality->addItem(QString::fromStdString(gw::QualityText(q)));
    PlanGemQuality->setCurrentIndex(DefaultGemQuality);
    qualityLabel->setBuddy(PlanGemQuality);
    grid->addWidget(qualityLabel, 1, 0);
    grid->addWidget(PlanGemQuality, 1, 1, Qt::AlignLeft);

    NoOvercharge = Named(new QRadioButton(tr("&No overcharge")), QStringLiteral("NoOvercharge"));
    AllowOvercharge = Named(new QRadioButton(tr("O&vercharge while the chance is at least")),
                            QStringLiteral("AllowOvercharge"));
    m_overchargeGroup = new QButtonGroup(this);
    m_overchargeGroup->addButton(NoOvercharge);
    m_overchargeGroup->addButton(AllowOvercharge);
    NoOvercharge->setChecked(true);
    MinChance = Named(new QSpinBox, QStringLiteral("MinChance"));
    // A chance below 1 explodes; the best the rules can give is a little above 100.
    MinChance->setRange(1, 100);
    MinChance->setSuffix(QStringLiteral("%"));
    MinChance->setValue(DefaultMinChance);
    MinChance->setEnabled(false);
    grid->addWidget(NoOvercharge, 2, 0, 1, 2);
    grid->addWidget(AllowOvercharge, 3, 0, 1, 2);
    grid->addWidget(MinChance, 4, 1, Qt::AlignLeft);

    connect(KeepGems, &QCheckBox::toggled, this, &TPlanGemsForm::requestChanged);
    connect(PlanGemQuality, &QComboBox::currentIndexChanged, this, &TPlanGemsForm::requestChanged);
    connect(AllowOvercharge, &QRadioButton::toggled, this, [this](bool allowed) {
        MinChance->setEnabled(allowed && !m_planning);
        requestChanged();
    });
    connect(MinChance, &QSpinBox::valueChanged, this, &TPlanGemsForm::requestChanged);
    return box;
}

QWidget* TPlanGemsForm::buildPreview()
{
    auto* host = new QWidget;
    auto* column = new QVBoxLayout(host);
    column->setContentsMargins(0, 0, 0, 0);
    auto* tables = new QHBoxLayout;

    PlanPreview = Named(new QTreeWidget, QStringLiteral("PlanPreview"));
    PlanPreview->setColumnCount(PreviewColumns);
    PlanPreview->setHeaderLabels({tr("Slot / gem"), tr("Points"), tr("Chance"), tr("Price"), tr("Effect")});
    PlanPreview->setRootIsDecorated(false);
    PlanPreview->setSelectionMode(QAbstractItemView::NoSelection);
    PlanPreview->setMinimumHeight(180);
    tables->addWidget(PlanPreview, 3);

    PlanTotals = Named(new QTableWidget(0, TotalsColumns), QStringLiteral("PlanTotals"));
    PlanTotals->setHorizontalHeaderLabels({tr("Total"), tr("Cap"), tr("Before"), tr("After")});
    PlanTotals->verticalHeader()->setVisible(false);
    PlanTotals->setSelectionMode(QAbstractItemView::NoSelection);
    PlanTotals->setEditTriggers(QAbstractItemView::NoEditTriggers);
    PlanTotals->horizontalHeader()->setSectionResizeMode(ColumnTotal, QHeaderView::Stretch);
    PlanTotals->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    tables->addWidget(PlanTotals, 2);
    column->addLayout(tables, 1);

    PlanPrice = Named(new QLabel, QStringLiteral("PlanPrice"));
    PlanStatus = Named(new QLabel, QStringLiteral("PlanStatus"));
    PlanStatus->setWordWrap(true);
    PlanStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(PlanPrice);
    column->addWidget(PlanStatus);
    return host;
}

std::vector<QCheckBox*> TPlanGemsForm::targetBoxes() const
{
    std::vector<QCheckBox*> boxes(StatTargets.begin(), StatTargets.end());
    boxes.insert(boxes.end(), ResistTargets.begin(), ResistTargets.end());
    boxes.push_back(HitsTarget);
    boxes.push_back(PowerTarget);
    boxes.insert(boxes.end(), SkillTargets.begin(), SkillTargets.end());
    return boxes;
}

void TPlanGemsForm::Prepare(const gw::Configuration& config, int realm, int crafterSkillIndex)
{
    m_config = config;
    m_realm = realm;
    m_crafterSkill = crafterSkillIndex;
    if (m_skillRealm != m_realm)
        rebuildSkillTargets();
    writeTargetCaptions();

    const std::array<bool, gw::SlotCount> defaults = gw::DefaultPlanSlots(m_config);
    for (int slot = 0; slot < gw::ArmourSlotCount; ++slot) {
        QCheckBox* check = PlanSlots[static_cast<std::size_t>(slot)];
        const QSignalBlocker blocker(check);
        // A drop's effects are typed, not gems: there is nothing the planner could set there.
        const bool playerMade = m_config.Items[static_cast<std::size_t>(slot)].PlayerMade != 0;
        check->setEnabled(playerMade);
        check->setChecked(defaults[static_cast<std::size_t>(slot)]);
        check->setToolTip(!playerMade ? tr("A drop: its effects are not gems")
                          : m_config.Equipped[static_cast<std::size_t>(slot)] == 0
                              ? tr("Not equipped: its gems add nothing to the totals")
                              : QString());
    }
    m_result = gw::PlanResult{};
    m_closeWith.reset();
    clearPreview(tr("Tick the totals to bring to their caps, then press Plan."));
}

void TPlanGemsForm::rebuildSkillTargets()
{
    for (QCheckBox* old : SkillTargets)
        delete old;
    SkillTargets.clear();
    const int count = gw::EffectCount(gw::TypeSkill, m_realm);
    for (int index = 0; index < count; ++index) {
        auto* check = Named(new QCheckBox, QStringLiteral("PlanSkill%1").arg(index));
        m_skillGrid->addWidget(check, index, 0);
        SkillTargets.push_back(check);
        connect(check, &QCheckBox::toggled, this, &TPlanGemsForm::requestChanged);
    }
    m_skillGrid->setRowStretch(count, 1);
    m_skillRealm = m_realm;
}

void TPlanGemsForm::writeTargetCaptions()
{
    const gw::CharacterTotals totals = gw::SumTotals(m_config, m_realm);
    auto caption = [this](QCheckBox* box, gw::PlanTarget target, std::int64_t total) {
        box->setText(tr("%1: %2 / %3")
                         .arg(FromCp1252(gw::PlanTargetName(target, m_realm)))
                         .arg(total)
                         .arg(gw::PlanTargetCap(target, m_config.caps)));
    };
    for (std::size_t i = 0; i < StatTargets.size(); ++i)
        caption(StatTargets[i], {gw::TypeStat, static_cast<int>(i)}, totals.stats[i]);
    for (std::size_t i = 0; i < ResistTargets.size(); ++i)
        caption(ResistTargets[i], {gw::TypeResist, static_cast<int>(i)}, totals.resists[i]);
    caption(HitsTarget, {gw::TypeHits, 0}, totals.hits);
    caption(PowerTarget, {gw::TypePower, 0}, totals.power);
    for (std::size_t i = 0; i < SkillTargets.size() && i < totals.skills.size(); ++i)
        caption(SkillTargets[i], {gw::TypeSkill, static_cast<int>(i)}, totals.skills[i]);
}

gw::PlanRequest TPlanGemsForm::Request() const
{
    gw::PlanRequest request;
    for (std::size_t i = 0; i < StatTargets.size(); ++i)
        if (StatTargets[i]->isChecked())
            request.targets.push_back({gw::TypeStat, static_cast<int>(i)});
    for (std::size_t i = 0; i < ResistTargets.size(); ++i)
        if (ResistTargets[i]->isChecked())
            request.targets.push_back({gw::TypeResist, static_cast<int>(i)});
    if (HitsTarget->isChecked())
        request.targets.push_back({gw::TypeHits, 0});
    if (PowerTarget->isChecked())
        request.targets.push_back({gw::TypePower, 0});
    for (std::size_t i = 0; i < SkillTargets.size(); ++i)
        if (SkillTargets[i]->isChecked())
            request.targets.push_back({gw::TypeSkill, static_cast<int>(i)});
    for (std::size_t slot = 0; slot < PlanSlots.size(); ++slot)
        request.mayChange[slot] = m_config.Items[slot].PlayerMade != 0 && PlanSlots[slot]->isChecked();
    request.replaceGems = !KeepGems->isChecked();
    request.gemQuality = PlanGemQuality->currentIndex();
    if (AllowOvercharge->isChecked())
        request.minChance = MinChance->value();
    return request;
}

void TPlanGemsForm::allStatsClick(bool checked)
{
    for (QCheckBox* stat : StatTargets)
        stat->setChecked(checked);
}

void TPlanGemsForm::allResistsClick(bool checked)
{
    for (QCheckBox* resist : ResistTargets)
        resist->setChecked(checked);
}

void TPlanGemsForm::syncAllBoxes()
{
    auto all = [](const auto& boxes) {
        return std::all_of(boxes.begin(), boxes.end(), [](const QCheckBox* b) { return b->isChecked(); });
    };
    const QSignalBlocker stats(AllStats);
    const QSignalBlocker resists(AllResists);
    AllStats->setChecked(all(StatTargets));
    AllResists->setChecked(all(ResistTargets));
}

void TPlanGemsForm::requestChanged()
{
    // A preview belongs to the request it was made for; once the request differs it could only
    // mislead, so it goes and Apply with it.
    if (m_planning || !m_resultShown)
        return;
    m_result = gw::PlanResult{};
    clearPreview(tr("Press Plan to plan for the new choice."));
}

void TPlanGemsForm::PlanButtonClick()
{
    if (m_planning)
        return;
    const gw::PlanRequest request = Request();
    m_cancel = std::make_shared<gw::PlanCancel>();
    clearPreview(tr("Planning..."));
    setPlanning(true);
    m_watcher.setFuture(QtConcurrent::run(
        &m_pool, [config = m_config, realm = m_realm, skill = m_crafterSkill, request, cancel = m_cancel] {
            // Nothing the solver does may end the program: whatever escapes becomes a failed plan.
            try {
                return gw::PlanGems(config, realm, skill, request, cancel.get());
            } catch (const std::exception& error) {
                return FailedPlan(error.what());
            } catch (...) {
                return FailedPlan("an unexpected error occurred.");
            }
        }));
}

void TPlanGemsForm::CancelPlanButtonClick()
{
    if (!m_planning)
        return;
    m_cancel->Cancel();
    CancelPlanButton->setEnabled(false);
    PlanStatus->setText(tr("Cancelling..."));
}

void TPlanGemsForm::planFinished()
{
    // A plan that the dialog stopped waiting for (it was closed) has nothing left to show.
    if (!m_planning)
        return;
    m_result = m_watcher.result();
    setPlanning(false);
    if (m_closeWith) {
        const int result = *m_closeWith;
        m_closeWith.reset();
        m_result = gw::PlanResult{};
        clearPreview(tr("The plan was cancelled."));
        QDialog::done(result);
        return;
    }
    showResult();
}

void TPlanGemsForm::stopPlanning()
{
    m_closeWith.reset();
    if (!m_planning)
        return;
    m_cancel->Cancel();
    m_watcher.waitForFinished();
    setPlanning(false);
    m_result = gw::PlanResult{};
    clearPreview(tr("The plan was cancelled."));
}

void TPlanGemsForm::setPlanning(bool planning)
{
    m_planning = planning;
    for (QWidget* request : {findChild<QWidget*>(QStringLiteral("PlanTargets")),
                             findChild<QWidget*>(QStringLiteral("PlanSlotsBox")),
                             findChild<QWidget*>(QStringLiteral("PlanOptions"))})
        request->setEnabled(!planning);
    MinChance->setEnabled(!planning && AllowOvercharge->isChecked());
    PlanButton->setEnabled(!planning);
    CancelPlanButton->setEnabled(planning);
    PlanBusy->setVisible(planning);
    ApplyButton->setEnabled(!planning && m_result.HasPlan());
    if (planning) {
        m_clock.start();
        m_tick.start();
    } else {
        m_tick.stop();
    }
}

void TPlanGemsForm::done(int result)
{
    // Closing while the solver works cancels it. The solver notices at its next step, which can
    // take a moment; the dialog stays up and responsive, saying so, and closes once the worker
    // has returned, so that no plan outlives the dialog that asked for it.
    if (m_planning) {
        m_closeWith = result;
        CancelPlanButtonClick();
        return;
    }
    QDialog::done(result);
}

void TPlanGemsForm::clearPreview(const QString& status)
{
    PlanPreview->clear();
    PlanTotals->setRowCount(0);
    PlanPrice->clear();
    PlanStatus->setText(status);
    ApplyButton->setEnabled(false);
    m_resultShown = false;
}

void TPlanGemsForm::showResult()
{
    PlanPreview->clear();
    for (const gw::PlannedItem& planned : m_result.items) {
        std::int64_t price = 0;
        for (const gw::PlannedGem& gem : planned.gems)
            price += gem.price;
        auto* slot = new QTreeWidgetItem(PlanPreview);
        slot->setText(ColumnSlot, FromCp1252(gw::SlotCaption(planned.slot)));
        slot->setText(ColumnEffect, tr("Used %1 of %2 imbue points (was %3)")
                                        .arg(planned.usedAfter)
                                        .arg(planned.capacity)
                                        .arg(planned.usedBefore));
        slot->setText(ColumnPoints, QString::number(planned.usedAfter));
        slot->setText(ColumnChance, QString::fromStdString(planned.overchargeAfter.text));
        slot->setForeground(ColumnChance, ChanceColour(planned.overchargeAfter.colour, PlanPreview->palette()));
        slot->setText(ColumnPrice, Money(price));
        QFont bold = slot->font(ColumnSlot);
        bold.setBold(true);
        slot->setFont(ColumnSlot, bold);

        for (const gw::PlannedGem& gem : planned.gems) {
            auto* line = new QTreeWidgetItem(slot);
            line->setText(ColumnSlot, tr("Gem %1").arg(gem.row + 1));
            QString effect = tr("%1 (%2, quality %3)")
                                 .arg(EffectText(gem.type, gem.effect, gem.tier, m_realm),
                                      FromCp1252(gw::GemName(gem.type, gem.tier, gem.effect, m_realm)),
                                      QString::fromStdString(gw::QualityText(gem.quality)));
            if (gem.replaces) {
                const gw::GWItem& was = planned.before;
                const auto row = static_cast<std::size_t>(gem.row);
                effect += tr(", replaces %1")
                              .arg(EffectText(was.EffectType[row], was.EffectName[row], was.EffectAmount[row], m_realm));
            }
            line->setText(ColumnEffect, effect);
            line->setText(ColumnPoints, QString::number(gem.points));
            line->setText(ColumnPrice, Money(gem.price));
        }
        for (int c : {ColumnPoints, ColumnChance, ColumnPrice}) {
            slot->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
            for (int i = 0; i < slot->childCount(); ++i)
                slot->child(i)->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    PlanPreview->expandAll();
    for (int c = 0; c < PreviewColumns; ++c)
        PlanPreview->resizeColumnToContents(c);

    PlanTotals->setRowCount(static_cast<int>(m_result.totals.size()));
    for (std::size_t i = 0; i < m_result.totals.size(); ++i) {
        const gw::PlannedTotal& total = m_result.totals[i];
        const int row = static_cast<int>(i);
        PlanTotals->setItem(row, ColumnTotal, Cell(FromCp1252(gw::PlanTargetName(total.target, m_realm)),
                                                   Qt::AlignLeft | Qt::AlignVCenter));
        PlanTotals->setItem(row, ColumnCap, Cell(QString::number(total.cap)));
        PlanTotals->setItem(row, ColumnBefore, Cell(QString::number(total.before)));
        auto* after = Cell(QString::number(total.after));
        if (total.after != total.before) {
            QFont bold = after->font();
            bold.setBold(true);
            after->setFont(bold);
        }
        PlanTotals->setItem(row, ColumnAfter, after);
    }
    PlanTotals->resizeColumnsToContents();

    PlanPrice->setText(tr("Price of all gems: %1 before, %2 after")
                           .arg(Money(m_result.priceBefore), Money(m_result.priceAfter)));
    QString status = FromCp1252(gw::PlanStatusLine(m_result));
    if (!m_result.slotsLeftAlone.empty()) {
        QStringList names;
        for (int slot : m_result.slotsLeftAlone)
            names << FromCp1252(gw::SlotCaption(slot));
        status += QLatin1Char('\n') +
                  tr("Left as they are, their gems already beyond the overcharge allowed: %1").arg(names.join(QStringLiteral(", ")));
    }
    PlanStatus->setText(status);
    ApplyButton->setEnabled(m_result.HasPlan());
    m_resultShown = true;
}

void TPlanGemsForm::ApplyButtonClick()
{
    if (m_planning || !m_result.HasPlan())
        return;
    gw::Configuration planned = m_config;
    gw::ApplyPlan(planned, m_result);
    m_main->ApplyItems(planned.Items, tr("Plan Gems"));
    accept();
}
