// Configurations, saved items and the settings file, driven through the menus, buttons and
// dialogs as a player does.
#include <csignal>
#include <sys/resource.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "data/Globals.h"
#include "io/ItemRecord.h"
#include "support/GuiTest.h"
#include "ui/GwApplication.h"
#include "ui/LoadDropSrc.h"
#include "ui/MainForm.h"

using gwtest::AnswerFileDialog;
using gwtest::Find;
using gwtest::ReadAll;
using SeenDialog = gwtest::SeenFileDialog;
using gwtest::WriteAll;

namespace {

const QString Caption = QStringLiteral(" - Quillane's Gemwright Equipment Configurator");

// Eighteen distinct items as the window holds them: player-made and dropped armour, jewellery.
void FillConfiguration(TMainForm& form)
{
    for (int slot = 0; slot < gw::SlotCount; ++slot) {
        gw::GWItem& item = form.Items[static_cast<std::size_t>(slot)];
        item.Clear();
        item.Name = "Item " + std::to_string(slot);
        item.Level = 40 + slot;
        item.Qual = std::to_string(94 + slot % 7);
        item.Bonus = std::to_string(slot);
        item.EffectType = {gw::TypeStat, gw::TypeResist, gw::TypeHits, gw::TypeUnused};
        item.EffectName = {slot % 8, slot % 9, 0, 0};
        if (slot < gw::ArmourSlotCount && slot % 2 == 0) {
            item.PlayerMade = 1;
            item.Quality = slot % 7;
            item.EffectAmount = {slot % 10, 3, 1, 0};
            item.GemQuality = {1, 2, 3, 0};
        } else {
            item.PlayerMade = 0;
            item.Quality = slot < gw::ArmourSlotCount ? 5 : 0;
            item.EffectAmount = {slot + 1, 7, 20, 0};
            item.DPS = slot < gw::ArmourSlotCount ? "16.5" : "0";
            item.Speed = slot >= 6 && slot < gw::ArmourSlotCount ? "3.7" : "0";
        }
    }
    form.LoadArmorItem();
    form.LoadJewelryItem();
    form.RefreshAll();
}

// Sixteen records of an older file: slots 0..7 and 10..17, each headed by `version`.
QByteArray OldConfiguration(const char* version, const char* realm)
{
    std::string text;
    for (int slot = 0; slot < gw::SlotCount; ++slot) {
        if (slot == 8 || slot == 9)
            continue;
        gw::GWItem item;
        item.PlayerMade = 0;
        item.Name = "Old " + std::to_string(slot);
        item.EffectType = {gw::TypeStat, 0, 0, 0};
        item.EffectAmount = {slot + 1, 0, 0, 0};
        std::string record = gw::ItemRecordText(item, realm);
        record.replace(0, gw::CurrentRecordVersion.size(), version);
        text += record;
    }
    return QByteArray::fromStdString(text);
}

// Makes every write of more than `bytes` fail, as a full disk would, for the life of the object.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace

// Each test opens the window itself (start()), after preparing the files it is to find.
class FilesTest : public gwtest::MainWindowTest {
    Q_OBJECT

private slots:
    void saveAsThenOpenGivesBackEveryItemAndTheRealm()
    {
        start();
        gwtest::ChooseEntry(m_form->RealmSelect, 1);
        FillConfiguration(*m_form);
        const auto saved = m_form->Items;

        SeenDialog seen;
        AnswerFileDialog(QStringLiteral("plan"), &seen);
        m_form->SaveAs1->trigger();
        QTRY_VERIFY(seen.seen);
        QCOMPARE(seen.objectName, QStringLiteral("SaveDialog1"));
        QCOMPARE(seen.filter, QStringLiteral("Gemwright Config (*.gwc)"));
        QCOMPARE(QDir(seen.directory), QDir(m_form->StartDir));
        const QString path = m_dir->filePath(QStringLiteral("plan.gwc"));
        QCOMPARE(ReadAll(path).count("\r\n"), 486);
        QCOMPARE(m_form->ConfigFileName, path);
        QCOMPARE(gwtest::ShownTitle(m_form.get()), QStringLiteral("plan.gwc") + Caption);
        QCOMPARE(GwApplication::Title(), QStringLiteral("plan.gwc - Gemwright"));

        // A fresh start in Albion, then the file opened with Ctrl+O.
        m_form->New1->trigger();
        QCOMPARE(gwtest::ShownTitle(m_form.get()), Caption.mid(3));
        gwtest::ChooseEntry(m_form->RealmSelect, 0);
        QVERIFY(m_form->Items[3].Name.empty());

        seen = {};
        AnswerFileDialog(path, &seen);
        PressShortcut(Qt::Key_O);
        QTRY_VERIFY(seen.seen);
        QCOMPARE(seen.objectName, QStringLiteral("OpenDialog1"));
        QCOMPARE(seen.filter, QStringLiteral("Gemwright Config (*.gwc)"));
        QCOMPARE(QDir(seen.directory), QDir(m_form->StartDir));

        QCOMPARE(m_form->RealmSelect->currentIndex(), 1);
        for (int slot = 0; slot < gw::SlotCount; ++slot)
            QVERIFY2(m_form->Items[static_cast<std::size_t>(slot)] == saved[static_cast<std::size_t>(slot)],
                     qPrintable(QStringLiteral("slot %1").arg(slot)));
        QCOMPARE(m_form->ArmorItemName->text(), QStringLiteral("Item 0"));
        QCOMPARE(m_form->JewelryItemName->text(), QStringLiteral("Item 10"));
        QCOMPARE(m_form->ConfigFileName, path);
        QCOMPARE(gwtest::ShownTitle(m_form.get()), QStringLiteral("plan.gwc") + Caption);
    }

    void anOpenedRealmIsTheRealmTheItemsBelongTo()
    {
        // A Hibernia file opened while Albion is selected: no foreign-realm message, the realm
        // box shows Hibernia, and choosing Albion afterwards is a real change of realm.
        start();
        FillConfiguration(*m_form);
        m_form->ConfigFileName.clear();
        QCOMPARE(m_form->RealmSelect->currentIndex(), 0);
        const QString path = m_dir->filePath(QStringLiteral("hib.gwc"));
        std::string text;
        gw::GWItem focus;
        focus.PlayerMade = 0;
        focus.Name = "Staff";
        focus.EffectType = {gw::TypeFocus, 0, 0, 0};
        focus.EffectAmount = {50, 0, 0, 0};
        focus.EffectName = {2, 0, 0, 0};
        for (int slot = 0; slot < gw::SlotCount; ++slot)
            text += gw::ItemRecordText(slot == 0 ? focus : gw::GWItem{}, "hibernia");
        WriteAll(path, QByteArray::fromStdString(text));

        AnswerFileDialog(path);
        m_form->Open1->trigger();
        QTRY_COMPARE(m_form->RealmSelect->currentIndex(), 1);
        QCOMPARE(m_form->Items[0], focus);
        QCOMPARE(m_form->GemEffectName[0]->currentText(),
                 QString::fromLatin1(gw::LookupEffectName(gw::TypeFocus, 1, 2).data()));

        gwtest::ChooseEntry(m_form->RealmSelect, 0);
        QVERIFY(m_form->Items[0].Name.empty());
        QVERIFY(m_form->ConfigFileName.isEmpty());
        // The title stays, marked: the plan no longer is what the file holds.
        QCOMPARE(gwtest::ShownTitle(m_form.get()), QStringLiteral("hib.gwc*") + Caption);
    }

    void aVersion12FileKeepsTheTwoHandedAndRangedItems()
    {
        start();
        m_form->Items[8].Name = "Keep two-handed";
        m_form->Items[9].Name = "Keep ranged";
        m_form->Items[7].Name = "Replace me";
        const QString path = m_dir->filePath(QStringLiteral("old.gwc"));
        WriteAll(path, OldConfiguration("version1.2", "albion"));

        AnswerFileDialog(path);
        m_form->Open1->trigger();
        QTRY_COMPARE(m_form->ConfigFileName, path);
        QCOMPARE(m_form->Items[8].Name, std::string("Keep two-handed"));
        QCOMPARE(m_form->Items[9].Name, std::string("Keep ranged"));
        QCOMPARE(m_form->Items[7].Name, std::string("Old 7"));
        QCOMPARE(m_form->Items[10].Name, std::string("Old 10"));
        QCOMPARE(m_form->Items[17].EffectAmount[0], 18);
        QCOMPARE(m_form->Items[0].Level, 0); // a version1.2 record carries level and strings
    }

    void openingDerivesWhichWeaponCounts()
    {
        // A drop in the right hand and nothing in the two-handed and ranged slots: the right hand
        // counts, and the Equipped box of the tab shown follows.
        start();
        m_form->Equipped[6] = 0;
        m_form->Equipped[8] = 1;
        gw::GWItem sword;
        sword.PlayerMade = 0;
        sword.Name = "Sword";
        sword.EffectType = {gw::TypeStat, 0, 0, 0};
        sword.EffectAmount = {10, 0, 0, 0};
        std::string text;
        for (int slot = 0; slot < gw::SlotCount; ++slot)
            text += gw::ItemRecordText(slot == 6 ? sword : gw::GWItem{}, "albion");
        const QString path = m_dir->filePath(QStringLiteral("sword.gwc"));
        WriteAll(path, QByteArray::fromStdString(text));
        gwtest::ClickTab(m_form->ArmorTabs, 6);

        AnswerFileDialog(path);
        m_form->Open1->trigger();
        QTRY_COMPARE(m_form->ConfigFileName, path);
        QCOMPARE(m_form->Equipped[6], 1);
        QCOMPARE(m_form->Equipped[8], 0);
        QVERIFY(m_form->WeaponEquipped->isChecked());
        QCOMPARE(m_form->TotalStats[0]->text(), QStringLiteral("10"));
    }

    void theFileDialogsOfferTheirFiltersAndSaveAsReplacesWithoutAsking()
    {
        start();
        const QStringList kinds = {"Chest Item (*.chest)", "Arms Item (*.arms)",   "Head Item (*.head)",
                                   "Legs Item (*.legs)",   "Hands Item (*.hands)", "Feet Item (*.feet)"};
        const QStringList jewels = {"Neck Item (*.neck)", "Cloak Item (*.cloak)", "Jewel Item (*.jewel)",
                                    "Belt Item (*.belt)", "Ring Item (*.ring)",   "Wrist Item (*.wrist)"};
        QCOMPARE(TMainForm::SaveDialogFilter,
                 QStringList{"Gemwright Config (*.gwc)"} + kinds + QStringList{"Weapon Item (*.weapon)"} + jewels);
        // The open dialog names the weapons differently and ends with the report definitions,
        // the fifteenth filter that Assign selects.
        QCOMPARE(TMainForm::OpenDialogFilter, QStringList{"Gemwright Config (*.gwc)"} + kinds +
                                                  QStringList{"Weapon (*.weapon)"} + jewels +
                                                  QStringList{"Report Definition (*.rpt)"});

        // A name typed without an extension gets ".gwc"; saving over it again asks nothing (the
        // watchdog fails the test on any unexpected box) and replaces it.
        AnswerFileDialog(QStringLiteral("plan"));
        m_form->SaveAs1->trigger();
        const QString path = m_dir->filePath(QStringLiteral("plan.gwc"));
        QTRY_COMPARE(m_form->ConfigFileName, path);
        QCOMPARE(m_form->SaveDialog1()->defaultSuffix(), QStringLiteral("gwc"));
        QVERIFY(m_form->SaveDialog1()->testOption(QFileDialog::DontConfirmOverwrite));

        QVERIFY(!ReadAll(path).contains("\r\n37\r\n"));
        gwtest::TypeOver(m_form->ArmorLevel, QStringLiteral("37"));
        AnswerFileDialog(QStringLiteral("plan"));
        m_form->SaveAs1->trigger();
        QTRY_VERIFY(ReadAll(path).contains("\r\n37\r\n"));
        QCOMPARE(QDir(m_dir->path()).entryList({"plan*"}, QDir::Files), QStringList{"plan.gwc"});
    }

    void saveWritesTheNamedFileUntilTheRealmChanges()
    {
        start();
        AnswerFileDialog(QStringLiteral("a.gwc"));
        m_form->SaveAs1->trigger();
        const QString path = m_dir->filePath(QStringLiteral("a.gwc"));
        QTRY_COMPARE(m_form->ConfigFileName, path);

        // Save with a name asks nothing (the watchdog would catch a dialog) and writes the edit.
        gwtest::TypeOver(m_form->ArmorLevel, QStringLiteral("42"));
        PressShortcut(Qt::Key_S);
        QVERIFY2(ReadAll(path).contains("\r\n42\r\n"), ReadAll(path).left(300).constData());

        gwtest::ChooseEntry(m_form->RealmSelect, 2);
        QVERIFY(m_form->ConfigFileName.isEmpty());
        QCOMPARE(gwtest::ShownTitle(m_form.get()), QStringLiteral("a.gwc*") + Caption);

        SeenDialog seen;
        AnswerFileDialog(QString(), &seen);
        PressShortcut(Qt::Key_S);
        QTRY_VERIFY(seen.seen);
        QCOMPARE(seen.objectName, QStringLiteral("SaveDialog1"));
        QVERIFY(m_form->ConfigFileName.isEmpty());
        QVERIFY(ReadAll(path).contains("albion"));
    }

    void aFailedSaveKeepsTheOldFileTheNameAndTheTitle()
    {
        start();
        AnswerFileDialog(QStringLiteral("plan.gwc"));
        m_form->SaveAs1->trigger();
        const QString path = m_dir->filePath(QStringLiteral("plan.gwc"));
        QTRY_COMPARE(m_form->ConfigFileName, path);
        const QByteArray before = ReadAll(path);
        FillConfiguration(*m_form);

        const FileSizeLimit full(64);
        QString message;
        gwtest::AnswerMessageBox(QMessageBox::Abort, &message);
        PressShortcut(Qt::Key_S);
        QTRY_VERIFY(message.contains(QStringLiteral("plan.gwc")));
        QCOMPARE(ReadAll(path), before);

        message.clear();
        AnswerFileDialog(QStringLiteral("other.gwc"));
        gwtest::AnswerMessageBox(QMessageBox::Abort, &message);
        m_form->SaveAs1->trigger();
        QTRY_VERIFY(message.contains(QStringLiteral("other.gwc")));
        QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("other.gwc"))));
        QCOMPARE(m_form->ConfigFileName, path);
        QCOMPARE(gwtest::ShownTitle(m_form.get()), QStringLiteral("plan.gwc") + Caption);
        QCOMPARE(GwApplication::Title(), QStringLiteral("plan.gwc - Gemwright"));
    }

    // (The open dialog itself offers no pipe or device; the core's tests cover those.)
    void aHugeFileIsRefusedByOpenBeforeItIsRead()
    {
        start();
        FillConfiguration(*m_form);
        const auto before = m_form->Items;
        const QString huge = m_dir->filePath(QStringLiteral("huge.gwc"));
        QFile sparse(huge);
        QVERIFY(sparse.open(QIODevice::WriteOnly) && sparse.resize(qint64{100} << 30));
        sparse.close();
        QString message;
        AnswerFileDialog(huge);
        gwtest::AnswerMessageBox(QMessageBox::Abort, &message);
        m_form->Open1->trigger();
        QTRY_COMPARE(message, QStringLiteral("Load Failed. \"%1\" is larger than 4 MiB, more than a file of "
                                             "its kind can hold.").arg(huge));
        QCOMPARE(m_form->Items, before);
        QVERIFY(m_form->ConfigFileName.isEmpty());
    }

    void anItemFileOpenedAsAConfigurationIsReported()
    {
        start();
        FillConfiguration(*m_form);
        const auto before = m_form->Items;
        const QString path = m_dir->filePath(QStringLiteral("one.chest"));
        gw::GWItem chest;
        chest.Name = "Lone Chest";
        WriteAll(path, QByteArray::fromStdString(gw::ItemRecordText(chest, "albion")));

        QString message;
        AnswerFileDialog(path);
        gwtest::AnswerMessageBox(QMessageBox::Abort, &message);
        m_form->Open1->trigger();
        QTRY_VERIFY(!message.isEmpty());
        QCOMPARE(m_form->Items[0], chest);
        for (int slot = 1; slot < gw::SlotCount; ++slot)
            QCOMPARE(m_form->Items[static_cast<std::size_t>(slot)], before[static_cast<std::size_t>(slot)]);
    }

    void saveItemAsksBeforeReplacingAndRefusesBadNames()
    {
        start();
        QVERIFY(QDir().mkpath(QStringLiteral("items/albion")));
        ShowJewelleryTab(4); // Left Ring
        gwtest::TypeOver(m_form->JewelryItemName, QStringLiteral("Band"));
        gwtest::TypeOver(m_form->JewelryLevel, QStringLiteral("45"));
        const QString file = m_dir->filePath(QStringLiteral("items/albion/Band.ring"));

        QString message;
        gwtest::AnswerMessageBox(QMessageBox::Ok, &message);
        gwtest::Click(m_form->JewelrySave);
        QTRY_COMPARE(message, QStringLiteral("Item Band.ring has been saved"));
        const QByteArray first = ReadAll(file);
        QVERIFY(first.contains("\r\n45\r\n"));

        gwtest::TypeOver(m_form->JewelryLevel, QStringLiteral("46"));
        gwtest::AnswerMessageBox(QMessageBox::No, &message);
        gwtest::Click(m_form->JewelrySave);
        QTRY_COMPARE(message,
                     QStringLiteral("The item %1 already exists. Do you want to replace it?").arg(file));
        QCOMPARE(ReadAll(file), first);

        gwtest::AnswerMessageBox(QMessageBox::Yes);
        gwtest::AnswerMessageBox(QMessageBox::Ok, &message);
        gwtest::Click(m_form->JewelrySave);
        QTRY_COMPARE(message, QStringLiteral("Item Band.ring has been saved"));
        QVERIFY(ReadAll(file).contains("\r\n46\r\n"));

        // Names that would leave the realm's directory, or name nothing, are refused.
        for (const QString& name :
             {QStringLiteral("../Escape"), QStringLiteral(".."), QStringLiteral("a/b")}) {
            gwtest::TypeOver(m_form->JewelryItemName, name);
            message.clear();
            gwtest::AnswerMessageBox(QMessageBox::Abort, &message);
            gwtest::Click(m_form->JewelrySave);
            QTRY_VERIFY(!message.isEmpty());
        }
        QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("items/Escape.ring"))));
        QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("items/albion/a/b.ring"))));

        gwtest::TypeOver(m_form->JewelryItemName, QString());
        gwtest::AnswerMessageBox(QMessageBox::Abort, &message);
        gwtest::Click(m_form->JewelrySave);
        QTRY_COMPARE(message, QStringLiteral("Save Failed. This item has a blank name!"));
    }

    void saveItemWithoutTheRealmDirectoryFails()
    {
        start();
        ShowJewelleryTab(0);
        gwtest::TypeOver(m_form->JewelryItemName, QStringLiteral("Torc"));
        QString message;
        gwtest::AnswerMessageBox(QMessageBox::Abort, &message);
        gwtest::Click(m_form->JewelrySave);
        QTRY_COMPARE(message, QStringLiteral("Error opening file."));
    }

    void aRingSavedFromTheLeftLoadsIntoTheRight()
    {
        start();
        QVERIFY(QDir().mkpath(QStringLiteral("items/albion")));
        ShowJewelleryTab(4);
        gwtest::TypeOver(m_form->JewelryItemName, QStringLiteral("Band"));
        gwtest::ChooseEntry(m_form->JewelryEffectType[0], gw::TypeStat);
        gwtest::TypeOver(m_form->JewelryEffectAmount[0], QStringLiteral("12"));
        gwtest::AnswerMessageBox(QMessageBox::Ok);
        gwtest::Click(m_form->JewelrySave);
        QTRY_COMPARE(gwtest::PendingAnswers(), 0);
        const gw::GWItem band = m_form->Items[14];

        gwtest::ClickTab(m_form->JewelryTabs, 5);
        QStringList listed;
        gwtest::AnswerModal([&listed](QWidget* modal) {
            auto* browser = qobject_cast<TItemBrowser*>(modal);
            QVERIFY(browser != nullptr);
            for (int i = 0; i < browser->FileList->count(); ++i)
                listed << browser->FileList->item(i)->text();
            browser->FileList->setCurrentRow(0);
            gwtest::Click(browser->ItemLoad);
        });
        gwtest::Click(m_form->JewelryLoad);
        QTRY_COMPARE(gwtest::PendingAnswers(), 0);
        QCOMPARE(listed, QStringList({QStringLiteral("Band.ring")}));
        QCOMPARE(m_form->Items[15], band);
        QCOMPARE(m_form->JewelryItemName->text(), QStringLiteral("Band"));
        QCOMPARE(m_form->JewelryUtility->text(), QStringLiteral("8.0"));
        QCOMPARE(m_form->TotalStats[0]->text(), QStringLiteral("24"));
    }

    void aTwoHandedWeaponLoadsIntoTheLeftHand()
    {
        start();
        QVERIFY(QDir().mkpath(QStringLiteral("items/albion")));
        gwtest::ClickTab(m_form->ArmorTabs, 8);
        gwtest::Click(m_form->IsDrop);
        gwtest::TypeOver(m_form->ArmorItemName, QStringLiteral("Great Sword"));
        gwtest::TypeOver(m_form->ArmorDPS, QStringLiteral("165"));
        QString message;
        gwtest::AnswerMessageBox(QMessageBox::Ok, &message);
        gwtest::Click(m_form->ArmorSaveDrop);
        QTRY_COMPARE(message, QStringLiteral("Item Great Sword.weapon has been saved"));
        const gw::GWItem sword = m_form->Items[8];

        // Cancel first: the Left Hand keeps its item.
        gwtest::ClickTab(m_form->ArmorTabs, 7);
        const gw::GWItem left = m_form->Items[7];
        gwtest::AnswerModal([](QWidget* modal) {
            auto* browser = qobject_cast<TItemBrowser*>(modal);
            QVERIFY(browser != nullptr);
            browser->FileList->setCurrentRow(0);
            gwtest::Click(browser->ItemCancel);
        });
        gwtest::Click(m_form->ArmorLoadDrop);
        QTRY_COMPARE(gwtest::PendingAnswers(), 0);
        QCOMPARE(m_form->Items[7], left);

        // A double-click on the file loads it.
        QString dir;
        gwtest::AnswerModal([&dir](QWidget* modal) {
            auto* browser = qobject_cast<TItemBrowser*>(modal);
            QVERIFY(browser != nullptr);
            dir = QString::fromStdString(browser->Directory().native());
            QCOMPARE(browser->ItemName->text(), QStringLiteral("none selected"));
            QListWidget* list = browser->FileList;
            const QPoint at = list->visualItemRect(list->item(0)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        });
        gwtest::Click(m_form->ArmorLoadDrop);
        QTRY_COMPARE(gwtest::PendingAnswers(), 0);
        QCOMPARE(QDir(dir), QDir(m_dir->filePath(QStringLiteral("items/albion"))));
        QCOMPARE(m_form->Items[7], sword);
        QCOMPARE(m_form->ArmorItemName->text(), QStringLiteral("Great Sword"));
        QVERIFY(m_form->IsDrop->isChecked());
    }

    void aRefusedItemLeavesTheSlotAsItWas()
    {
        start();
        QVERIFY(QDir().mkpath(QStringLiteral("items/albion")));
        WriteAll(m_dir->filePath(QStringLiteral("items/albion/Elven.cloak")),
                 QByteArray::fromStdString(gw::ItemRecordText(gw::GWItem{}, "hibernia")));
        ShowJewelleryTab(1);
        gwtest::TypeOver(m_form->JewelryItemName, QStringLiteral("Mine"));
        const gw::GWItem before = m_form->Items[11];

        QString previewMessage;
        QString loadMessage;
        gwtest::AnswerModal([&previewMessage, &loadMessage](QWidget* modal) {
            auto* browser = qobject_cast<TItemBrowser*>(modal);
            QVERIFY(browser != nullptr);
            gwtest::AnswerMessageBox(QMessageBox::Abort, &previewMessage);
            browser->FileList->setCurrentRow(0);
            QTRY_COMPARE(gwtest::PendingAnswers(), 0);
            gwtest::AnswerMessageBox(QMessageBox::Abort, &loadMessage);
            gwtest::Click(browser->ItemLoad);
        });
        gwtest::Click(m_form->JewelryLoad);
        QTRY_COMPARE(gwtest::PendingAnswers(), 0);
        QCOMPARE(previewMessage, QString::fromLatin1(gw::ForeignRealmMessage.data()));
        QCOMPARE(loadMessage, QString::fromLatin1(gw::ForeignRealmMessage.data()));
        QCOMPARE(m_form->Items[11], before);
        QCOMPARE(m_form->JewelryItemName->text(), QStringLiteral("Mine"));
    }

    void settingsSurviveFromOneWindowToTheNext()
    {
        start();
        QCOMPARE(m_form->GenerateReportButton->text(), QStringLiteral("Order Form"));
        QCOMPARE(m_form->GenerateReportButton2->text(), QStringLiteral("Config Report"));
        QCOMPARE(m_form->ReportDefinition1, QDir(m_form->StartDir).filePath(QStringLiteral("Mats List.rpt")));
        gwtest::ChooseEntry(m_form->RealmSelect, 2);
        m_form->ReportDefinition2 = m_dir->filePath(QStringLiteral("R&D.rpt"));
        m_form->Exit1->trigger();
        QVERIFY(!m_form->isVisible());

        const QByteArray ini = ReadAll(m_dir->filePath(QStringLiteral("gemwright.ini")));
        QCOMPARE(ini, (m_dir->filePath(QStringLiteral("R&D.rpt")) + "\r\n" +
                       QDir(m_form->StartDir).filePath(QStringLiteral("Mats List.rpt")) + "\r\n2")
                          .toUtf8());

        start();
        QCOMPARE(m_form->RealmSelect->currentIndex(), 2);
        QCOMPARE(m_form->GenerateReportButton->text(), QStringLiteral("Mats List"));
        QCOMPARE(m_form->GenerateReportButton2->text(), QStringLiteral("R&&D"));
        QCOMPARE(m_form->ReportDefinition2, m_dir->filePath(QStringLiteral("R&D.rpt")));

        // The close box writes the settings just as Exit does.
        gwtest::ChooseEntry(m_form->RealmSelect, 1);
        QVERIFY(m_form->close());
        QVERIFY(ReadAll(m_dir->filePath(QStringLiteral("gemwright.ini"))).endsWith("\r\n1"));
    }

    void anUnreadableSettingsFileIsReportedAndTheDefaultsApply()
    {
        QVERIFY(QDir().mkdir(QStringLiteral("gemwright.ini")));
        QString message;
        gwtest::AnswerMessageBox(QMessageBox::Abort, &message);
        start();
        QTRY_VERIFY(message.contains(QStringLiteral("gemwright.ini")));
        QCOMPARE(m_form->GenerateReportButton->text(), QStringLiteral("Order Form"));
        QCOMPARE(m_form->GenerateReportButton2->text(), QStringLiteral("Config Report"));
        QCOMPARE(m_form->ReportDefinition1, QDir(m_form->StartDir).filePath(QStringLiteral("Mats List.rpt")));
        QCOMPARE(m_form->RealmSelect->currentIndex(), 0);
        // Closing cannot replace a directory; it says nothing and the window still closes.
        QVERIFY(m_form->close());
    }

private:
    void start() { QVERIFY(OpenApplicationWindow()); }

    // Ctrl+<key> in the main window. The offscreen platform gives no window the focus back when
    // a dialog closes, as a desktop does, so the window is activated first.
    void PressShortcut(Qt::Key key)
    {
        m_form->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), m_form.get());
        QWidget* target = m_form->focusWidget() != nullptr ? m_form->focusWidget() : m_form.get();
        QTest::keyClick(target, key, Qt::ControlModifier);
    }

    void ShowJewelleryTab(int tab)
    {
        auto* pages = m_form->ArmorJewelryPage;
        QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {}, pages->tabBar()->tabRect(1).center());
        QCOMPARE(pages->currentWidget(), m_form->JewelrySheet);
        gwtest::ClickTab(m_form->JewelryTabs, tab);
        QCOMPARE(m_form->CurrentJewellerySlot(), 10 + tab);
    }
};

GW_UI_TEST_MAIN(FilesTest)
#include "files_test.moc"
