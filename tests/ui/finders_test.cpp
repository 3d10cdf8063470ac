// The slot finders and the item level calculator from the main window, as a player uses them:
// gems chosen and amounts typed on the tabs, a total clicked, a line of the finder clicked, the
// empty-slot button, and the "..." button beside the level box.
#include <functional>
#include <memory>
#include <vector>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "data/Globals.h"
#include "model/Imbue.h"
#include "support/GuiTest.h"
#include "ui/ClickableLabel.h"
#include "ui/FindStatFormSrc.h"
#include "ui/ItemLevelSrc.h"
#include "ui/MainForm.h"

namespace {

constexpr int Chest = 0;
constexpr int Arms = 1;
constexpr int Legs = 3;
constexpr int RightHand = 6;
constexpr int TwoHanded = 8;
constexpr int Belt = 13;

// What the finder showed before it was answered.
struct FinderSeen {
    QString caption;
    QStringList lines;
};

QStringList Lines(const QListWidget* list)
{
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

// Answers the finder the next click opens: remembers what it showed, then clicks the line that
// starts with `jumpTo`, or closes it when that is empty.
void AnswerFinder(FinderSeen* seen, const QString& jumpTo = {})
{
    gwtest::AnswerModal([seen, jumpTo](QWidget* modal) {
        auto* finder = qobject_cast<TFindStatForm*>(modal);
        if (finder == nullptr) {
            modal->close();
            return;
        }
        seen->caption = finder->windowTitle();
        seen->lines = Lines(finder->SlotList);
        for (int i = 0; i < finder->SlotList->count() && !jumpTo.isEmpty(); ++i) {
            QListWidgetItem* item = finder->SlotList->item(i);
            if (item->text().startsWith(jumpTo)) {
                QTest::mouseClick(finder->SlotList->viewport(), Qt::LeftButton, {},
                                  finder->SlotList->visualItemRect(item).center());
                return;
            }
        }
        gwtest::Click(finder->CloseButton);
    });
}

void ClickLabel(QLabel* label)
{
    QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
}

// Keys straight into a control of a modal dialog that has only just appeared: waiting for it to
// become the active window first would let the watchdog take it for an unexpected box.
void TypeInto(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

void PickWithKeys(QComboBox* box, int index)
{
    while (box->currentIndex() < index)
        QTest::keyClick(box, Qt::Key_Down);
    while (box->currentIndex() > index)
        QTest::keyClick(box, Qt::Key_Up);
}

} // namespace

class FindersTest : public gwtest::MainWindowTest {
    Q_OBJECT

private slots:
    void init()
    {
        MainWindowTest::init();
        QVERIFY(OpenApplicationWindow());
    }

    void strengthOnChestAndArms();
    void dropsTypedAmountAndUnequippedWeaponAreListed();
    void everyTotalAndItsNameLabelOpenTheFinder();
    void closingTheFinderChangesNothing();
    void focusLabelsAndSkillLines();
    void theKeyboardReachesEveryTotalsFinder();
    void figuresCarrySpokenNamesAndValues();
    void jumpToAJewellerySlot();
    void emptySlotButtonJumpsToTheFreeGem();
    void emptySlotButtonAtZeroIsDisabled();
    void armourLevelFromTheDefaultFactor();
    void levelOfEachKindReachesTheLevelBox_data();
    void levelOfEachKindReachesTheLevelBox();
    void cancelLeavesTheLevelUnchanged();

private:
    // On the armour tab `slot`, gem row `row` becomes a gem of `type` (first amount and effect),
    // then the effect `index` is chosen.
    void ChooseGem(int slot, int row, int type, int index = 0)
    {
        if (m_form->ArmorJewelryPage->currentWidget() != m_form->ArmorSheet)
            gwtest::ClickTab(m_form->ArmorJewelryPage->tabBar(), 0);
        if (m_form->ArmorTabs->currentIndex() != slot)
            gwtest::ClickTab(m_form->ArmorTabs, slot);
        gwtest::ChooseEntry(m_form->GemEffectType[static_cast<std::size_t>(row)], type);
        if (index != 0)
            gwtest::ChooseEntry(m_form->GemEffectName[static_cast<std::size_t>(row)], index);
    }

    // Runs the item level dialog from the "..." button and lets `answer` work it.
    void RunLevelDialog(const std::function<void(TItemLevelForm*)>& answer)
    {
        gwtest::AnswerModal([answer](QWidget* modal) {
            auto* dialog = qobject_cast<TItemLevelForm*>(modal);
            if (dialog == nullptr) {
                modal->close();
                return;
            }
            answer(dialog);
        });
        gwtest::Click(m_form->ArmorLevelButton);
        QTRY_COMPARE(gwtest::PendingAnswers(), 0);
    }
};

void FindersTest::strengthOnChestAndArms()
{
    ChooseGem(Chest, 0, gw::TypeStat);
    ChooseGem(Arms, 2, gw::TypeStat);
    QCOMPARE(m_form->TotalStats[0]->text(), QStringLiteral("2"));

    FinderSeen seen;
    AnswerFinder(&seen);
    ClickLabel(m_form->TotalStats[0]);
    QTRY_COMPARE(gwtest::PendingAnswers(), 0);
    QCOMPARE(seen.caption, QStringLiteral("Slots with Strength"));
    QCOMPARE(seen.lines, (QStringList{"Chest: 1", "Arms: 1"}));

    // A line brings its slot to the front with its item shown.
    AnswerFinder(&seen, QStringLiteral("Chest"));
    ClickLabel(m_form->StatNameLabels[0]);
    QTRY_COMPARE(gwtest::PendingAnswers(), 0);
    QCOMPARE(m_form->ArmorTabs->currentIndex(), Chest);
    QCOMPARE(m_form->CurrentArmourSlot(), Chest);
    QCOMPARE(m_form->GemEffectType[0]->currentText(), QStringLiteral("Stat"));
    QCOMPARE(m_form->GemEffectName[0]->currentText(), QStringLiteral("Strength"));
    QCOMPARE(m_form->GemEffectType[2]->currentText(), QStringLiteral("Unused"));
}

void FindersTest::dropsTypedAmountAndUnequippedWeaponAreListed()
{
    gwtest::ClickTab(m_form->ArmorTabs, Legs);
    gwtest::Click(m_form->IsDrop);
    ChooseGem(Legs, 1, gw::TypeStat);
    gwtest::TypeOver(m_form->DropEffectAmount[1], QStringLiteral("15"));
    ChooseGem(TwoHanded, 0, gw::TypeStat);
    QCOMPARE(m_form->Equipped[TwoHanded], 0);
    // The 2 Handed gem adds nothing to the total, but the slot carries it.
    QCOMPARE(m_form->TotalStats[0]->text(), QStringLiteral("15"));

    FinderSeen seen;
    AnswerFinder(&seen, QStringLiteral("2 Handed"));
    gwtest::ClickTab(m_form->ArmorTabs, Chest);
    ClickLabel(m_form->TotalStats[0]);
    QTRY_COMPARE(gwtest::PendingAnswers(), 0);
    QCOMPARE(seen.lines, (QStringList{"Legs: 15", "2 Handed: 1"}));
    QCOMPARE(m_form->ArmorTabs->currentIndex(), TwoHanded);
    QCOMPARE(m_form->GemEffectType[0]->currentText(), QStringLiteral("Stat"));
    QCOMPARE(m_form->Equipped[TwoHanded], 0);

    // A jump to a drop shows the drop's own controls and its typed amount.
    AnswerFinder(&seen, QStringLiteral("Legs"));
    ClickLabel(m_form->TotalStats[0]);
    QTRY_COMPARE(gwtest::PendingAnswers(), 0);
    QCOMPARE(m_form->ArmorTabs->currentIndex(), Legs);
    QVERIFY(m_form->IsDrop->isChecked());
    QVERIFY(m_form->DropEffectAmount[1]->isVisible());
    QCOMPARE(m_form->DropEffectAmount[1]->text(), QStringLiteral("15"));
}

void FindersTest::everyTotalAndItsNameLabelOpenTheFinder()
{
    struct Row {
        QLabel* name;
        QLabel* total;
        QString caption;
    };
    std::vector<Row> rows;
    for (int i = 0; i < 8; ++i)
        rows.push_back({m_form->StatNameLabels[static_cast<std::size_t>(i)],
                        m_form->TotalStats[static_cast<std::size_t>(i)],
                        QStringLiteral("Slots with ") +
                            QString::fromLatin1(gw::LookupEffectName(gw::TypeStat, 0, i))});
    for (int i = 0; i < 9; ++i)
        rows.push_back({m_form->ResistNameLabels[static_cast<std::size_t>(i)],
                        m_form->TotalResists[static_cast<std::size_t>(i)],
                        QStringLiteral("Slots with ") +
                            QString::fromLatin1(gw::LookupEffectName(gw::TypeResist, 0, i))});
    rows.push_back({m_form->Label33, m_form->TotalHits, QStringLiteral("Slots with Hits")});
    rows.push_back({m_form->Label34, m_form->TotalPower, QStringLiteral("Slots with Power")});
    QCOMPARE(rows[16].caption, QStringLiteral("Slots with Slash Resist"));

    for (const Row& row : rows) {
        for (QLabel* label : {row.name, row.total}) {
            FinderSeen seen;
            AnswerFinder(&seen);
            ClickLabel(label);
            QTRY_COMPARE(gwtest::PendingAnswers(), 0);
            QCOMPARE(seen.caption, row.caption);
            QVERIFY(seen.lines.isEmpty());
        }
    }
}

void FindersTest::closingTheFinderChangesNothing()
{
    ChooseGem(Arms, 0, gw::TypeResist, 3);
    gwtest::ClickTab(m_form->ArmorTabs, Legs);
    const auto items = m_form->Items;

    for (const auto& close : std::vector<std::function<void(TFindStatForm*)>>{
             [](TFindStatForm* f) { gwtest::Click(f->CloseButton); },
             [](TFindStatForm* f) { QTest::keyClick(f->SlotList, Qt::Key_Escape); },
             [](TFindStatForm* f) { f->close(); }}) {
        QString caption;
        gwtest::AnswerModal([&close, &caption](QWidget* modal) {
            auto* finder = qobject_cast<TFindStatForm*>(modal);
            caption = modal->windowTitle();
            if (finder != nullptr)
                close(finder);
            else
                modal->close();
        });
        ClickLabel(m_form->TotalResists[3]);
        QTRY_COMPARE(gwtest::PendingAnswers(), 0);
        QCOMPARE(caption, QStringLiteral("Slots with Energy Resist"));
        QCOMPARE(m_form->ArmorTabs->currentIndex(), Legs);
        QCOMPARE(m_form->Items, items);
    }
}

void FindersTest::focusLabelsAndSkillLines()
{
    // No focus anywhere: the label reads "No Focus" and a click opens nothing (the watchdog
    // would report a dialog).
    QCOMPARE(m_form->TotalFocus[0]->text(), QStringLiteral("No Focus"));
    ClickLabel(m_form->TotalFocus[0]);
    QApplication::processEvents();

    ChooseGem(Chest, 0, gw::TypeFocus, 10);   // Death Servant Focus
    ChooseGem(Arms, 1, gw::TypeFocus, 8);     // Deathsight Focus
    ChooseGem(Arms, 3, gw::TypeSkill, 25);    // Two Handed
    QCOMPARE(m_form->TotalFocus[0]->text(), QStringLiteral("5 Death Servant Focus"));
    QCOMPARE(m_form->TotalFocus[1]->text(), QStringLiteral("5 Deathsight Focus"));
    // An empty focus label opens nothing either.
    QCOMPARE(m_form->TotalFocus[2]->text(), QString());
    ClickLabel(m_form->TotalFocus[2]);
    QApplication::processEvents();

    FinderSeen seen;
    AnswerFinder(&seen);
    ClickLabel(m_form->TotalFocus[1]);
    QTRY_COMPARE(gwtest::PendingAnswers(), 0);
    QCOMPARE(seen.caption, QStringLiteral("Slots with Deathsight Focus"));
    QCOMPARE(seen.lines, (QStringList{"Arms: 5"}));

    AnswerFinder(&seen, QStringLiteral("Chest"));
    ClickLabel(m_form->TotalFocus[0]);
    QTRY_COMPARE(gwtest::PendingAnswers(), 0);
    QCOMPARE(seen.caption, QStringLiteral("Slots with Death Servant Focus"));
    QCOMPARE(m_form->ArmorTabs->currentIndex(), Chest);

    QCOMPARE(Lines(m_form->TotalSkills), (QStringList{"1 Two Handed"}));
    AnswerFinder(&seen);
    QListWidgetItem* line = m_form->TotalSkills->item(0);
    QTest::mouseClick(m_form->TotalSkills->viewport(), Qt::LeftButton, {},
                      m_form->TotalSkills->visualItemRect(line).center());
    QTRY_COMPARE(gwtest::PendingAnswers(), 0);
    QCOMPARE(seen.caption, QStringLiteral("Slots with Two Handed"));
    QCOMPARE(seen.lines, (QStringList{"Arms: 1"}));

    // In Midgard the names come from Midgard's column.
    gwtest::AnswerMessageBox(QMessageBox::Discard);
    gwtest::ChooseEntry(m_form->RealmSelect, 2);
    ChooseGem(Chest, 0, gw::TypeSkill, 9);    // Left Axe
    QCOMPARE(Lines(m_form->TotalSkills), (QStringList{"1 Left Axe"}));
    AnswerFinder(&seen);
    line = m_form->TotalSkills->item(0);
    QTest::mouseClick(m_form->TotalSkills->viewport(), Qt::LeftButton, {},
                      m_form->TotalSkills->visualItemRect(line).center());
    QTRY_COMPARE(gwtest::PendingAnswers(), 0);
    QCOMPARE(seen.caption, QStringLiteral("Slots with Left Axe"));
}

void FindersTest::theKeyboardReachesEveryTotalsFinder()
{
    ChooseGem(Chest, 0, gw::TypeFocus, 10);  // Death Servant Focus
    ChooseGem(Arms, 3, gw::TypeSkill, 25);   // Two Handed
    gwtest::ClickTab(m_form->ArmorTabs, Chest);

    // Tab walks the totals in the panel's order, ending on the skill list.
    QStringList expected;
    for (const QLabel* total : m_form->TotalStats)
        expected << total->objectName();
    for (const QLabel* total : m_form->TotalResists)
        expected << total->objectName();
    expected << "TotalHits" << "TotalPower" << "TotalFocus1" << "TotalFocus2" << "TotalFocus3" << "TotalFocus4"
             << "TotalSkills";
    // A total takes the focus through its key target.
    auto focused = [] {
        const QWidget* w = QApplication::focusWidget();
        return qobject_cast<const ClickableLabel*>(w->parentWidget()) != nullptr ? w->parentWidget()->objectName()
                                                                                 : w->objectName();
    };
    gwtest::Focus(m_form->TotalStats[0]->KeyTarget());
    QStringList seen{focused()};
    while (seen.size() < expected.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen << focused();
    }
    QCOMPARE(seen, expected);

    // On the skill list the line with the focus frame is the first; Return opens its finder,
    // whose chosen line jumps to the slot.
    QCOMPARE(m_form->TotalSkills->currentRow(), 0);
    FinderSeen finder;
    AnswerFinder(&finder, QStringLiteral("Arms"));
    QTest::keyClick(m_form->TotalSkills, Qt::Key_Return);
    QTRY_COMPARE(gwtest::PendingAnswers(), 0);
    QCOMPARE(finder.caption, QStringLiteral("Slots with Two Handed"));
    QCOMPARE(m_form->ArmorTabs->currentIndex(), Arms);

    // Space, Return and Enter on a focused total open its finder, as a click does.
    const struct {
        ClickableLabel* target;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QString caption;
    } presses[] = {
        {m_form->TotalStats[0], Qt::Key_Space, Qt::NoModifier, QStringLiteral("Slots with Strength")},
        {m_form->TotalResists[8], Qt::Key_Return, Qt::NoModifier, QStringLiteral("Slots with Slash Resist")},
        {m_form->TotalPower, Qt::Key_Enter, Qt::KeypadModifier, QStringLiteral("Slots with Power")},
        {m_form->TotalFocus[0], Qt::Key_Space, Qt::NoModifier, QStringLiteral("Slots with Death Servant Focus")},
    };
    for (const auto& press : presses) {
        AnswerFinder(&finder);
        QTest::keyClick(press.target->KeyTarget(), press.key, press.modifiers);
        QTRY_COMPARE(gwtest::PendingAnswers(), 0);
        QCOMPARE(finder.caption, press.caption);
    }
}

void FindersTest::figuresCarrySpokenNamesAndValues()
{
    TMainForm& f = *m_form;
    std::vector<QLabel*> figures(f.TotalStats.begin(), f.TotalStats.end());
    figures.insert(figures.end(), f.TotalResists.begin(), f.TotalResists.end());
    figures.insert(figures.end(), {f.TotalHits, f.TotalPower, f.TotalCost, f.ArmorUsedPoints, f.ArmorImbuePoints,
                                   f.ArmorUtility, f.ArmorOvercharge, f.ItemCost, f.JewelryUtility});
    for (std::size_t k = 0; k < 4; ++k)
        figures.insert(figures.end(), {f.TotalFocus[k], f.GemPoints[k], f.GemCost[k], f.GemName[k]});

    QSet<QString> names;
    for (QLabel* figure : figures) {
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(figure);
        QVERIFY(spoken != nullptr);
        const QString name = spoken->text(QAccessible::Name);
        // A name of its own, not the bare figure a label would speak, and the figure as its value.
        QVERIFY2(!name.isEmpty() && name != figure->text(), qPrintable(figure->objectName()));
        QVERIFY2(!names.contains(name), qPrintable(name));
        names.insert(name);
        QCOMPARE(spoken->text(QAccessible::Value), figure->text());
    }
    QCOMPARE(QAccessible::queryAccessibleInterface(f.TotalStats[0])->text(QAccessible::Name), QStringLiteral("STR"));
    QCOMPARE(QAccessible::queryAccessibleInterface(f.GemCost[1])->text(QAccessible::Name), QStringLiteral("Gem 2 Cost"));

    // What takes a total's focus is a button named and valued as the total, whose press opens
    // its finder.
    QAccessibleInterface* hits = QAccessible::queryAccessibleInterface(f.TotalHits->KeyTarget());
    QCOMPARE(hits->role(), QAccessible::Button);
    QCOMPARE(hits->text(QAccessible::Name), QStringLiteral("Hits"));
    QCOMPARE(hits->text(QAccessible::Value), f.TotalHits->text());
    FinderSeen finder;
    AnswerFinder(&finder);
    hits->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(gwtest::PendingAnswers(), 0);
    QCOMPARE(finder.caption, QStringLiteral("Slots with Hits"));
}

void FindersTest::jumpToAJewellerySlot()
{
    gwtest::ClickTab(m_form->ArmorJewelryPage->tabBar(), 1);
    gwtest::ClickTab(m_form->JewelryTabs, Belt - gw::FirstJewellerySlot);
    gwtest::TypeOver(m_form->JewelryItemName, QStringLiteral("Girdle"));
    gwtest::ChooseEntry(m_form->JewelryEffectType[0], gw::TypeHits);
    gwtest::TypeOver(m_form->JewelryEffectAmount[0], QStringLiteral("40"));
    gwtest::ClickTab(m_form->JewelryTabs, 0);
    gwtest::ClickTab(m_form->ArmorJewelryPage->tabBar(), 0);
    QCOMPARE(m_form->TotalHits->text(), QStringLiteral("40"));

    FinderSeen seen;
    AnswerFinder(&seen, QStringLiteral("Belt"));
    ClickLabel(m_form->TotalHits);
    QTRY_COMPARE(gwtest::PendingAnswers(), 0);
    QCOMPARE(seen.lines, (QStringList{"Belt: 40"}));
    QCOMPARE(m_form->ArmorJewelryPage->currentWidget(), m_form->JewelrySheet);
    QCOMPARE(m_form->JewelryTabs->currentIndex(), Belt - gw::FirstJewellerySlot);
    QCOMPARE(m_form->CurrentJewellerySlot(), Belt);
    QCOMPARE(m_form->JewelryItemName->text(), QStringLiteral("Girdle"));
    QCOMPARE(m_form->JewelryEffectType[0]->currentText(), QStringLiteral("Hits"));
    QCOMPARE(m_form->JewelryEffectAmount[0]->text(), QStringLiteral("40"));
}

void FindersTest::emptySlotButtonJumpsToTheFreeGem()
{
    ChooseGem(Chest, 0, gw::TypeStat);
    gwtest::ClickTab(m_form->ArmorJewelryPage->tabBar(), 1);
    gwtest::Click(m_form->FindFreeSlotButton);
    QCOMPARE(m_form->ArmorJewelryPage->currentWidget(), m_form->ArmorSheet);
    QCOMPARE(m_form->ArmorTabs->currentIndex(), Chest);
    QCOMPARE(QApplication::focusWidget(), m_form->GemEffectType[1]);

    // A drop in the chest is passed over although its rows are Unused.
    gwtest::Click(m_form->IsDrop);
    gwtest::ClickTab(m_form->ArmorTabs, Legs);
    gwtest::Click(m_form->FindFreeSlotButton);
    QCOMPARE(m_form->ArmorTabs->currentIndex(), Arms);
    QCOMPARE(QApplication::focusWidget(), m_form->GemEffectType[0]);
    QCOMPARE(m_form->FindFreeSlotButton->text(), QStringLiteral("Find Empty Slot (24)"));
}

void FindersTest::emptySlotButtonAtZeroIsDisabled()
{
    // Chest full; Arms to Feet drops; the right hand left out of the totals.
    for (int row = 0; row < 4; ++row)
        ChooseGem(Chest, row, gw::TypeResist, row);
    for (int slot = Arms; slot <= 5; ++slot) {
        gwtest::ClickTab(m_form->ArmorTabs, slot);
        gwtest::Click(m_form->IsDrop);
    }
    gwtest::ClickTab(m_form->ArmorTabs, RightHand);
    QVERIFY(m_form->FindFreeSlotButton->isEnabled());
    gwtest::Click(m_form->WeaponEquipped);
    QCOMPARE(m_form->Equipped[RightHand], 0);
    QCOMPARE(m_form->FindFreeSlotButton->text(), QStringLiteral("Find Empty Slot (0)"));
    QVERIFY(!m_form->FindFreeSlotButton->isEnabled());

    // Even called directly, nothing moves.
    m_form->FindFreeSlotButtonClick();
    QCOMPARE(m_form->ArmorTabs->currentIndex(), RightHand);
}

void FindersTest::armourLevelFromTheDefaultFactor()
{
    gwtest::TypeOver(m_form->ArmorLevel, QStringLiteral("10"));
    QCOMPARE(m_form->Items[Chest].Level, 10);
    QVERIFY(m_form->ArmorImbuePoints->text() != QStringLiteral("28"));

    QString inputShown;
    RunLevelDialog([&inputShown](TItemLevelForm* dialog) {
        inputShown = dialog->InputBox->text();
        gwtest::Click(dialog->OKButton);
    });
    QCOMPARE(inputShown, QStringLiteral("102"));
    QCOMPARE(m_form->ArmorLevel->text(), QStringLiteral("51"));
    QCOMPARE(m_form->ArmorImbuePoints->text(), QStringLiteral("28"));
    QCOMPARE(m_form->Items[Chest].Level, 51);
    QCOMPARE(m_form->Items[Chest].ImbuePoints, 28);

    // "150" is held to "102" as it is typed, and gives the same level on another tab.
    gwtest::ClickTab(m_form->ArmorTabs, Arms);
    gwtest::TypeOver(m_form->ArmorLevel, QStringLiteral("3"));
    RunLevelDialog([&inputShown](TItemLevelForm* dialog) {
        TypeInto(dialog->InputBox, QStringLiteral("150"));
        inputShown = dialog->InputBox->text();
        gwtest::Click(dialog->OKButton);
    });
    QCOMPARE(inputShown, QStringLiteral("102"));
    QCOMPARE(m_form->ArmorLevel->text(), QStringLiteral("51"));
    QCOMPARE(m_form->Items[Arms].ImbuePoints, 28);
}

void FindersTest::levelOfEachKindReachesTheLevelBox_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("typed");   // empty: the kind's own text
    QTest::addColumn<int>("wood");        // -1: the wood as it is
    QTest::addColumn<QString>("inputAfter");
    QTest::addColumn<QString>("woodAfter");
    QTest::addColumn<int>("level");

    QTest::newRow("cloth 30") << "ClothRadio" << "30" << -1 << "30" << "Rowan" << 30;
    QTest::newRow("cloth 150") << "ClothRadio" << "150" << -1 << "51" << "Rowan" << 51;
    QTest::newRow("weapon 20") << "WeaponRadio" << "20" << -1 << "16.5" << "Rowan" << 51;
    QTest::newRow("weapon 9") << "WeaponRadio" << "9" << -1 << "9" << "Rowan" << 26;
    // Below the capacity table: the level box shows it, the capacity takes the table's first row.
    QTest::newRow("weapon 1") << "WeaponRadio" << "1" << -1 << "1" << "Rowan" << -1;
    QTest::newRow("shield oaken") << "ShieldRadio" << "" << 2 << "102" << "Oaken" << 10;
    QTest::newRow("reinforced elm") << "ReinforcedRadio" << "" << 1 << "102" << "Heartwood" << 26;
    QTest::newRow("reinforced duskwood") << "ReinforcedRadio" << "" << 9 << "102" << "Duskwood" << 51;
}

void FindersTest::levelOfEachKindReachesTheLevelBox()
{
    QFETCH(QString, kind);
    QFETCH(QString, typed);
    QFETCH(int, wood);
    QFETCH(QString, inputAfter);
    QFETCH(QString, woodAfter);
    QFETCH(int, level);

    gwtest::ChooseEntry(m_form->ArmorQuality, 6);   // quality 100
    QString inputShown;
    QString woodShown;
    RunLevelDialog([&](TItemLevelForm* dialog) {
        // The wood is chosen first, as a player may pick it before changing the kind.
        if (wood >= 0) {
            gwtest::Click(dialog->ShieldRadio);
            PickWithKeys(dialog->ShieldTier, wood);
        }
        gwtest::Click(dialog->findChild<QRadioButton*>(kind));
        if (!typed.isEmpty())
            TypeInto(dialog->InputBox, typed);
        inputShown = dialog->InputBox->text();
        woodShown = dialog->ShieldTier->currentText();
        gwtest::Click(dialog->OKButton);
    });
    QCOMPARE(inputShown, inputAfter);
    QCOMPARE(woodShown, woodAfter);
    QCOMPARE(m_form->ArmorLevel->text(), QString::number(level));
    QCOMPARE(m_form->Items[Chest].Level, level);
    const int capacity = gw::ImbueCapacity(level, 6);
    QCOMPARE(m_form->Items[Chest].ImbuePoints, capacity);
    QCOMPARE(m_form->ArmorImbuePoints->text(), QString::number(capacity));

    // The dialog keeps its choices for the next opening.
    bool sameKind = false;
    RunLevelDialog([&](TItemLevelForm* dialog) {
        sameKind = dialog->findChild<QRadioButton*>(kind)->isChecked();
        inputShown = dialog->InputBox->text();
        gwtest::Click(dialog->CancelButton);
    });
    QVERIFY(sameKind);
    QCOMPARE(inputShown, inputAfter);
}

void FindersTest::cancelLeavesTheLevelUnchanged()
{
    gwtest::TypeOver(m_form->ArmorLevel, QStringLiteral("20"));
    const auto items = m_form->Items;
    const QString capacity = m_form->ArmorImbuePoints->text();

    for (const auto& leave : std::vector<std::function<void(TItemLevelForm*)>>{
             [](TItemLevelForm* d) { gwtest::Click(d->CancelButton); },
             [](TItemLevelForm* d) { QTest::keyClick(d, Qt::Key_Escape); },
             [](TItemLevelForm* d) { d->close(); }}) {
        RunLevelDialog([&leave](TItemLevelForm* dialog) {
            gwtest::Click(dialog->WeaponRadio);
            leave(dialog);
        });
        QCOMPARE(m_form->ArmorLevel->text(), QStringLiteral("20"));
        QCOMPARE(m_form->ArmorImbuePoints->text(), capacity);
        QCOMPARE(m_form->Items, items);
    }
}

GW_UI_TEST_MAIN(FindersTest)
#include "finders_test.moc"
