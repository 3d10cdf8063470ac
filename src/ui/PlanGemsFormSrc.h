// "Plan Gems": the player ticks the totals to bring to their caps, the slots the planner may
// change and how far it may go; the plan is solved off the user-interface thread and shown as a
// preview (gems per slot, totals before and after, price) that Apply writes into the items as
// one step and Close leaves unwritten.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "plan/GemPlanner.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QFutureWatcher>
#include <QThreadPool>
#include <QTimer>

#include "model/GWItem.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;
class QTreeWidget;
class QWidget;
class TMainForm;

class TPlanGemsForm : public QDialog {
    Q_OBJECT

public:
    // The dialog belongs to the main window, whose configuration it plans and whose ApplyItems
    // writes an applied plan.
    explicit TPlanGemsForm(TMainForm* mainForm);
    ~TPlanGemsForm() override;

    // Takes the configuration to plan for, with its realm and crafter skill, writes every
    // total's current value and cap into its check box, sets the slots to the default choice and
    // clears the last preview. The target ticks and options stay as the player left them (the
    // skill ticks too, unless the realm changed).
    void Prepare(const gw::Configuration& config, int realm, int crafterSkillIndex);

    // While a plan is being solved.
    bool Planning() const { return m_planning; }
    // The request the controls describe now.
    gw::PlanRequest Request() const;
    // The last plan shown (status Failed with no items before the first).
    const gw::PlanResult& Result() const { return m_result; }

    // One check box per total: the eight stats, the nine resists, hits, power (in that order),
    // then the skills of the realm.
    std::array<QCheckBox*, 8> StatTargets{};
    std::array<QCheckBox*, 9> ResistTargets{};
    QCheckBox* HitsTarget = nullptr;
    QCheckBox* PowerTarget = nullptr;
    std::vector<QCheckBox*> SkillTargets;
    QCheckBox* AllStats = nullptr;
    QCheckBox* AllResists = nullptr;
    std::array<QCheckBox*, gw::ArmourSlotCount> PlanSlots{};
    QCheckBox* KeepGems = nullptr;
    QComboBox* PlanGemQuality = nullptr;
    QRadioButton* NoOvercharge = nullptr;
    QRadioButton* AllowOvercharge = nullptr;
    QSpinBox* MinChance = nullptr;
    QPushButton* PlanButton = nullptr;
    QPushButton* CancelPlanButton = nullptr;
    QProgressBar* PlanBusy = nullptr;
    QTreeWidget* PlanPreview = nullptr;
    QTableWidget* PlanTotals = nullptr;
    QLabel* PlanPrice = nullptr;
    QLabel* PlanStatus = nullptr;
    QPushButton* ApplyButton = nullptr;
    QPushButton* CloseButton = nullptr;

public slots:
    void PlanButtonClick();
    void CancelPlanButtonClick();
    void ApplyButtonClick();
    void done(int result) override;

private:
    QWidget* buildTargets();
    QWidget* buildSlots();
    QWidget* buildOptions();
    QWidget* buildPreview();
    void rebuildSkillTargets();
    void writeTargetCaptions();
    void allStatsClick(bool checked);
    void allResistsClick(bool checked);
    void syncAllBoxes();
    void requestChanged();
    void setPlanning(bool planning);
    void planFinished();
    void showResult();
    void clearPreview(const QString& status);
    // Cancels a running plan and blocks until its worker has returned (the dialog is going).
    void stopPlanning();
    std::vector<QCheckBox*> targetBoxes() const;

    TMainForm* m_main;
    // What the plan is made from: the main window's state when the dialog was prepared. The
    // dialog is modal, so the window cannot change meanwhile.
    gw::Configuration m_config;
    int m_realm = 0;
    int m_crafterSkill = 0;
    int m_skillRealm = -1;  // realm the skill boxes were built for

    QGridLayout* m_skillGrid = nullptr;
    QButtonGroup* m_overchargeGroup = nullptr;

    gw::PlanResult m_result;
    bool m_resultShown = false;  // the preview shows m_result, not a prompt
    bool m_planning = false;
    // The result the dialog closes with once the cancelled plan has returned.
    std::optional<int> m_closeWith;
    // The running plan's cancel token, shared with the worker, which holds it to the end.
    std::shared_ptr<gw::PlanCancel> m_cancel;
    QFutureWatcher<gw::PlanResult> m_watcher;
    QElapsedTimer m_clock;
    QTimer m_tick;
    // One worker thread of the dialog's own, so that closing the dialog or the program can wait
    // for exactly the plan it started.
    QThreadPool m_pool;
};
