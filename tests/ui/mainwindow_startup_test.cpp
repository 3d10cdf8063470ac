// The window as a new player first sees it, its keyboard order, the About box, and an error
// escaping a handler.
#include <stdexcept>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "support/GuiTest.h"
#include "ui/AboutFormSrc.h"
#include "ui/MainForm.h"
#include "ui/Startup.h"

using gwtest::Find;

// Each test makes its own windows.
class MainWindowStartupTest : public gwtest::MainWindowTest {
    Q_OBJECT

private slots:
    void designedFiguresShowUntilTheFirstEdit()
    {
        const auto form = CreateApplicationWindows();
        QVERIFY(gwtest::ShowAndActivate(form.get()));

        QCOMPARE(gwtest::ShownTitle(form.get()), QStringLiteral("Quillane's Gemwright Equipment Configurator"));
        for (const char* name : {"TotalStr", "TotalEmp", "TotalBody", "TotalSlash", "TotalHits", "TotalPower",
                                 "Gem1Points", "ArmorUsedPoints", "ArmorUtility", "JewelryUtility"})
            QCOMPARE(Find<QLabel>(form.get(), QString::fromLatin1(name))->text(), QStringLiteral("0"));
        for (const char* name : {"TotalCost", "Gem1Cost", "Gem4Cost", "ItemCost"})
            QCOMPARE(Find<QLabel>(form.get(), QString::fromLatin1(name))->text(), QStringLiteral("0c"));
        for (const char* name : {"Gem1Name", "Gem4Name", "ArmorOvercharge"})
            QCOMPARE(Find<QLabel>(form.get(), QString::fromLatin1(name))->text(), QStringLiteral("None"));
        QCOMPARE(Find<QLabel>(form.get(), "TotalFocus1")->text(), QStringLiteral("No Focus"));
        QCOMPARE(Find<QLabel>(form.get(), "ArmorImbuePoints")->text(), QStringLiteral("28"));
        QCOMPARE(Find<QPushButton>(form.get(), "FindFreeSlotButton")->text(), QStringLiteral("Find &Empty Slot (28)"));
        QCOMPARE(Find<QListWidget>(form.get(), "TotalSkills")->count(), 0);

        QCOMPARE(Find<QComboBox>(form.get(), "ArmorQuality")->currentText(), QStringLiteral("99"));
        QCOMPARE(Find<QComboBox>(form.get(), "Gem3Quality")->currentText(), QStringLiteral("94"));
        QCOMPARE(Find<QComboBox>(form.get(), "Gem2EffectType")->currentText(), QStringLiteral("Unused"));
        QCOMPARE(Find<QComboBox>(form.get(), "JewelryEffect4Type")->currentText(), QStringLiteral("Unused"));
        QCOMPARE(Find<QComboBox>(form.get(), "CrafterSkill")->currentText(), QStringLiteral("1001"));
        QCOMPARE(Find<QComboBox>(form.get(), "CrafterSkill")->count(), 20);
        QCOMPARE(Find<QComboBox>(form.get(), "CrafterSkill")->itemText(19), QStringLiteral("51"));
        QCOMPARE(Find<QComboBox>(form.get(), "RealmSelect")->currentText(), QStringLiteral("Albion"));
        QCOMPARE(Find<QLineEdit>(form.get(), "CharLevel")->text(), QStringLiteral("50"));
        QCOMPARE(Find<QLineEdit>(form.get(), "ArmorLevel")->text(), QStringLiteral("51"));
        QCOMPARE(Find<QPushButton>(form.get(), "GenerateReportButton")->text(), QStringLiteral("Order Form"));
        QCOMPARE(Find<QPushButton>(form.get(), "GenerateReportButton2")->text(), QStringLiteral("Config Report"));
        QVERIFY(Find<QRadioButton>(form.get(), "DisplayTotalBonus")->isChecked());

        QCOMPARE(Find<QTabWidget>(form.get(), "ArmorJewelryPage")->currentWidget(), Find<QWidget>(form.get(), "ArmorSheet"));
        QCOMPARE(Find<QTabBar>(form.get(), "ArmorTabs")->currentIndex(), 0);
        QCOMPARE(Find<QTabBar>(form.get(), "JewelryTabs")->currentIndex(), 0);
        QCOMPARE(Find<QTabBar>(form.get(), "ArmorTabs")->tabText(8), QStringLiteral("2 Handed"));
        QCOMPARE(Find<QTabBar>(form.get(), "JewelryTabs")->tabText(7), QStringLiteral("Right Wrist"));
        QVERIFY(Find<QRadioButton>(form.get(), "IsPlayerMade")->isChecked());
        QVERIFY(!Find<QCheckBox>(form.get(), "WeaponEquipped")->isVisible());

        QCOMPARE(form->StartDir, m_dir->path());
        QVERIFY(form->ConfigFileName.isEmpty());
        for (const gw::GWItem& item : form->Items)
            QCOMPARE(item, gw::GWItem{});
        const std::array<int, gw::SlotCount> equipped{1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1};
        QCOMPARE(form->Equipped, equipped);
        QCOMPARE(form->Config.caps, gw::Caps{});
        QCOMPARE(form->LoadingItem, 0);
        QCOMPARE(form->SuppressEquippedClick, 0);
    }

    void menusCarryTheirShortCuts()
    {
        TMainForm form;
        QCOMPARE(Find<QAction>(&form, "Open1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
        QCOMPARE(Find<QAction>(&form, "Save1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
        for (const char* name : {"New1", "SaveAs1", "Exit1", "About1", "Assign1"})
            QVERIFY2(Find<QAction>(&form, QString::fromLatin1(name)) != nullptr, name);
        QCOMPARE(Find<QAction>(&form, "Assign1")->text(), QStringLiteral("Assign..."));
    }

    void tabKeyFollowsTheDesignedOrder_data()
    {
        QTest::addColumn<bool>("drop");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("player-made chest")
            << false
            << QStringList{"ArmorQuality",     "ArmorLevel",      "ArmorLevelButton", "Gem1EffectType",
                           "Gem1EffectAmount", "Gem1EffectName",  "Gem1Quality",      "Gem2EffectType",
                           "Gem2EffectAmount", "Gem2EffectName",  "Gem2Quality",      "Gem3EffectType",
                           "Gem3EffectAmount", "Gem3EffectName",  "Gem3Quality",      "Gem4EffectType",
                           "Gem4EffectAmount", "Gem4EffectName",  "Gem4Quality",      "IsPlayerMade",
                           "ArmorLoadDrop",    "ArmorClear"};
        // A drop's gem qualities are disabled, and the checked radio button is the group's stop.
        QTest::newRow("drop chest") << true
                                    << QStringList{"ArmorQual",          "ArmorLevel",       "ArmorLevelButton",
                                                   "Gem1EffectType",     "DropEffect1Amount", "Gem1EffectName",
                                                   "Gem2EffectType",     "DropEffect2Amount", "Gem2EffectName",
                                                   "Gem3EffectType",     "DropEffect3Amount", "Gem3EffectName",
                                                   "Gem4EffectType",     "DropEffect4Amount", "Gem4EffectName",
                                                   "ArmorItemName",      "ArmorDPS",          "ArmorBonus",
                                                   "IsDrop",             "ArmorLoadDrop",     "ArmorSaveDrop",
                                                   "ArmorClear"};
    }
    void tabKeyFollowsTheDesignedOrder()
    {
        QFETCH(bool, drop);
        QFETCH(QStringList, order);
        TMainForm form;
        QVERIFY(gwtest::ShowAndActivate(&form));
        if (drop)
            gwtest::Click(Find<QRadioButton>(&form, "IsDrop"));
        QWidget* first = Find<QWidget>(&form, order.first());
        gwtest::Focus(first);
        QStringList seen{QApplication::focusWidget()->objectName()};
        for (qsizetype i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(seen, order);
    }

    void jewelleryTabKeyOrder()
    {
        TMainForm form;
        QVERIFY(gwtest::ShowAndActivate(&form));
        gwtest::ClickTab(form.ArmorJewelryPage->tabBar(), 1);
        const QStringList order{"JewelryItemName",    "JewelryEffect1Type", "JewelryEffect1Amount",
                                "JewelryEffect1Name", "JewelryEffect2Type", "JewelryEffect2Amount",
                                "JewelryEffect2Name", "JewelryEffect3Type", "JewelryEffect3Amount",
                                "JewelryEffect3Name", "JewelryEffect4Type", "JewelryEffect4Amount",
                                "JewelryEffect4Name", "JewelryLevel",       "JewelryQual",
                                "JewelryBonus",       "JewelryLoad",        "JewelrySave",
                                "JewelryClear"};
        gwtest::Focus(form.JewelryItemName);
        QStringList seen{QApplication::focusWidget()->objectName()};
        for (qsizetype i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(seen, order);
    }

    void aboutBoxIsOneModelessWindow()
    {
        const auto form = CreateApplicationWindows();
        QVERIFY(gwtest::ShowAndActivate(form.get()));
        form->Items[0].Name = "kept";
        QAction* about = Find<QAction>(form.get(), "About1");
        about->trigger();
        about->trigger();
        QCOMPARE(form->findChildren<TAboutForm*>().size(), 1);
        TAboutForm* box = form->AboutForm;
        QVERIFY(box->isVisible());
        QVERIFY(!box->isModal());
        QCOMPARE(Find<QLabel>(box, "Label7")->text(), QStringLiteral("Version 1.3f"));
        // The main window stays usable while the box is open.
        gwtest::TypeOver(form->CharLevel, QStringLiteral("40"));
        QCOMPARE(form->Config.caps.StatCap, 60);

        gwtest::Click(box->AboutClose);
        QVERIFY(!box->isVisible());
        QVERIFY(form->isVisible());
        QCOMPARE(form->Items[0].Name, std::string("kept"));
        about->trigger();
        QVERIFY(box->isVisible());
    }

    void aboutBoxOpensInTheMiddleOfTheScreen()
    {
        const auto form = CreateApplicationWindows();
        QVERIFY(gwtest::ShowAndActivate(form.get()));
        // The main window pushed into a corner: the box still opens in the screen's middle.
        form->move(0, 0);
        Find<QAction>(form.get(), "About1")->trigger();
        TAboutForm* box = form->AboutForm;
        QTRY_VERIFY(box->isVisible());
        const QPoint middle = box->screen()->availableGeometry().center();
        QVERIFY2((box->frameGeometry().center() - middle).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("box centred at %1,%2")
                                .arg(box->frameGeometry().center().x())
                                .arg(box->frameGeometry().center().y())));
    }

    void anErrorInAHandlerIsShownAndTheProgramGoesOn()
    {
        TMainForm form;
        QVERIFY(gwtest::ShowAndActivate(&form));
        int runs = 0;
        auto* faulty = new QPushButton(QStringLiteral("faulty"), &form);
        faulty->show();
        connect(faulty, &QPushButton::clicked, &form, [&runs] {
            ++runs;
            throw std::runtime_error("the handler failed");
        });
        QString shown;
        gwtest::AnswerMessageBox(QMessageBox::Abort, &shown);
        gwtest::Click(faulty);
        QTRY_COMPARE(gwtest::PendingAnswers(), 0);
        QCOMPARE(shown, QStringLiteral("the handler failed"));
        // The window still answers the next event.
        gwtest::TypeOver(form.CharLevel, QStringLiteral("10"));
        QCOMPARE(form.Config.caps.HitsCap, 40);
        QCOMPARE(runs, 1);
    }

    void closingWritesTheSettingsWhicheverWay_data()
    {
        QTest::addColumn<bool>("byMenu");
        QTest::newRow("File, Exit") << true;
        QTest::newRow("close box") << false;
    }
    void closingWritesTheSettingsWhicheverWay()
    {
        QFETCH(bool, byMenu);
        const QString settings = m_dir->filePath(QStringLiteral("gemwright.ini"));
        {
            TMainForm form;
            QVERIFY(gwtest::ShowAndActivate(&form));
            gwtest::ChooseEntry(form.RealmSelect, 2);
            QVERIFY(!QFile::exists(settings));
            if (byMenu)
                form.Exit1->trigger();
            else
                form.close();
            QVERIFY(!form.isVisible());
        }
        QVERIFY(QFile::exists(settings));
        // The next start finds the realm again.
        TMainForm next;
        QCOMPARE(next.Realm(), 2);
    }
};

GW_UI_TEST_MAIN(MainWindowStartupTest)
#include "mainwindow_startup_test.moc"
