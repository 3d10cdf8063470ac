// Undo and redo of the player's changes to the items, driven through the controls and the Edit
// menu's keys: every kind of action is one step, typing is one step per finished edit, and a
// random run of actions undoes and redoes through exactly the plans it passed.
#include <functional>
#include <random>
#include <vector>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QDir>
#include <QMenuBar>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <QUndoStack>

#include "data/Globals.h"
#include "io/ItemFiles.h"
#include "support/GuiTest.h"
#include "ui/ItemLevelSrc.h"
#include "ui/LoadDropSrc.h"
#include "ui/MainForm.h"

using gwtest::ChooseEntry;
using gwtest::Click;
using gwtest::ClickTab;
using gwtest::Find;
using gwtest::TypeOver;

namespace {

using Plan = std::array<gw::GWItem, gw::SlotCount>;

// The items as the player can tell them apart: the stored capacity is recomputed whenever an
// item is shown, so it is set aside.
Plan Visible(const Plan& items)
{
    Plan plan = items;
    for (auto& item : plan)
        item.ImbuePoints = 0;
    return plan;
}

// Leaves the first tab of each page and comes back, as a player looking around does. The items
// then hold what their tabs show (until then the first armour tab shows its designed level over a
// cleared item), so that a plan read from Items is the plan on screen.
void ShowBothFirstTabs(TMainForm& form)
{
    ClickTab(form.ArmorTabs, 1);
    ClickTab(form.ArmorTabs, 0);
    form.ArmorJewelryPage->setCurrentWidget(form.JewelrySheet);
    ClickTab(form.JewelryTabs, 1);
    ClickTab(form.JewelryTabs, 0);
    form.ArmorJewelryPage->setCurrentWidget(form.ArmorSheet);
}

void PressUndo(TMainForm& form)
{
    QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier);
}

void PressRedo(TMainForm& form)
{
    QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
}

// Where two plans differ, for a failure's message.
QString Difference(const Plan& a, const Plan& b)
{
    for (std::size_t slot = 0; slot < a.size(); ++slot)
        if (!(a[slot] == b[slot]))
            return QStringLiteral(": slot %1 (level %2/%3, name %4/%5, player-made %6/%7, types %8/%9, amounts %10/%11)")
                .arg(slot)
                .arg(a[slot].Level)
                .arg(b[slot].Level)
                .arg(QString::fromStdString(a[slot].Name), QString::fromStdString(b[slot].Name))
                .arg(a[slot].PlayerMade)
                .arg(b[slot].PlayerMade)
                .arg(a[slot].EffectType[0] * 1000 + a[slot].EffectType[1] * 100 + a[slot].EffectType[2] * 10 + a[slot].EffectType[3])
                .arg(b[slot].EffectType[0] * 1000 + b[slot].EffectType[1] * 100 + b[slot].EffectType[2] * 10 + b[slot].EffectType[3])
                .arg(a[slot].EffectAmount[0] * 1000 + a[slot].EffectAmount[1])
                .arg(b[slot].EffectAmount[0] * 1000 + b[slot].EffectAmount[1]);
    return {};
}

struct ActionCase {
    const char* name;
    std::function<void(TMainForm&)> prepare;  // may itself make steps
    std::function<void(TMainForm&)> act;      // exactly one step
    // What the controls show after undo, checked against what they showed before the action.
    std::function<QString(TMainForm&)> shown;
};

std::vector<ActionCase> ActionCases()
{
    auto none = [](TMainForm&) {};
    auto toDrop = [](TMainForm& f) { Click(f.IsDrop); };
    return {
        {"gem type", none, [](TMainForm& f) { ChooseEntry(f.GemEffectType[0], gw::TypeStat); },
         [](TMainForm& f) { return f.GemEffectType[0]->currentText() + f.GemName[0]->text(); }},
        {"gem amount",
         [](TMainForm& f) { ChooseEntry(f.GemEffectType[1], gw::TypeResist); },
         [](TMainForm& f) { ChooseEntry(f.GemEffectAmount[1], 6); },
         [](TMainForm& f) { return f.GemEffectAmount[1]->currentText() + f.TotalResists[0]->text(); }},
        {"gem effect", [](TMainForm& f) { ChooseEntry(f.GemEffectType[2], gw::TypeStat); },
         [](TMainForm& f) { ChooseEntry(f.GemEffectName[2], 3); },
         [](TMainForm& f) { return f.GemEffectName[2]->currentText() + f.TotalStats[3]->text(); }},
        {"gem quality", [](TMainForm& f) { ChooseEntry(f.GemEffectType[0], gw::TypeHits); },
         [](TMainForm& f) { ChooseEntry(f.GemQuality[0], 6); },
         [](TMainForm& f) { return f.GemQuality[0]->currentText() + f.ItemCost->text(); }},
        {"item quality", none, [](TMainForm& f) { ChooseEntry(f.ArmorQuality, 0); },
         [](TMainForm& f) { return f.ArmorQuality->currentText() + f.ArmorImbuePoints->text(); }},
        {"drop mode", none, toDrop,
         [](TMainForm& f) {
             return QString::number(int(f.IsPlayerMade->isChecked())) + QString::number(int(f.ArmorItemName->isVisible()));
         }},
        {"a typed drop amount", toDrop, [](TMainForm& f) { TypeOver(f.DropEffectAmount[0], QStringLiteral("123")); },
         [](TMainForm& f) { return f.DropEffectAmount[0]->text(); }},
        {"a typed item name", toDrop, [](TMainForm& f) { TypeOver(f.ArmorItemName, QStringLiteral("Sword")); },
         [](TMainForm& f) { return f.ArmorItemName->text(); }},
        {"a typed item level", none, [](TMainForm& f) { TypeOver(f.ArmorLevel, QStringLiteral("20")); },
         [](TMainForm& f) { return f.ArmorLevel->text() + QLatin1Char('/') + f.ArmorImbuePoints->text(); }},
        {"clear armour item",
         [](TMainForm& f) {
             ChooseEntry(f.GemEffectType[0], gw::TypeStat);
             TypeOver(f.ArmorLevel, QStringLiteral("30"));
         },
         [](TMainForm& f) { Click(f.ArmorClear); },
         [](TMainForm& f) { return f.ArmorLevel->text() + f.GemName[0]->text() + f.TotalStats[0]->text(); }},
        {"jewellery type",
         [](TMainForm& f) { f.ArmorJewelryPage->setCurrentWidget(f.JewelrySheet); },
         [](TMainForm& f) { ChooseEntry(f.JewelryEffectType[0], gw::TypeSkill); },
         [](TMainForm& f) { return f.JewelryEffectType[0]->currentText() + f.JewelryEffectName[0]->currentText(); }},
        {"a typed jewellery amount",
         [](TMainForm& f) {
             f.ArmorJewelryPage->setCurrentWidget(f.JewelrySheet);
             ChooseEntry(f.JewelryEffectType[1], gw::TypeStat);
         },
         [](TMainForm& f) { TypeOver(f.JewelryEffectAmount[1], QStringLiteral("15")); },
         [](TMainForm& f) { return f.JewelryEffectAmount[1]->text() + f.TotalStats[0]->text(); }},
        {"clear jewellery item",
         [](TMainForm& f) {
             f.ArmorJewelryPage->setCurrentWidget(f.JewelrySheet);
             TypeOver(f.JewelryItemName, QStringLiteral("Ring of Might"));
         },
         [](TMainForm& f) { Click(f.JewelryClear); }, [](TMainForm& f) { return f.JewelryItemName->text(); }},
        {"realm change",
         [](TMainForm& f) {
             ChooseEntry(f.GemEffectType[0], gw::TypeSkill);
             ChooseEntry(f.GemEffectName[0], 2);
         },
         [](TMainForm& f) {
             // Modified: the question comes first, and Discard goes on with the change.
             gwtest::AnswerMessageBox(QMessageBox::Discard);
             ChooseEntry(f.RealmSelect, 2);
         },
         [](TMainForm& f) { return f.RealmSelect->currentText() + f.GemEffectName[0]->currentText(); }},
    };
}

} // namespace

class UndoTest : public gwtest::MainWindowTest {
    Q_OBJECT

private slots:
    void eachActionIsOneStepThatUndoAndRedoTakeBackAndReplay_data()
    {
        QTest::addColumn<int>("index");
        const auto cases = ActionCases();
        for (std::size_t i = 0; i < cases.size(); ++i)
            QTest::newRow(cases[i].name) << static_cast<int>(i);
    }
    void eachActionIsOneStepThatUndoAndRedoTakeBackAndReplay()
    {
        QFETCH(int, index);
        const ActionCase c = ActionCases()[static_cast<std::size_t>(index)];
        QVERIFY(OpenMainWindowOnly());
        TMainForm& f = *m_form;
        ShowBothFirstTabs(f);
        c.prepare(f);
        const Plan before = Visible(f.Items);
        const int realmBefore = f.RealmSelect->currentIndex();
        const QString shownBefore = c.shown(f);
        const int steps = f.UndoStack()->count();

        c.act(f);
        QTRY_COMPARE(gwtest::PendingAnswers(), 0);
        const Plan after = Visible(f.Items);
        const QString shownAfter = c.shown(f);
        QVERIFY(!(after == before));
        QCOMPARE(f.UndoStack()->count(), steps + 1);
        QVERIFY(f.isWindowModified());

        // The undo key works wherever the focus is, an edit box without typing of its own included.
        gwtest::Focus(f.CharLevel);
        PressUndo(f);
        QVERIFY(Visible(f.Items) == before);
        QCOMPARE(f.RealmSelect->currentIndex(), realmBefore);
        QCOMPARE(c.shown(f), shownBefore);
        QCOMPARE(f.isWindowModified(), steps > 0);

        PressRedo(f);
        QVERIFY(Visible(f.Items) == after);
        QCOMPARE(c.shown(f), shownAfter);
        QVERIFY(f.isWindowModified());
    }

    void theFirstUndoShowsTheDesignedStartAgain()
    {
        QVERIFY(OpenMainWindowOnly());
        TMainForm& f = *m_form;
        ChooseEntry(f.GemEffectType[0], gw::TypeStat);
        QVERIFY(gwtest::ShownTitle(&f).endsWith(QLatin1Char('*')));
        f.Undo1->trigger();
        // The tab shows its designed level and capacity, not the cleared item's level 0.
        QCOMPARE(f.ArmorLevel->text(), QStringLiteral("51"));
        QCOMPARE(f.ArmorImbuePoints->text(), QStringLiteral("28"));
        QCOMPARE(f.GemEffectType[0]->currentIndex(), 0);
        QCOMPARE(gwtest::ShownTitle(&f), QStringLiteral("Quillane's Gemwright Equipment Configurator"));
        QVERIFY(!f.Undo1->isEnabled());
        QVERIFY(f.Redo1->isEnabled());
    }

    void typingIsOneStepPerFinishedEdit()
    {
        QVERIFY(OpenMainWindowOnly());
        TMainForm& f = *m_form;
        f.ArmorJewelryPage->setCurrentWidget(f.JewelrySheet);
        QLineEdit* name = f.JewelryItemName;

        TypeOver(name, QStringLiteral("Ring"));
        QCOMPARE(f.UndoStack()->count(), 1);
        // The edit is finished by leaving the box; the next typing there is a step of its own.
        QTest::keyClick(name, Qt::Key_Tab);
        TypeOver(name, QStringLiteral("Band"));
        QCOMPARE(f.UndoStack()->count(), 2);
        QCOMPARE(f.Items[10].Name, std::string("Band"));

        // Typing that comes back to where its edit began is no step, and leaves nothing modified.
        QTest::keyClick(name, Qt::Key_Return);
        TypeOver(name, QStringLiteral("Bandx"));
        QCOMPARE(f.UndoStack()->count(), 3);
        QTest::keyClick(name, Qt::Key_Backspace);
        QCOMPARE(f.UndoStack()->count(), 2);

        f.Undo1->trigger();
        QCOMPARE(name->text(), QStringLiteral("Ring"));
        f.Undo1->trigger();
        QCOMPARE(name->text(), QString());
        QVERIFY(!f.isWindowModified());

        // The same box on another tab is another item: typing there never joins the step before.
        f.Redo1->trigger();
        gwtest::Focus(name);
        QTest::keyClick(name, Qt::Key_End);
        QTest::keyClicks(name, QStringLiteral("s"));
        ClickTab(f.JewelryTabs, 1);
        gwtest::Focus(name);
        QTest::keyClicks(name, QStringLiteral("Cape"));
        QCOMPARE(f.UndoStack()->count(), 3);
        f.Undo1->trigger();
        QCOMPARE(f.Items[11].Name, std::string());
        QCOMPARE(f.Items[10].Name, std::string("Rings"));
    }

    void theLevelCalculatorsResultIsOneStep()
    {
        QVERIFY(OpenApplicationWindow());
        TMainForm& f = *m_form;
        gwtest::AnswerModal([](QWidget* modal) {
            auto* dialog = qobject_cast<TItemLevelForm*>(modal);
            QVERIFY(dialog != nullptr);
            Click(dialog->ClothRadio);
            Click(dialog->OKButton);
        });
        Click(f.ArmorLevelButton);
        QTRY_COMPARE(gwtest::PendingAnswers(), 0);
        QCOMPARE(f.ArmorLevel->text(), QStringLiteral("51"));
        // Cloth of factor 51 is level 51 as well: a result that changes nothing is no step.
        QCOMPARE(f.UndoStack()->count(), 0);

        gwtest::AnswerModal([](QWidget* modal) {
            auto* dialog = qobject_cast<TItemLevelForm*>(modal);
            QVERIFY(dialog != nullptr);
            TypeOver(dialog->InputBox, QStringLiteral("20"));
            Click(dialog->OKButton);
        });
        Click(f.ArmorLevelButton);
        QTRY_COMPARE(gwtest::PendingAnswers(), 0);
        QCOMPARE(f.ArmorLevel->text(), QStringLiteral("20"));
        QCOMPARE(f.UndoStack()->count(), 1);
        QCOMPARE(f.UndoStack()->undoText(), QStringLiteral("Item Level"));
        f.Undo1->trigger();
        QCOMPARE(f.ArmorLevel->text(), QStringLiteral("51"));
        QCOMPARE(f.ArmorImbuePoints->text(), QStringLiteral("28"));
    }

    void loadItemIsOneStep()
    {
        QVERIFY(QDir().mkpath(QStringLiteral("items/albion")));
        gw::GWItem ring;
        ring.PlayerMade = 0;
        ring.Name = "Band";
        ring.EffectType = {gw::TypeStat, 0, 0, 0};
        ring.EffectAmount = {12, 0, 0, 0};
        QVERIFY(gw::SaveItemFile(std::filesystem::path("items/albion/Band.neck"), ring, 0));
        QVERIFY(OpenApplicationWindow());
        TMainForm& f = *m_form;
        f.ArmorJewelryPage->setCurrentWidget(f.JewelrySheet);
        gwtest::AnswerModal([](QWidget* modal) {
            auto* browser = qobject_cast<TItemBrowser*>(modal);
            QVERIFY(browser != nullptr);
            browser->FileList->setCurrentRow(0);
            Click(browser->ItemLoad);
        });
        Click(f.JewelryLoad);
        QTRY_COMPARE(gwtest::PendingAnswers(), 0);
        QCOMPARE(f.JewelryItemName->text(), QStringLiteral("Band"));
        QCOMPARE(f.TotalStats[0]->text(), QStringLiteral("12"));
        QCOMPARE(f.UndoStack()->count(), 1);
        f.Undo1->trigger();
        QCOMPARE(f.JewelryItemName->text(), QString());
        QCOMPARE(f.TotalStats[0]->text(), QStringLiteral("0"));
    }

    void applyItemsIsOneStep()
    {
        QVERIFY(OpenMainWindowOnly());
        TMainForm& f = *m_form;
        Plan planned{};
        for (auto& item : planned) {
            item.PlayerMade = 0;
            item.EffectType = {gw::TypeHits, 0, 0, 0};
            item.EffectAmount = {10, 0, 0, 0};
        }
        f.ApplyItems(planned, QStringLiteral("Plan Gems"));
        QCOMPARE(f.TotalHits->text(), QStringLiteral("150"));
        QCOMPARE(f.UndoStack()->count(), 1);
        QCOMPARE(f.UndoStack()->undoText(), QStringLiteral("Plan Gems"));
        f.Undo1->trigger();
        QCOMPARE(f.TotalHits->text(), QStringLiteral("0"));
        QVERIFY(!f.isWindowModified());
    }

    // Random runs of player actions: undoing walks back through exactly the plans the run passed,
    // redoing forward again, and the modified mark is on exactly away from the start.
    void randomRunsUndoAndRedoThroughEveryPlanPassed()
    {
        QVERIFY(OpenMainWindowOnly());
        TMainForm& f = *m_form;
        ShowBothFirstTabs(f);
        std::mt19937 random(20261207);
        auto pick = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
        const std::vector<std::function<void()>> actions = {
            [&] { ChooseEntry(f.GemEffectType[pick(4)], pick(gw::EffectTypeCount)); },
            [&] {
                const int row = pick(4);
                if (f.GemEffectAmount[row]->isVisible() && f.GemEffectAmount[row]->count() > 0)
                    ChooseEntry(f.GemEffectAmount[row], pick(f.GemEffectAmount[row]->count()));
            },
            [&] { ChooseEntry(f.ArmorQuality, pick(7)); },
            [&] { Click(pick(2) == 0 ? static_cast<QAbstractButton*>(f.IsDrop) : f.IsPlayerMade); },
            [&] {
                const int row = pick(4);
                if (f.DropEffectAmount[row]->isVisible())
                    TypeOver(f.DropEffectAmount[row], QString::number(pick(200)));
            },
            [&] { TypeOver(f.ArmorLevel, QString::number(pick(60))); },
            [&] { ClickTab(f.ArmorTabs, pick(gw::ArmourSlotCount)); },
            [&] { Click(f.ArmorClear); },
        };
        std::vector<Plan> passed{Visible(f.Items)};
        for (int i = 0; i < 60; ++i) {
            const int steps = f.UndoStack()->count();
            actions[static_cast<std::size_t>(pick(static_cast<int>(actions.size())))]();
            // Leaving a box ends its typing, as the next action would.
            gwtest::Focus(f.CharLevel);
            if (f.UndoStack()->count() > steps) {
                QCOMPARE(f.UndoStack()->count(), steps + 1);
                passed.push_back(Visible(f.Items));
            } else {
                passed.back() = Visible(f.Items);  // showing another tab changes no plan
            }
        }
        QVERIFY(passed.size() > 20);
        for (std::size_t i = passed.size() - 1; i > 0; --i) {
            f.Undo1->trigger();
            QVERIFY2(Visible(f.Items) == passed[i - 1], qPrintable(QStringLiteral("undo to step %1%2").arg(i - 1).arg(Difference(Visible(f.Items), passed[i - 1]))));
            QCOMPARE(f.isWindowModified(), i - 1 != 0);
        }
        QVERIFY(!f.Undo1->isEnabled());
        for (std::size_t i = 1; i < passed.size(); ++i) {
            f.Redo1->trigger();
            QVERIFY2(Visible(f.Items) == passed[i], qPrintable(QStringLiteral("redo to step %1").arg(i)));
        }
        QVERIFY(f.isWindowModified());
    }

    void theEditMenuNamesTheStepsAndTheStandardKeysStandBesideTheDesignedOnes()
    {
        QVERIFY(OpenMainWindowOnly());
        TMainForm& f = *m_form;
        QCOMPARE(f.Edit1->objectName(), QStringLiteral("Edit1"));
        const QList<QAction*> bar = f.menuBar()->actions();
        QCOMPARE(bar.size(), 4); // File, Edit, Tools, Help
        QCOMPARE(bar[1]->menu(), f.Edit1);
        ChooseEntry(f.GemEffectType[0], gw::TypeStat);
        emit f.Edit1->aboutToShow();
        QCOMPARE(f.Undo1->text(), QStringLiteral("&Undo Gem Type"));
        QCOMPARE(f.Redo1->text(), QStringLiteral("&Redo"));
        QVERIFY(f.Undo1->shortcuts().contains(QKeySequence::Undo));

        const struct {
            QAction* action;
            QKeySequence designed;
            QKeySequence standard;
        } keys[] = {{f.New1, {}, QKeySequence(QKeySequence::New)},
                    {f.Open1, QKeySequence(Qt::CTRL | Qt::Key_O), QKeySequence(QKeySequence::Open)},
                    {f.Save1, QKeySequence(Qt::CTRL | Qt::Key_S), QKeySequence(QKeySequence::Save)},
                    {f.SaveAs1, {}, QKeySequence(QKeySequence::SaveAs)},
                    {f.Exit1, {}, QKeySequence(QKeySequence::Quit)}};
        for (const auto& k : keys) {
            QVERIFY2(k.standard.isEmpty() || k.action->shortcuts().contains(k.standard), qPrintable(k.action->objectName()));
            QVERIFY2(k.action->shortcuts().size() >= 1, qPrintable(k.action->objectName()));
            if (!k.designed.isEmpty())
                QCOMPARE(k.action->shortcuts().first(), k.designed);
        }
    }
};

GW_UI_TEST_MAIN(UndoTest)
#include "undo_test.moc"
