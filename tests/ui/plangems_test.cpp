// The gem planner's window as a player uses it: opened from the Tools menu or the button beside
// Find Empty Slot, totals ticked, Plan, the preview read, then Apply or Close; Cancel and closing
// while the solver works.
#include <functional>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include "data/Globals.h"
#include "model/Gems.h"
#include "support/GuiTest.h"
#include "ui/MainForm.h"
#include "ui/PlanGemsFormSrc.h"

namespace {

constexpr int Chest = 0;
constexpr int Arms = 1;
constexpr int Legs = 3;
constexpr int LeftHand = 7;

// A long solve can take the solver's whole time limit on a slow machine.
constexpr int PlanTimeoutMs = 30000;

} // namespace

class PlanGemsTest : public gwtest::MainWindowTest {
    Q_OBJECT

private slots:
    void opensFromTheMenuAndTheButton();
    void planAndApply_data();
    void planAndApply();
    void closeChangesNothingAndANewChoiceDropsThePreview();
    void cancelAndCloseWhileTheSolverWorks();

private:
    // Opens the planner with `open` (a shortcut or a click) and lets `drive` work it while it is
    // up; a planner that `drive` leaves open is closed. False when the planner never came up.
    bool DrivePlanner(const std::function<void()>& open, const std::function<void(TPlanGemsForm&)>& drive)
    {
        bool seen = false;
        gwtest::AnswerModal([&](QWidget* modal) {
            auto* planner = qobject_cast<TPlanGemsForm*>(modal);
            if (planner == nullptr) {
                modal->close();
                return;
            }
            seen = true;
            const gwtest::DrivingModal driving;
            drive(*planner);
            if (planner->isVisible())
                planner->reject();
        });
        open();
        return seen;
    }

    void PressPlanShortcut()
    {
        m_form->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), m_form.get());
        QWidget* target = m_form->focusWidget() != nullptr ? m_form->focusWidget() : m_form.get();
        QTest::keyClick(target, Qt::Key_G, Qt::ControlModifier);
    }

    void ShowArmourTab(int slot)
    {
        if (m_form->ArmorJewelryPage->currentWidget() != m_form->ArmorSheet)
            gwtest::ClickTab(m_form->ArmorJewelryPage->tabBar(), 0);
        if (m_form->ArmorTabs->currentIndex() != slot)
            gwtest::ClickTab(m_form->ArmorTabs, slot);
    }

    // A player-made item of level 51 (capacity 28 at the designed quality 99) on each slot.
    void LevelSlots(std::initializer_list<int> armourSlots)
    {
        for (int slot : armourSlots) {
            ShowArmourTab(slot);
            gwtest::TypeOver(m_form->ArmorLevel, QStringLiteral("51"));
        }
        ShowArmourTab(Chest);
    }

    static void Plan(TPlanGemsForm& planner)
    {
        gwtest::Click(planner.PlanButton);
        QTRY_VERIFY_WITH_TIMEOUT(!planner.Planning(), PlanTimeoutMs);
    }
};

void PlanGemsTest::opensFromTheMenuAndTheButton()
{
    QVERIFY(OpenApplicationWindow());
    auto* tools = m_form->findChild<QMenu*>(QStringLiteral("Tools1"));
    QVERIFY(tools != nullptr);
    QVERIFY(tools->actions().contains(m_form->PlanGems1));
    QCOMPARE(m_form->PlanGems1->objectName(), QStringLiteral("PlanGems1"));
    QCOMPARE(m_form->PlanGemsButton->parentWidget(), m_form->FindFreeSlotButton->parentWidget());

    // Midgard at level 40 (caps: stat 60, resist 21, skill 9, hits 160); a Strength gem of +4
    // on the chest and a drop on the legs.
    gwtest::ChooseEntry(m_form->RealmSelect, 2);
    gwtest::TypeOver(m_form->CharLevel, QStringLiteral("40"));
    ShowArmourTab(Chest);
    gwtest::ChooseEntry(m_form->GemEffectType[0], gw::TypeStat);
    gwtest::ChooseEntry(m_form->GemEffectAmount[0], 1);
    ShowArmourTab(Legs);
    gwtest::Click(m_form->IsDrop);
    ShowArmourTab(Chest);

    QVERIFY(DrivePlanner([this] { PressPlanShortcut(); },
                         [](TPlanGemsForm& planner) {
                             QCOMPARE(planner.objectName(), QStringLiteral("PlanGemsForm"));
                             QCOMPARE(planner.StatTargets[0]->text(), QStringLiteral("Strength: 4 / 60"));
                             QCOMPARE(planner.HitsTarget->text(), QStringLiteral("Hits: 0 / 160"));
                             const int skills = gw::EffectCount(gw::TypeSkill, 2);
                             QCOMPARE(static_cast<int>(planner.SkillTargets.size()), skills);
                             QCOMPARE(planner.findChildren<QCheckBox*>(QRegularExpression(QStringLiteral("^PlanSkill\\d+$"))).size(),
                                      skills);
                             QCOMPARE(planner.SkillTargets[0]->text(),
                                      QString::fromLatin1(gw::LookupEffectName(gw::TypeSkill, 2, 0)) +
                                          QStringLiteral(": 0 / 9"));
                             // The equipped player-made slots are offered; a drop cannot be.
                             QVERIFY(planner.PlanSlots[Chest]->isChecked());
                             QVERIFY(!planner.PlanSlots[Legs]->isEnabled());
                             QVERIFY(!planner.PlanSlots[Legs]->isChecked());
                             QVERIFY(planner.PlanSlots[LeftHand]->isEnabled());
                             QVERIFY(!planner.PlanSlots[LeftHand]->isChecked());

                             // All Stats ticks and clears the eight at once and follows them.
                             gwtest::Click(planner.AllStats);
                             for (QCheckBox* stat : planner.StatTargets)
                                 QVERIFY(stat->isChecked());
                             gwtest::Click(planner.StatTargets[3]);
                             QVERIFY(!planner.AllStats->isChecked());
                             gwtest::Click(planner.StatTargets[3]);
                             QVERIFY(planner.AllStats->isChecked());
                             gwtest::Click(planner.AllStats);
                             QVERIFY(planner.Request().targets.empty());
                             gwtest::Click(planner.CloseButton);
                         }));

    // Another realm lists its own skills the next time; the plan edited above is set aside.
    gwtest::AnswerMessageBox(QMessageBox::Discard, nullptr);
    gwtest::ChooseEntry(m_form->RealmSelect, 1);
    QTRY_COMPARE(gwtest::PendingAnswers(), 0);
    QVERIFY(DrivePlanner([this] { gwtest::Click(m_form->PlanGemsButton); },
                         [this](TPlanGemsForm& planner) {
                             QCOMPARE(&planner, m_form->PlanGemsForm);
                             const int skills = gw::EffectCount(gw::TypeSkill, 1);
                             QCOMPARE(planner.findChildren<QCheckBox*>(QRegularExpression(QStringLiteral("^PlanSkill\\d+$"))).size(),
                                      skills);
                             QCOMPARE(planner.SkillTargets[static_cast<std::size_t>(skills - 1)]->text(),
                                      QString::fromLatin1(gw::LookupEffectName(gw::TypeSkill, 1, skills - 1)) +
                                          QStringLiteral(": 0 / 9"));
                             QTest::keyClick(&planner, Qt::Key_Escape);
                             QVERIFY(!planner.isVisible());
                         }));
}

void PlanGemsTest::planAndApply_data()
{
    QTest::addColumn<int>("minChance");
    QTest::newRow("no overcharge") << 0;
    QTest::newRow("overcharge while the chance is at least 85%") << 85;
}

void PlanGemsTest::planAndApply()
{
    QFETCH(int, minChance);
    QVERIFY(OpenApplicationWindow());
    LevelSlots({Chest, Arms});
    // A Constitution gem already on the arms stays where it is.
    ShowArmourTab(Arms);
    gwtest::ChooseEntry(m_form->GemEffectType[2], gw::TypeStat);
    gwtest::ChooseEntry(m_form->GemEffectName[2], 1);
    ShowArmourTab(Chest);
    const gw::Configuration before = m_form->Config;

    gw::PlanResult result;
    QVERIFY(DrivePlanner([this] { gwtest::Click(m_form->PlanGemsButton); },
                         [&](TPlanGemsForm& planner) {
                             for (QCheckBox* target : {planner.StatTargets[0], planner.StatTargets[1]})
                                 gwtest::Click(target);
                             if (minChance > 0) {
                                 gwtest::Click(planner.AllowOvercharge);
                                 QVERIFY(planner.MinChance->isEnabled());
                                 QCOMPARE(planner.MinChance->value(), minChance);
                             }
                             Plan(planner);
                             result = planner.Result();
                             // Proven or not, a plan found is one the window can show and apply.
                             QVERIFY(result.status == gw::PlanStatus::Optimal ||
                                     result.status == gw::PlanStatus::TimeLimit);
                             QVERIFY(result.HasPlan());
                             QVERIFY(planner.ApplyButton->isEnabled());
                             QVERIFY(!planner.PlanBusy->isVisible());

                             // One line per slot changed, one below it per gem, none on the arms'
                             // Constitution gem that was kept.
                             QCOMPARE(planner.PlanPreview->topLevelItemCount(), static_cast<int>(result.items.size()));
                             for (std::size_t i = 0; i < result.items.size(); ++i) {
                                 const QTreeWidgetItem* line = planner.PlanPreview->topLevelItem(static_cast<int>(i));
                                 QCOMPARE(line->text(0), QString::fromLatin1(gw::SlotCaption(result.items[i].slot)));
                                 QCOMPARE(line->childCount(), static_cast<int>(result.items[i].gems.size()));
                                 for (const gw::PlannedGem& gem : result.items[i].gems)
                                     QVERIFY(!(result.items[i].slot == Arms && gem.row == 2));
                             }
                             QCOMPARE(planner.PlanTotals->rowCount(), 2);
                             QCOMPARE(planner.PlanTotals->item(1, 3)->text(), QString::number(result.totals[1].after));
                             QVERIFY(!planner.PlanStatus->text().isEmpty());
                             gwtest::Click(planner.ApplyButton);
                             QVERIFY(!planner.isVisible());
                         }));
    QVERIFY(result.HasPlan());

    // The window now holds exactly the planned items, and every figure it shows agrees with
    // the preview: the totals, the price, and each changed item's points and chance.
    gw::Configuration expected = before;
    gw::ApplyPlan(expected, result);
    // Showing a jewellery item marks it as not player-made, as every load of that tab does.
    expected.Items[static_cast<std::size_t>(m_form->CurrentJewellerySlot())].PlayerMade = 0;
    QVERIFY(m_form->Items == expected.Items);
    QCOMPARE(m_form->TotalStats[0]->text(), QString::number(result.totals[0].after));
    QCOMPARE(m_form->TotalStats[1]->text(), QString::number(result.totals[1].after));
    QVERIFY(result.valueAfter > result.valueBefore);
    QCOMPARE(m_form->TotalCost->text(), QString::fromStdString(gw::TotalCostText(expected)));
    QCOMPARE(gw::TotalCostCopper(expected), result.priceAfter);
    for (const gw::PlannedItem& item : result.items) {
        ShowArmourTab(item.slot);
        QCOMPARE(m_form->ArmorUsedPoints->text(), QString::number(item.usedAfter));
        QCOMPARE(m_form->ArmorImbuePoints->text(), QString::number(item.capacity));
        QCOMPARE(m_form->ArmorOvercharge->text(), QString::fromStdString(item.overchargeAfter.text));
        if (minChance == 0)
            QCOMPARE(m_form->ArmorOvercharge->text(), QStringLiteral("None"));
        else if (item.overchargeAfter.hasChance)
            QVERIFY(item.overchargeAfter.chance >= minChance);
        for (const gw::PlannedGem& gem : item.gems)
            QCOMPARE(m_form->GemEffectType[static_cast<std::size_t>(gem.row)]->currentIndex(), gem.type);
    }
}

void PlanGemsTest::closeChangesNothingAndANewChoiceDropsThePreview()
{
    // Nothing edited yet: the chest shows the designed level 51 (28 points) over a cleared item
    // of level 0. The plan is made for what the player sees.
    QVERIFY(OpenApplicationWindow());
    const gw::Configuration before = m_form->Config;
    QCOMPARE(before.Items[Chest].Level, 0);
    const QString strength = m_form->TotalStats[0]->text();
    const QString cost = m_form->TotalCost->text();

    QVERIFY(DrivePlanner([this] { gwtest::Click(m_form->PlanGemsButton); },
                         [](TPlanGemsForm& planner) {
                             gwtest::Click(planner.StatTargets[0]);
                             Plan(planner);
                             QVERIFY(planner.ApplyButton->isEnabled());
                             QCOMPARE(planner.PlanPreview->topLevelItemCount(), 1);
                             QCOMPARE(planner.Result().items[0].slot, Chest);
                             QCOMPARE(planner.Result().items[0].capacity, 28);
                             // Another choice makes the preview a stale answer: it goes.
                             // One step down the list, from the keyboard, as a player picks 100.
                             QCOMPARE(planner.PlanGemQuality->currentIndex(), 5);
                             planner.PlanGemQuality->setFocus(Qt::OtherFocusReason);
                             QTest::keyClick(planner.PlanGemQuality, Qt::Key_Down);
                             QCOMPARE(planner.PlanGemQuality->currentIndex(), 6);
                             QVERIFY(!planner.ApplyButton->isEnabled());
                             QCOMPARE(planner.PlanPreview->topLevelItemCount(), 0);
                             QCOMPARE(planner.PlanTotals->rowCount(), 0);
                             Plan(planner);
                             QVERIFY(planner.ApplyButton->isEnabled());
                             for (const gw::PlannedItem& item : planner.Result().items)
                                 for (const gw::PlannedGem& gem : item.gems)
                                     QCOMPARE(gem.quality, 6);
                             gwtest::Click(planner.CloseButton);
                         }));
    QVERIFY(m_form->Items == before.Items);
    QCOMPARE(m_form->TotalStats[0]->text(), strength);
    QCOMPARE(m_form->TotalCost->text(), cost);

    // Opened again, the choices stay and the old preview is gone.
    QVERIFY(DrivePlanner([this] { PressPlanShortcut(); },
                         [](TPlanGemsForm& planner) {
                             QVERIFY(planner.StatTargets[0]->isChecked());
                             QCOMPARE(planner.PlanGemQuality->currentIndex(), 6);
                             QCOMPARE(planner.PlanPreview->topLevelItemCount(), 0);
                             QVERIFY(!planner.ApplyButton->isEnabled());
                         }));
    QVERIFY(m_form->Items == before.Items);
}

void PlanGemsTest::cancelAndCloseWhileTheSolverWorks()
{
    QVERIFY(OpenApplicationWindow());
    // Seven empty items, every stat, resist, hits and power, overcharge allowed: a long solve.
    LevelSlots({0, 1, 2, 3, 4, 5, 6});
    const gw::Configuration before = m_form->Config;

    QVERIFY(DrivePlanner([this] { gwtest::Click(m_form->PlanGemsButton); },
                         [](TPlanGemsForm& planner) {
                             for (QCheckBox* all : {planner.AllStats, planner.AllResists, planner.HitsTarget,
                                                    planner.PowerTarget})
                                 gwtest::Click(all);
                             gwtest::Click(planner.AllowOvercharge);

                             gwtest::Click(planner.PlanButton);
                             QVERIFY(planner.Planning());
                             QVERIFY(planner.PlanBusy->isVisible());
                             QVERIFY(!planner.PlanButton->isEnabled());
                             QVERIFY(!planner.StatTargets[0]->isEnabled());
                             QVERIFY(!planner.ApplyButton->isEnabled());
                             // Well inside the solve; left alone it would run to the time limit.
                             QTest::qWait(300);
                             QVERIFY(planner.Planning());
                             gwtest::Click(planner.CancelPlanButton);
                             QTRY_VERIFY_WITH_TIMEOUT(!planner.Planning(), 5000);
                             QCOMPARE(planner.Result().status, gw::PlanStatus::Cancelled);
                             QVERIFY(!planner.PlanBusy->isVisible());
                             QVERIFY(planner.PlanButton->isEnabled());
                             QVERIFY(planner.StatTargets[0]->isEnabled());

                             // Closed while the solver works: the dialog stops it, stays
                             // responsive while it winds down, then goes with nothing shown.
                             gwtest::Click(planner.PlanButton);
                             QTest::qWait(300);
                             QTest::keyClick(&planner, Qt::Key_Escape);
                             QTRY_VERIFY_WITH_TIMEOUT(!planner.isVisible(), 5000);
                             QVERIFY(!planner.Planning());
                             QVERIFY(!planner.Result().HasPlan());
                         }));
    QVERIFY(m_form->Items == before.Items);

    // A plan still running when the program ends (the dialog only hidden) is stopped and waited
    // for as the windows are destroyed.
    QVERIFY(DrivePlanner([this] { gwtest::Click(m_form->PlanGemsButton); },
                         [](TPlanGemsForm& planner) {
                             gwtest::Click(planner.PlanButton);
                             planner.hide();
                         }));
    QVERIFY(m_form->PlanGemsForm->Planning());
    m_form.reset();
}

GW_UI_TEST_MAIN(PlanGemsTest)
#include "plangems_test.moc"
