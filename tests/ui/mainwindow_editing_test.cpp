// Edits as a player makes them: what each control stores, what it refreshes and what it leaves
// alone; the options (level, realm, crafter skill, display) and the commands that clear items.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QStyle>
#include <QTabBar>
#include <QTest>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

#include "data/Globals.h"
#include "support/GuiTest.h"
#include "ui/GwApplication.h"
#include "ui/ClickableLabel.h"
#include "ui/MainForm.h"

using gwtest::ChooseEntry;
using gwtest::Click;
using gwtest::ClickTab;
using gwtest::TypeOver;

namespace {

// Everything the window shows as a figure: every named label, the skill lines and the empty-gem
// button's caption.
QMap<QString, QString> Screen(const TMainForm& form)
{
    QMap<QString, QString> shown;
    for (const QLabel* label : form.findChildren<QLabel*>())
        if (!label->objectName().isEmpty())
            shown.insert(label->objectName(), label->text());
    for (int i = 0; i < form.TotalSkills->count(); ++i)
        shown.insert(QStringLiteral("skill %1").arg(i), form.TotalSkills->item(i)->text());
    shown.insert(QStringLiteral("FindFreeSlotButton"), form.FindFreeSlotButton->text());
    return shown;
}

QStringList Differences(const QMap<QString, QString>& before, const QMap<QString, QString>& after)
{
    QStringList names;
    for (auto it = after.begin(); it != after.end(); ++it)
        if (before.value(it.key()) != it.value())
            names << it.key();
    for (auto it = before.begin(); it != before.end(); ++it)
        if (!after.contains(it.key()))
            names << it.key();
    return names;
}

// The colour the label paints behind its text.
QColor BehindText(const QLabel* label)
{
    return label->palette().color(label->backgroundRole());
}

// The contrast ratio of two colours, 1 to 21, from their relative luminance.
double Contrast(const QColor& a, const QColor& b)
{
    auto luminance = [](const QColor& colour) {
        auto channel = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A change behind the window's back that any full refresh would show in the totals.
void MakeTotalsStale(TMainForm& form)
{
    gw::GWItem& cloak = form.Items[11];
    cloak.PlayerMade = 0;
    cloak.EffectType[3] = gw::TypeStat;
    cloak.EffectName[3] = 7;
    cloak.EffectAmount[3] = 9;
}

} // namespace

class MainWindowEditingTest : public gwtest::MainWindowTest {
    Q_OBJECT

private slots:
    void init()
    {
        MainWindowTest::init();
        QVERIFY(OpenMainWindowOnly());
    }

    void typeChangeResetsItsRowAndTheTotalsAtOnce()
    {
        TMainForm& f = *m_form;
        ChooseEntry(f.GemEffectType[0], gw::TypeStat);
        QCOMPARE(f.GemEffectAmount[0]->count(), 10);
        QCOMPARE(f.GemEffectAmount[0]->currentText(), QStringLiteral("1"));
        QCOMPARE(f.GemEffectAmount[0]->itemText(9), QStringLiteral("28"));
        QCOMPARE(f.GemEffectName[0]->currentText(), QStringLiteral("Strength"));
        QCOMPARE(f.TotalStats[0]->text(), QStringLiteral("1"));
        QVERIFY(f.GemName[0]->text() != QStringLiteral("None"));
        QVERIFY(f.GemCost[0]->text() != QStringLiteral("0c"));
        QCOMPARE(f.ArmorUsedPoints->text(), QStringLiteral("1"));
        QCOMPARE(f.FindFreeSlotButton->text(), QStringLiteral("Find Empty Slot (27)"));

        ChooseEntry(f.GemEffectAmount[0], 9);
        ChooseEntry(f.GemEffectName[0], 2);
        QCOMPARE(f.TotalStats[0]->text(), QStringLiteral("0"));
        QCOMPARE(f.TotalStats[2]->text(), QStringLiteral("28"));
        QCOMPARE(f.Items[0].EffectAmount[0], 9);
        QCOMPARE(f.Items[0].EffectName[0], 2);

        // Another type starts again from its first amount and first effect.
        ChooseEntry(f.GemEffectType[0], gw::TypeResist);
        QCOMPARE(f.GemEffectAmount[0]->currentIndex(), 0);
        QCOMPARE(f.GemEffectName[0]->currentText(), QStringLiteral("Body Resist"));
        QCOMPARE(f.GemEffectName[0]->count(), 9);
        QCOMPARE(f.TotalStats[2]->text(), QStringLiteral("0"));
        QCOMPARE(f.TotalResists[0]->text(), QStringLiteral("1"));
        QCOMPARE(f.Items[0].EffectType[0], int(gw::TypeResist));
        QCOMPARE(f.Items[0].EffectAmount[0], 0);
        QCOMPARE(f.Items[0].EffectName[0], 0);

        // Unused empties both lists of the row.
        ChooseEntry(f.GemEffectType[0], gw::TypeUnused);
        QCOMPARE(f.GemEffectAmount[0]->count(), 0);
        QCOMPARE(f.GemEffectAmount[0]->currentIndex(), -1);
        QCOMPARE(f.GemEffectName[0]->count(), 0);
        QCOMPARE(f.GemEffectName[0]->currentIndex(), -1);
        QCOMPARE(f.GemName[0]->text(), QStringLiteral("None"));
        QCOMPARE(f.GemCost[0]->text(), QStringLiteral("0c"));
        QCOMPARE(f.TotalResists[0]->text(), QStringLiteral("0"));
        QCOMPARE(f.FindFreeSlotButton->text(), QStringLiteral("Find Empty Slot (28)"));
    }

    void focusAndSkillListsFollowTheRealm()
    {
        TMainForm& f = *m_form;
        ChooseEntry(f.RealmSelect, 2);
        ChooseEntry(f.GemEffectType[1], gw::TypeFocus);
        QCOMPARE(f.GemEffectName[1]->count(), 5);
        QCOMPARE(f.GemEffectName[1]->itemText(0), QStringLiteral("Darkness Focus"));
        QCOMPARE(f.TotalFocus[0]->text(), QStringLiteral("5 Darkness Focus"));
        QCOMPARE(f.TotalFocus[1]->text(), QString());

        ChooseEntry(f.GemEffectType[2], gw::TypeSkill);
        ChooseEntry(f.GemEffectAmount[2], 4);
        QCOMPARE(f.TotalSkills->count(), 1);
        Click(f.DisplaySelectItems[1]);
        QCOMPARE(f.TotalSkills->item(0)->text().section(QLatin1Char(' '), 0, 0), QStringLiteral("6"));
        Click(f.DisplaySelectItems[0]);
        QCOMPARE(f.TotalSkills->item(0)->text().section(QLatin1Char(' '), 0, 0), QStringLiteral("5"));
    }

    void textBoxesStoreWithoutRefreshing()
    {
        TMainForm& f = *m_form;
        // A weapon drop, so that every box of the armour tab takes typing.
        ClickTab(f.ArmorTabs, 6);
        Click(f.IsDrop);
        ChooseEntry(f.GemEffectType[0], gw::TypeHits);
        TypeOver(f.DropEffectAmount[0], QStringLiteral("30"));
        MakeTotalsStale(f);
        const auto before = Screen(f);

        TypeOver(f.ArmorItemName, QStringLiteral("Mace"));
        TypeOver(f.ArmorDPS, QStringLiteral("16.2"));
        TypeOver(f.ArmorSpeed, QStringLiteral("3.7"));
        TypeOver(f.ArmorQual, QStringLiteral("99"));
        TypeOver(f.ArmorBonus, QStringLiteral("35"));
        const gw::GWItem& weapon = f.Items[6];
        QCOMPARE(weapon.Name, std::string("Mace"));
        QCOMPARE(weapon.DPS, std::string("16.2"));
        QCOMPARE(weapon.Speed, std::string("3.7"));
        QCOMPARE(weapon.Qual, std::string("99"));
        QCOMPARE(weapon.Bonus, std::string("35"));
        QCOMPARE(Differences(before, Screen(f)), QStringList());

        ClickTab(f.ArmorJewelryPage->tabBar(), 1);
        const auto onJewellery = Screen(f);
        TypeOver(f.JewelryItemName, QStringLiteral("Amulet"));
        TypeOver(f.JewelryQual, QStringLiteral("98"));
        TypeOver(f.JewelryBonus, QStringLiteral("20"));
        TypeOver(f.JewelryLevel, QStringLiteral("47"));
        const gw::GWItem& neck = f.Items[10];
        QCOMPARE(neck.Name, std::string("Amulet"));
        QCOMPARE(neck.Qual, std::string("98"));
        QCOMPARE(neck.Bonus, std::string("20"));
        QCOMPARE(neck.Level, 47);
        QCOMPARE(Differences(onJewellery, Screen(f)), QStringList());
    }

    void amountBoxesStoreAndRefresh()
    {
        TMainForm& f = *m_form;
        ClickTab(f.ArmorJewelryPage->tabBar(), 1);
        ChooseEntry(f.JewelryEffectType[2], gw::TypeResist);
        ChooseEntry(f.JewelryEffectName[2], 8);
        TypeOver(f.JewelryEffectAmount[2], QStringLiteral("12"));
        QCOMPARE(f.TotalResists[8]->text(), QStringLiteral("12"));
        QCOMPARE(f.JewelryUtility->text(), QStringLiteral("24.0"));
        // Text that is not a number counts as its leading integer, an empty box as 0.
        TypeOver(f.JewelryEffectAmount[2], QStringLiteral("7x"));
        QCOMPARE(f.TotalResists[8]->text(), QStringLiteral("7"));
        TypeOver(f.JewelryEffectAmount[2], QString());
        QCOMPARE(f.TotalResists[8]->text(), QStringLiteral("0"));
        QCOMPARE(f.Items[12].EffectAmount[2], 0);
    }

    void crafterSkillChangesOnlyTheOvercharge()
    {
        TMainForm& f = *m_form;
        // Gems of 19, 16, 7 and 1 points at quality 99 use 31 of the 28 points of a level 51,
        // quality 99 item: 32 - 30 + 18 + 50 = 70%.
        const int types[4] = {gw::TypeStat, gw::TypeResist, gw::TypeStat, gw::TypeFocus};
        const int tiers[4] = {9, 5, 3, 0};
        for (int k = 0; k < 4; ++k) {
            ChooseEntry(f.GemEffectType[k], types[k]);
            ChooseEntry(f.GemEffectAmount[k], tiers[k]);
            ChooseEntry(f.GemQuality[k], 5);
        }
        QCOMPARE(f.ArmorUsedPoints->text(), QStringLiteral("31"));
        QCOMPARE(f.ArmorImbuePoints->text(), QStringLiteral("28"));
        QCOMPARE(f.ArmorOvercharge->text(), QStringLiteral("70%"));
        QCOMPARE(BehindText(f.ArmorOvercharge), QColor(255, 255, 0));
        MakeTotalsStale(f);
        const auto before = Screen(f);

        ChooseEntry(f.CrafterSkill, 4);  // 801: 20 less
        QCOMPARE(f.ArmorOvercharge->text(), QStringLiteral("50%"));
        QCOMPARE(BehindText(f.ArmorOvercharge), QColor(255, 0, 0));
        QCOMPARE(Differences(before, Screen(f)), QStringList{QStringLiteral("ArmorOvercharge")});

        ChooseEntry(f.CrafterSkill, 19);  // 51: far below any chance
        QCOMPARE(f.ArmorOvercharge->text(), QStringLiteral("BOOM! (-25%)"));
    }

    void overchargeReadsOnItsColourOnLightAndDarkPalettes_data()
    {
        QTest::addColumn<QPalette>("palette");
        QTest::newRow("light") << QApplication::style()->standardPalette();
        // A dark desktop: light text on a dark window, as Qt derives it from a dark button colour.
        QTest::newRow("dark") << QPalette(QColor(53, 53, 53));
    }

    void overchargeReadsOnItsColourOnLightAndDarkPalettes()
    {
        QFETCH(QPalette, palette);
        const QPalette before = QApplication::palette();
        QApplication::setPalette(palette);
        const auto restore = qScopeGuard([&before] { QApplication::setPalette(before); });
        QVERIFY(OpenMainWindowOnly());
        TMainForm& f = *m_form;
        QLabel* shown = f.ArmorOvercharge;
        // What the player reads: the text against what the label paints behind it.
        auto readable = [shown](const char* state) {
            const double ratio = Contrast(shown->palette().color(shown->foregroundRole()), BehindText(shown));
            if (ratio < 3.0)
                qWarning("%s \"%s\": contrast %.2f:1", state, qPrintable(shown->text()), ratio);
            return shown->autoFillBackground() && ratio >= 3.0;
        };
        QVERIFY(readable("at start"));

        // Three tier-9 Stat gems use 38 of the 28 points: 10 over, beyond any chance.
        for (int k = 0; k < 3; ++k) {
            ChooseEntry(f.GemEffectType[k], gw::TypeStat);
            ChooseEntry(f.GemEffectAmount[k], 9);
            ChooseEntry(f.GemQuality[k], 6);
        }
        QCOMPARE(f.ArmorUsedPoints->text(), QStringLiteral("38"));
        QCOMPARE(shown->text(), QStringLiteral("Impossible!"));
        QCOMPARE(BehindText(shown), QColor(255, 0, 0));
        QVERIFY(readable("impossible"));

        // A tier-0 Focus gem instead: 29 points, 1 over; 3 x 11 - 10 + 18 + skill gives the chance.
        ChooseEntry(f.GemEffectType[2], gw::TypeFocus);
        const struct {
            int skillIndex;
            const char* text;
            QColor meaning;
        } chances[] = {
            {0, "91%", QColor(0, 128, 0)},    // 1001: +50
            {2, "81%", QColor(255, 255, 0)},  // 901: +40
            {5, "66%", QColor(255, 255, 0)},  // 751: +25
            {7, "56%", QColor(255, 0, 0)},    // 651: +15
            {19, "BOOM! (-4%)", QColor(255, 0, 0)},
            {0, "91%", QColor(0, 128, 0)},
        };
        for (const auto& chance : chances) {
            ChooseEntry(f.CrafterSkill, chance.skillIndex);
            QCOMPARE(shown->text(), QString::fromLatin1(chance.text));
            QCOMPARE(BehindText(shown), chance.meaning);
            QVERIFY(readable(chance.text));
        }

        // Within its points again the text takes the window's own colours, and follows them.
        ChooseEntry(f.GemEffectType[2], gw::TypeUnused);
        QCOMPARE(shown->text(), QStringLiteral("None"));
        QCOMPARE(shown->palette().color(shown->foregroundRole()), palette.color(QPalette::WindowText));
        QVERIFY(readable("none"));
        QPalette inverse = palette;
        inverse.setColor(QPalette::WindowText, palette.color(QPalette::Window));
        inverse.setColor(QPalette::Window, palette.color(QPalette::WindowText));
        f.setPalette(inverse);
        QCOMPARE(shown->palette().color(shown->foregroundRole()), inverse.color(QPalette::WindowText));
        QVERIFY(readable("none, the window's colours changed"));
    }

    void itemLevelSetsTheCapacity()
    {
        TMainForm& f = *m_form;
        ChooseEntry(f.GemEffectType[0], gw::TypeHits);
        TypeOver(f.ArmorLevel, QStringLiteral("10"));
        QCOMPARE(f.ArmorImbuePoints->text(), QStringLiteral("6"));
        QCOMPARE(f.Items[0].ImbuePoints, 6);
        QCOMPARE(f.Items[0].Level, 10);
        ChooseEntry(f.ArmorQuality, 6);
        QCOMPARE(f.ArmorImbuePoints->text(), QStringLiteral("7"));
        QCOMPARE(f.Items[0].ImbuePoints, 7);
        // Levels beyond the capacity table are held to its ends; text without digits is level 0.
        TypeOver(f.ArmorLevel, QStringLiteral("9999"));
        QCOMPARE(f.ArmorImbuePoints->text(), QStringLiteral("32"));
        TypeOver(f.ArmorLevel, QStringLiteral("abc"));
        QCOMPARE(f.ArmorImbuePoints->text(), QStringLiteral("1"));
        QCOMPARE(f.Items[0].Level, 0);
    }

    void characterLevelIsHeldBetweenOneAndFifty()
    {
        TMainForm& f = *m_form;
        Click(f.DisplaySelectItems[1]);  // distance to cap shows the caps of an empty configuration
        QCOMPARE(f.TotalStats[0]->text(), QStringLiteral("75"));

        TypeOver(f.CharLevel, QStringLiteral("60"));
        QCOMPARE(f.CharLevel->text(), QStringLiteral("50"));
        QCOMPARE(f.Config.caps, gw::Caps{});

        TypeOver(f.CharLevel, QString());
        QCOMPARE(f.CharLevel->text(), QStringLiteral("1"));
        const gw::Caps levelOne{1, 1, 1, 4, 1};
        QCOMPARE(f.Config.caps, levelOne);
        QCOMPARE(f.TotalStats[0]->text(), QStringLiteral("1"));
        QCOMPARE(f.TotalResists[0]->text(), QStringLiteral("1"));
        QCOMPARE(f.TotalHits->text(), QStringLiteral("4"));
        QCOMPARE(f.TotalPower->text(), QStringLiteral("1"));

        TypeOver(f.CharLevel, QStringLiteral("0"));
        QCOMPARE(f.CharLevel->text(), QStringLiteral("1"));
        TypeOver(f.CharLevel, QStringLiteral("23"));
        QCOMPARE(f.CharLevel->text(), QStringLiteral("23"));
        QCOMPARE(f.TotalStats[0]->text(), QStringLiteral("34"));
    }

    void realmChangeEmptiesEveryItem()
    {
        TMainForm& f = *m_form;
        for (gw::GWItem& item : f.Items) {
            item.Name = "kept until the realm changes";
            item.EffectType[1] = gw::TypeSkill;
            item.EffectName[1] = 3;
        }
        ChooseEntry(f.GemEffectType[0], gw::TypeStat);
        f.ConfigFileName = QStringLiteral("/somewhere/plan.gwc");
        const QString title = gwtest::ShownTitle(&f);

        // Choosing the realm already shown changes nothing.
        f.RealmSelect->activated(0);
        QCOMPARE(f.Items[5].Name, std::string("kept until the realm changes"));

        gwtest::AnswerMessageBox(QMessageBox::Discard);  // the plan is modified: asked first
        ChooseEntry(f.RealmSelect, 1);
        for (std::size_t slot = 0; slot < f.Items.size(); ++slot) {
            gw::GWItem expected;
            if (slot == std::size_t(f.CurrentJewellerySlot()))
                expected.PlayerMade = 0;  // what the jewellery tab shows is never player-made
            QCOMPARE(f.Items[slot], expected);
        }
        QCOMPARE(f.GemEffectType[0]->currentIndex(), 0);
        QCOMPARE(f.TotalStats[0]->text(), QStringLiteral("0"));
        QVERIFY(f.ConfigFileName.isEmpty());
        QCOMPARE(gwtest::ShownTitle(&f), title);
        QCOMPARE(f.Realm(), 1);
    }

    void aWheelOverAListNotInUseChangesNothing()
    {
        TMainForm& f = *m_form;
        f.Items[3].Name = "kept";
        f.GemEffectType[0]->setFocus();
        for (QComboBox* list : {f.RealmSelect, f.CrafterSkill, f.GemEffectType[1]}) {
            QVERIFY(!list->hasFocus());
            const int before = list->currentIndex();
            const QPointF middle(list->width() / 2.0, list->height() / 2.0);
            QWheelEvent turn(middle, list->mapToGlobal(middle), QPoint(), QPoint(0, -120), Qt::NoButton,
                             Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(list, &turn);
            QCOMPARE(list->currentIndex(), before);
        }
        QCOMPARE(f.Realm(), 0);
        QCOMPARE(f.Items[3].Name, std::string("kept"));
    }

    void newClearsItemsAndKeepsTheOptions()
    {
        TMainForm& f = *m_form;
        ChooseEntry(f.RealmSelect, 2);
        TypeOver(f.CharLevel, QStringLiteral("30"));
        ClickTab(f.ArmorTabs, 8);
        Click(f.WeaponEquipped);
        ChooseEntry(f.GemEffectType[0], gw::TypeHits);
        f.SetTitles(QStringLiteral("plan.gwc"));
        QCOMPARE(gwtest::ShownTitle(&f), QStringLiteral("plan.gwc* - Quillane's Gemwright Equipment Configurator"));
        QCOMPARE(GwApplication::Title(), QStringLiteral("plan.gwc - Gemwright"));
        f.ConfigFileName = QStringLiteral("plan.gwc");
        const auto equipped = f.Equipped;

        gwtest::Focus(f.CharLevel);
        gwtest::AnswerMessageBox(QMessageBox::Discard);  // the plan is modified: asked first
        f.New1->trigger();
        QTRY_COMPARE(gwtest::PendingAnswers(), 0);
        QCOMPARE(gwtest::ShownTitle(&f), QStringLiteral("Quillane's Gemwright Equipment Configurator"));
        QCOMPARE(GwApplication::Title(), QStringLiteral("Gemwright"));
        QCOMPARE(QApplication::applicationName(), QStringLiteral("Gemwright"));
        QVERIFY(f.ConfigFileName.isEmpty());
        for (std::size_t slot = 0; slot < f.Items.size(); ++slot) {
            gw::GWItem expected;
            expected.PlayerMade = slot == std::size_t(f.CurrentJewellerySlot()) ? 0 : 1;
            QCOMPARE(f.Items[slot], expected);
        }
        QCOMPARE(f.Realm(), 2);
        QCOMPARE(f.CharLevel->text(), QStringLiteral("30"));
        QCOMPARE(f.Equipped, equipped);
        QCOMPARE(f.ArmorTabs->currentIndex(), 8);
        QCOMPARE(f.TotalHits->text(), QStringLiteral("0"));
    }

    void clearItemEmptiesOnlyTheTabShown()
    {
        TMainForm& f = *m_form;
        ChooseEntry(f.GemEffectType[0], gw::TypeHits);
        ClickTab(f.ArmorTabs, 2);
        Click(f.IsDrop);
        TypeOver(f.ArmorItemName, QStringLiteral("Helm"));
        ChooseEntry(f.GemEffectType[0], gw::TypeHits);
        TypeOver(f.DropEffectAmount[0], QStringLiteral("40"));
        QCOMPARE(f.TotalHits->text(), QStringLiteral("44"));

        Click(f.ArmorClear);
        QVERIFY(f.IsPlayerMade->isChecked());
        QVERIFY(f.ArmorItemName->text().isEmpty());
        QCOMPARE(f.GemEffectType[0]->currentIndex(), 0);
        QCOMPARE(f.TotalHits->text(), QStringLiteral("4"));
        QCOMPARE(f.Items[0].EffectType[0], int(gw::TypeHits));

        ClickTab(f.ArmorJewelryPage->tabBar(), 1);
        ClickTab(f.JewelryTabs, 4);
        ChooseEntry(f.JewelryEffectType[0], gw::TypePower);
        TypeOver(f.JewelryEffectAmount[0], QStringLiteral("6"));
        QCOMPARE(f.TotalPower->text(), QStringLiteral("6"));
        Click(f.JewelryClear);
        QCOMPARE(f.JewelryEffectType[0]->currentIndex(), 0);
        QCOMPARE(f.JewelryEffectAmount[0]->text(), QStringLiteral("0"));
        QCOMPARE(f.TotalPower->text(), QStringLiteral("0"));
        gw::GWItem cleared;
        cleared.PlayerMade = 0;
        QCOMPARE(f.Items[14], cleared);
    }
};

GW_UI_TEST_MAIN(MainWindowEditingTest)
#include "mainwindow_editing_test.moc"
