// Switching tabs keeps every item as the player left it; player-made and drop items show their
// own control sets; the Equipped box follows the weapon rules.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "support/GuiTest.h"
#include "data/Globals.h"
#include "ui/ClickableLabel.h"
#include "ui/MainForm.h"
#include "ui/Text.h"

using gwtest::ChooseEntry;
using gwtest::Click;
using gwtest::ClickTab;
using gwtest::Find;
using gwtest::TypeOver;

namespace {

const QStringList PlayerMadeOnly{
    "Gem1EffectAmount", "Gem4EffectAmount", "ArmorQuality", "PointLabel1", "PointLabel2", "PointLabel3",
    "ArmorUsedPoints",  "ArmorImbuePoints", "OverchargeLabel", "ArmorOvercharge", "GemPointsLabel", "Gem1Points",
    "Gem4Points",       "GemCostLabel",     "Gem2Cost",        "GemNameLabel",    "Gem3Name",       "ItemCostLabel",
    "ItemCost"};
const QStringList DropOnly{"DropEffect1Amount", "DropEffect4Amount", "ArmorQual",       "ArmorItemNameLabel",
                           "ArmorItemName",     "ArmorDPSLabel",     "ArmorDPS",        "ArmorSpeedLabel",
                           "ArmorSpeed",        "ArmorBonusLabel",   "ArmorBonus",      "ArmorSaveDrop"};
const QStringList BothModes{"ArmorQualityLabel", "Label50",         "ArmorLevel",     "ArmorLevelButton",
                            "Label15",           "ArmorUtility",    "Gem1EffectType", "Gem4EffectName",
                            "Gem2Quality",       "ArmorLoadDrop",   "ArmorClear",     "IsPlayerMade",
                            "IsDrop"};

} // namespace

class MainWindowTabsTest : public gwtest::MainWindowTest {
    Q_OBJECT

private slots:
    void init()
    {
        MainWindowTest::init();
        QVERIFY(OpenMainWindowOnly());
    }

    void chestAndArmsKeepWhatWasEntered()
    {
        TMainForm& f = *m_form;
        // Chest becomes a drop with typed amounts, a name beyond ASCII and its drop fields.
        Click(f.IsDrop);
        const QString name = QStringLiteral("Gantelet d\u2019\u00e9t\u00e9 \u20ac5 \u2122");
        TypeOver(f.ArmorItemName, name);
        ChooseEntry(f.GemEffectType[0], gw::TypeStat);
        TypeOver(f.DropEffectAmount[0], QStringLiteral("19"));
        ChooseEntry(f.GemEffectType[2], gw::TypeResist);
        ChooseEntry(f.GemEffectName[2], 4);
        TypeOver(f.DropEffectAmount[2], QStringLiteral("-5"));
        TypeOver(f.ArmorQual, QStringLiteral("97"));
        TypeOver(f.ArmorLevel, QStringLiteral("45"));
        TypeOver(f.ArmorDPS, QStringLiteral("16.5"));
        TypeOver(f.ArmorBonus, QStringLiteral("35"));
        QCOMPARE(f.TotalStats[0]->text(), QStringLiteral("19"));
        QCOMPARE(f.TotalResists[4]->text(), QStringLiteral("-5"));

        // Arms stays player-made, with one Hits gem.
        ClickTab(f.ArmorTabs, 1);
        QCOMPARE(f.CurrentArmourSlot(), 1);
        QVERIFY(f.IsPlayerMade->isChecked());
        QVERIFY(f.ArmorItemName->text().isEmpty());
        QCOMPARE(f.GemEffectType[0]->currentIndex(), 0);
        ChooseEntry(f.GemEffectType[1], gw::TypeHits);
        ChooseEntry(f.GemEffectAmount[1], 3);
        ChooseEntry(f.GemQuality[1], 6);
        QCOMPARE(f.TotalHits->text(), QStringLiteral("28"));

        ClickTab(f.ArmorTabs, 0);
        QVERIFY(f.IsDrop->isChecked());
        QCOMPARE(f.ArmorItemName->text(), name);
        QCOMPARE(f.GemEffectType[0]->currentIndex(), int(gw::TypeStat));
        QCOMPARE(f.GemEffectName[0]->currentText(), QStringLiteral("Strength"));
        QCOMPARE(f.DropEffectAmount[0]->text(), QStringLiteral("19"));
        QCOMPARE(f.GemEffectType[1]->currentIndex(), 0);
        QCOMPARE(f.DropEffectAmount[1]->text(), QStringLiteral("0"));
        QCOMPARE(f.GemEffectName[2]->currentText(), QStringLiteral("Matter Resist"));
        QCOMPARE(f.DropEffectAmount[2]->text(), QStringLiteral("-5"));
        QCOMPARE(f.ArmorQual->text(), QStringLiteral("97"));
        QCOMPARE(f.ArmorLevel->text(), QStringLiteral("45"));
        QCOMPARE(f.ArmorDPS->text(), QStringLiteral("16.5"));
        QCOMPARE(f.ArmorBonus->text(), QStringLiteral("35"));
        // The name is kept as Windows-1252 bytes.
        QCOMPARE(f.Items[0].Name, std::string("Gantelet d\x92\xe9t\xe9 \x80" "5 \x99"));

        ClickTab(f.ArmorTabs, 1);
        QCOMPARE(f.GemEffectType[1]->currentIndex(), int(gw::TypeHits));
        QCOMPARE(f.GemEffectAmount[1]->currentIndex(), 3);
        QCOMPARE(f.GemQuality[1]->currentIndex(), 6);
        QCOMPARE(f.TotalStats[0]->text(), QStringLiteral("19"));
        QCOMPARE(f.TotalHits->text(), QStringLiteral("28"));
    }

    void jewelleryTabsKeepWhatWasEntered()
    {
        TMainForm& f = *m_form;
        ClickTab(f.ArmorJewelryPage->tabBar(), 1);
        TypeOver(f.JewelryItemName, QStringLiteral("Ring of Might"));
        ChooseEntry(f.JewelryEffectType[0], gw::TypeStat);
        TypeOver(f.JewelryEffectAmount[0], QStringLiteral("12"));
        TypeOver(f.JewelryLevel, QStringLiteral("48"));
        TypeOver(f.JewelryQual, QStringLiteral("100"));
        TypeOver(f.JewelryBonus, QStringLiteral("35"));
        QCOMPARE(f.JewelryUtility->text(), QStringLiteral("8.0"));

        ClickTab(f.JewelryTabs, 5);
        QCOMPARE(f.CurrentJewellerySlot(), 15);
        QVERIFY(f.JewelryItemName->text().isEmpty());
        QCOMPARE(f.JewelryUtility->text(), QStringLiteral("0.0"));
        ClickTab(f.JewelryTabs, 0);
        QCOMPARE(f.JewelryItemName->text(), QStringLiteral("Ring of Might"));
        QCOMPARE(f.JewelryEffectAmount[0]->text(), QStringLiteral("12"));
        QCOMPARE(f.JewelryEffectName[0]->currentText(), QStringLiteral("Strength"));
        QCOMPARE(f.JewelryLevel->text(), QStringLiteral("48"));
        QCOMPARE(f.JewelryQual->text(), QStringLiteral("100"));
        QCOMPARE(f.JewelryBonus->text(), QStringLiteral("35"));
        const gw::GWItem& neck = f.Items[10];
        QCOMPARE(neck.PlayerMade, 0);
        QCOMPARE(neck.Quality, 0);
        QCOMPARE(neck.EffectAmount[0], 12);
        QCOMPARE(neck.Level, 48);
        QCOMPARE(f.TotalStats[0]->text(), QStringLiteral("12"));
    }

    void eachModeShowsExactlyItsOwnControls()
    {
        TMainForm& f = *m_form;
        auto visible = [&f](const QString& name) { return Find<QWidget>(&f, name)->isVisible(); };
        for (int pass = 0; pass < 2; ++pass) {
            for (const QString& name : PlayerMadeOnly)
                QVERIFY2(visible(name), qPrintable(name));
            for (const QString& name : DropOnly)
                QVERIFY2(!visible(name), qPrintable(name));
            for (const QString& name : BothModes)
                QVERIFY2(visible(name), qPrintable(name));
            QVERIFY(f.GemQuality[3]->isEnabled());

            Click(f.IsDrop);
            QCOMPARE(f.Items[0].PlayerMade, 0);
            for (const QString& name : PlayerMadeOnly)
                QVERIFY2(!visible(name), qPrintable(name));
            for (const QString& name : DropOnly)
                QVERIFY2(visible(name), qPrintable(name));
            for (const QString& name : BothModes)
                QVERIFY2(visible(name), qPrintable(name));
            // The gem qualities stay in sight but cannot be changed.
            QVERIFY(!f.GemQuality[3]->isEnabled());
            QCOMPARE(f.ArmorDPSLabel->text(), QStringLiteral("AF:"));
            QVERIFY(!f.ArmorSpeed->isEnabled());

            Click(f.IsPlayerMade);
            QCOMPARE(f.Items[0].PlayerMade, 1);
        }
    }

    void tabOfTheOtherModeSwitchesControlsAndTotals()
    {
        TMainForm& f = *m_form;
        // Feet is a drop with 10 Hits. Once on Chest, the totals are made stale behind the
        // window's back, so that only a full refresh brings them up to date.
        ClickTab(f.ArmorTabs, 5);
        Click(f.IsDrop);
        ChooseEntry(f.GemEffectType[0], gw::TypeHits);
        TypeOver(f.DropEffectAmount[0], QStringLiteral("10"));
        QCOMPARE(f.TotalHits->text(), QStringLiteral("10"));
        ClickTab(f.ArmorTabs, 0);
        QVERIFY(f.GemEffectAmount[0]->isVisible());
        f.Items[12].PlayerMade = 0;
        f.Items[12].EffectType[0] = gw::TypeHits;
        f.Items[12].EffectAmount[0] = 5;

        // Between two player-made tabs only the tab's own figures are refreshed.
        ClickTab(f.ArmorTabs, 1);
        QCOMPARE(f.TotalHits->text(), QStringLiteral("10"));

        // Into the drop: its controls show and the totals are recomputed.
        ClickTab(f.ArmorTabs, 5);
        QVERIFY(f.DropEffectAmount[0]->isVisible());
        QVERIFY(!f.GemEffectAmount[0]->isVisible());
        QCOMPARE(f.DropEffectAmount[0]->text(), QStringLiteral("10"));
        QCOMPARE(f.TotalHits->text(), QStringLiteral("15"));
        QCOMPARE(f.Items[5].EffectAmount[0], 10);
    }

    void weaponTabsRelabelTheDropFields()
    {
        TMainForm& f = *m_form;
        Click(f.IsDrop);
        for (int slot = 0; slot < gw::ArmourSlotCount; ++slot) {
            ClickTab(f.ArmorTabs, slot);
            Click(f.IsDrop);
            const bool weapon = slot >= 6;
            QCOMPARE(f.ArmorDPSLabel->text(), weapon ? QStringLiteral("DPS:") : QStringLiteral("AF:"));
            QCOMPARE(f.ArmorSpeed->isEnabled(), weapon);
            QCOMPARE(f.WeaponEquipped->isVisible(), weapon);
            QCOMPARE(f.WeaponEquipped->isEnabled(), weapon);
        }
    }

    void equippedBoxFollowsTheWeaponRules()
    {
        TMainForm& f = *m_form;
        using Flags = std::array<int, 4>;  // Right Hand, Left Hand, 2 Handed, Ranged
        auto weapons = [&f] { return Flags{f.Equipped[6], f.Equipped[7], f.Equipped[8], f.Equipped[9]}; };

        // Entering a tab shows its flag and changes none.
        ClickTab(f.ArmorTabs, 6);
        QVERIFY(f.WeaponEquipped->isChecked());
        ClickTab(f.ArmorTabs, 8);
        QVERIFY(!f.WeaponEquipped->isChecked());
        QCOMPARE(weapons(), (Flags{1, 0, 0, 0}));

        Click(f.WeaponEquipped);  // 2 Handed excludes every other weapon
        QCOMPARE(weapons(), (Flags{0, 0, 1, 0}));
        ClickTab(f.ArmorTabs, 6);
        QVERIFY(!f.WeaponEquipped->isChecked());
        QCOMPARE(weapons(), (Flags{0, 0, 1, 0}));

        Click(f.WeaponEquipped);  // Right Hand clears 2 Handed and Ranged
        QCOMPARE(weapons(), (Flags{1, 0, 0, 0}));
        ClickTab(f.ArmorTabs, 7);
        Click(f.WeaponEquipped);  // both hands together
        QCOMPARE(weapons(), (Flags{1, 1, 0, 0}));

        ClickTab(f.ArmorTabs, 9);
        Click(f.WeaponEquipped);  // Ranged excludes every other weapon
        QCOMPARE(weapons(), (Flags{0, 0, 0, 1}));

        ClickTab(f.ArmorTabs, 6);
        Click(f.WeaponEquipped);
        Click(f.WeaponEquipped);  // unchecking the right hand clears 2 Handed and Ranged as well
        QCOMPARE(weapons(), (Flags{0, 0, 0, 0}));

        ClickTab(f.ArmorTabs, 0);
        QVERIFY(!f.WeaponEquipped->isVisible());
        QCOMPARE(weapons(), (Flags{0, 0, 0, 0}));
    }

    void aWeaponCountsOnlyWhenEquipped()
    {
        TMainForm& f = *m_form;
        ClickTab(f.ArmorTabs, 7);
        ChooseEntry(f.GemEffectType[0], gw::TypeStat);
        ChooseEntry(f.GemEffectAmount[0], 9);
        QCOMPARE(f.TotalStats[0]->text(), QStringLiteral("0"));
        QCOMPARE(f.FindFreeSlotButton->text(), QStringLiteral("Find Empty Slot (28)"));
        Click(f.WeaponEquipped);
        QCOMPARE(f.TotalStats[0]->text(), QStringLiteral("28"));
        QCOMPARE(f.FindFreeSlotButton->text(), QStringLiteral("Find Empty Slot (31)"));
    }

    void selectSlotBringsTheSlotToTheFront()
    {
        TMainForm& f = *m_form;
        f.Items[13].Name = "Belt of the Bear";
        f.Items[8].Name = "Great Sword";
        f.Items[8].PlayerMade = 0;
        f.SelectSlot(13);
        QCOMPARE(f.ArmorJewelryPage->currentWidget(), f.JewelrySheet);
        QCOMPARE(f.JewelryTabs->currentIndex(), 3);
        QCOMPARE(f.JewelryItemName->text(), QStringLiteral("Belt of the Bear"));

        f.SelectSlot(8);
        QCOMPARE(f.ArmorJewelryPage->currentWidget(), f.ArmorSheet);
        QCOMPARE(f.ArmorTabs->currentIndex(), 8);
        QVERIFY(f.IsDrop->isChecked());
        QCOMPARE(f.ArmorItemName->text(), QStringLiteral("Great Sword"));
        QVERIFY(f.WeaponEquipped->isVisible());
        QVERIFY(!f.WeaponEquipped->isChecked());
        QCOMPARE(f.Equipped[8], 0);
        QCOMPARE(f.Equipped[6], 1);
        QCOMPARE(f.SuppressEquippedClick, 0);

        // The player then switches by hand: the slot shown is stored, not the one shown before.
        TypeOver(f.ArmorBonus, QStringLiteral("11"));
        ClickTab(f.ArmorTabs, 0);
        QCOMPARE(f.Items[8].Bonus, std::string("11"));
        QCOMPARE(f.Items[0].Bonus, std::string("0"));
    }

    void textsLongerThanTheirBoxesSurviveALoad()
    {
        TMainForm& f = *m_form;
        // Typing limits hold for typing; a longer stored text is shown and stored back whole.
        f.Items[1].PlayerMade = 0;
        f.Items[1].Name = std::string(300, 'n');
        f.Items[1].EffectType[0] = gw::TypeHits;
        f.Items[1].EffectAmount[0] = -1200;
        f.Items[1].DPS = "102.5";
        ClickTab(f.ArmorTabs, 1);
        QCOMPARE(f.DropEffectAmount[0]->text(), QStringLiteral("-1200"));
        TypeOver(f.ArmorBonus, QStringLiteral("7"));
        ClickTab(f.ArmorTabs, 0);
        QCOMPARE(f.Items[1].Name.size(), std::size_t(300));
        QCOMPARE(f.Items[1].EffectAmount[0], -1200);
        QCOMPARE(f.Items[1].DPS, std::string("102.5"));
        // A fresh item gives the boxes their typing limits back.
        Click(f.IsDrop);
        Focus(f.DropEffectAmount[0]);
        TypeOver(f.DropEffectAmount[0], QStringLiteral("12345"));
        QCOMPARE(f.DropEffectAmount[0]->text(), QStringLiteral("123"));
    }

private:
    static void Focus(QWidget* w) { gwtest::Focus(w); }
};

GW_UI_TEST_MAIN(MainWindowTabsTest)
#include "mainwindow_tabs_test.moc"
