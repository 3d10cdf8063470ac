// The saved-item browser as a player meets it: the list of one slot kind in one realm's
// directory, the preview of a clicked file, refused files, and how the dialog closes.
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <fstream>

#include "data/Globals.h"
#include "io/ItemFiles.h"
#include "io/ItemRecord.h"
#include "support/GuiTest.h"
#include "ui/LoadDropSrc.h"

namespace fs = std::filesystem;

namespace {

void WriteBytes(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

gw::GWItem Drop(const std::string& name)
{
    gw::GWItem item;
    item.PlayerMade = 0;
    item.Name = name;
    item.Level = 50;
    item.Qual = "99";
    item.DPS = "16.5";
    item.Speed = "3.7";
    item.Bonus = "35";
    item.EffectType = {gw::TypeStat, gw::TypeResist, 0, 0};
    item.EffectAmount = {15, 8, 0, 0};
    return item;
}

// Answers the next message box that becomes modal with `button` and keeps its text.
void AnswerNextMessageBox(QMessageBox::StandardButton button, QString* text,
                          QMessageBox::StandardButtons* buttons = nullptr)
{
    auto* poll = new QTimer(qApp);
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [=] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        poll->stop();
        poll->deleteLater();
        *text = box->text();
        if (buttons != nullptr)
            *buttons = box->standardButtons();
        box->button(button)->click();
    });
    poll->start();
}

QStringList Listed(const QListWidget* list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

void ClickRow(QListWidget* list, int row)
{
    // An item view lays out a re-filled list on its next turn of the event loop.
    QApplication::processEvents();
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

} // namespace

class BrowserTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_realmDir = fs::path(m_dir->path().toStdString()) / "items" / "albion";
        fs::create_directories(m_realmDir);
        m_browser = std::make_unique<TItemBrowser>();
    }
    void cleanup()
    {
        m_browser.reset();
        m_dir.reset();
    }

    void listsOnlyTheSlotKindSortedWhateverTheCase()
    {
        for (const char* name :
             {"zeta.chest", "Alpha.chest", "beta.CHEST", "gamma.arms", "chest", "delta.chest.bak"})
            WriteBytes(m_realmDir / name, "x");
        fs::create_directory(m_realmDir / "folder.chest");

        m_browser->Prepare(m_realmDir, "*.chest", "albion");
        QCOMPARE(Listed(m_browser->FileList), QStringList({"Alpha.chest", "beta.CHEST", "zeta.chest"}));
        QVERIFY(m_browser->findChild<QLabel*>("ListNote")->isHidden());

        m_browser->Prepare(m_realmDir, "*.arms", "albion");
        QCOMPARE(Listed(m_browser->FileList), QStringList({"gamma.arms"}));
    }

    void aMissingRealmDirectoryShowsAnEmptyListAndSaysSo()
    {
        ShowAndWait();
        m_browser->Prepare(m_realmDir.parent_path() / "midgard", "*.ring", "midgard");
        QCOMPARE(m_browser->FileList->count(), 0);
        auto* note = m_browser->findChild<QLabel*>("ListNote");
        QVERIFY(note->isVisible());
        QVERIFY(note->text().contains("does not exist"));
        QVERIFY(m_browser->SelectedPath().empty());
    }

    void clickingAFilePreviewsItAndAnotherUseStartsClean()
    {
        gw::GWItem item = Drop("Sword of \xC6ons"); // Windows-1252 for "Æ"
        QVERIFY(gw::SaveItemFile(m_realmDir / "sword.weapon", item, 0));
        ShowAndWait();
        m_browser->Prepare(m_realmDir, "*.weapon", "albion");
        QCOMPARE(m_browser->ItemName->text(), QString("none selected"));
        QCOMPARE(m_browser->ItemEffect[0]->text(), QString("none"));

        ClickRow(m_browser->FileList, 0);
        QCOMPARE(m_browser->ItemName->text(), QString::fromUtf8("Sword of Æons"));
        QCOMPARE(m_browser->ItemLevel->text(), QString("50"));
        QCOMPARE(m_browser->ItemUtility->text(), QString("26.0"));
        QCOMPARE(m_browser->ItemDPS->text(), QString("16.5"));
        QCOMPARE(m_browser->ItemSpeed->text(), QString("3.7"));
        QCOMPARE(m_browser->ItemQuality->text(), QString("99"));
        QCOMPARE(m_browser->ItemBonus->text(), QString("35"));
        QCOMPARE(m_browser->ItemEffect[0]->text(), QString("15 Strength"));
        QCOMPARE(m_browser->ItemEffect[1]->text(), QString("8 Body Resist"));
        QCOMPARE(m_browser->ItemEffect[2]->text(), QString("none"));
        QCOMPARE(m_browser->SelectedPath(), m_realmDir / "sword.weapon");

        m_browser->Prepare(m_realmDir, "*.weapon", "albion");
        QVERIFY(m_browser->SelectedPath().empty());
        QCOMPARE(m_browser->ItemName->text(), QString("none selected"));
        QCOMPARE(m_browser->ItemUtility->text(), QString("0"));
        QCOMPARE(m_browser->ItemEffect[1]->text(), QString("none"));
    }

    void aRefusedFileShowsWhyAndPreviewsAnEmptyItem_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("foreign realm") << QByteArray("version1.4\r\nhibernia\r\n")
                                       << QString::fromLatin1(gw::ForeignRealmMessage.data());
        QTest::newRow("capital V") << QByteArray("Version1.4\r\nalbion\r\n")
                                   << QString::fromLatin1(gw::VersionMismatchMessage.data());
    }
    void aRefusedFileShowsWhyAndPreviewsAnEmptyItem()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QVERIFY(gw::SaveItemFile(m_realmDir / "a good.ring", Drop("Good Ring"), 0));
        WriteBytes(m_realmDir / "b bad.ring", bytes.toStdString());
        ShowAndWait();
        m_browser->Prepare(m_realmDir, "*.ring", "albion");
        ClickRow(m_browser->FileList, 0);
        QCOMPARE(m_browser->ItemName->text(), QString("Good Ring"));

        QString shown;
        QMessageBox::StandardButtons buttons;
        AnswerNextMessageBox(QMessageBox::Abort, &shown, &buttons);
        ClickRow(m_browser->FileList, 1);
        QTRY_COMPARE(shown, message);
        QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Abort));
        // Nothing of the good ring may stay beside the refused file's name.
        QCOMPARE(m_browser->ItemName->text(), QString());
        QCOMPARE(m_browser->ItemLevel->text(), QString("0"));
        QCOMPARE(m_browser->ItemUtility->text(), QString("0.0"));
        QCOMPARE(m_browser->ItemDPS->text(), QString("0"));
        QCOMPARE(m_browser->ItemEffect[0]->text(), QString("none"));
    }

    void aFileGoneSinceListingIsReportedNotPreviewed()
    {
        QVERIFY(gw::SaveItemFile(m_realmDir / "gone.belt", Drop("Gone"), 0));
        ShowAndWait();
        m_browser->Prepare(m_realmDir, "*.belt", "albion");
        fs::remove(m_realmDir / "gone.belt");
        QString shown;
        AnswerNextMessageBox(QMessageBox::Abort, &shown);
        ClickRow(m_browser->FileList, 0);
        QTRY_VERIFY(!shown.isEmpty());
        QCOMPARE(m_browser->ItemName->text(), QString("none selected"));
    }

    void doubleClickLoadsCancelAndEscapeDoNot()
    {
        QVERIFY(gw::SaveItemFile(m_realmDir / "neck.neck", Drop("Neck"), 0));
        m_browser->Prepare(m_realmDir, "*.neck", "albion");
        QTimer::singleShot(0, this, [this] {
            QListWidget* list = m_browser->FileList;
            const QPoint at = list->visualItemRect(list->item(0)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        });
        QCOMPARE(m_browser->exec(), int(QDialog::Accepted));
        QCOMPARE(m_browser->SelectedPath(), m_realmDir / "neck.neck");

        m_browser->Prepare(m_realmDir, "*.neck", "albion");
        QTimer::singleShot(0, this, [this] {
            ClickRow(m_browser->FileList, 0);
            QTest::mouseClick(m_browser->ItemCancel, Qt::LeftButton);
        });
        QCOMPARE(m_browser->exec(), int(QDialog::Rejected));

        m_browser->Prepare(m_realmDir, "*.neck", "albion");
        QTimer::singleShot(0, this, [this] { QTest::keyClick(m_browser->FileList, Qt::Key_Escape); });
        QCOMPARE(m_browser->exec(), int(QDialog::Rejected));
    }

    void enterOnTheListLoadsTheSelectedFile()
    {
        QVERIFY(gw::SaveItemFile(m_realmDir / "a.cloak", Drop("A"), 0));
        QVERIFY(gw::SaveItemFile(m_realmDir / "b.cloak", Drop("B"), 0));
        m_browser->Prepare(m_realmDir, "*.cloak", "albion");
        QTimer::singleShot(0, this, [this] {
            m_browser->FileList->setFocus();
            QTest::keyClick(m_browser->FileList, Qt::Key_Down);
            QTest::keyClick(m_browser->FileList, Qt::Key_Down);
            QTest::keyClick(m_browser->FileList, Qt::Key_Return);
        });
        QCOMPARE(m_browser->exec(), int(QDialog::Accepted));
        QCOMPARE(m_browser->ItemName->text(), QString("B"));
        QCOMPARE(m_browser->SelectedPath(), m_realmDir / "b.cloak");
    }

    void masksMatchLikeAFileListDoes()
    {
        QVERIFY(gw::MatchesFileMask("Sword.weapon", "*.weapon"));
        QVERIFY(gw::MatchesFileMask("SWORD.WEAPON", "*.weapon"));
        QVERIFY(gw::MatchesFileMask(".weapon", "*.weapon"));
        QVERIFY(!gw::MatchesFileMask("Sword.weapons", "*.weapon"));
        QVERIFY(!gw::MatchesFileMask("Sword.weapon.bak", "*.weapon"));
        QVERIFY(gw::MatchesFileMask("a.b.weapon", "*.weapon"));
        QVERIFY(gw::MatchesFileMask("ab", "a?"));
        QVERIFY(!gw::MatchesFileMask("a", "a?"));
    }

private:
    void ShowAndWait()
    {
        m_browser->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_browser.get()));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    fs::path m_realmDir;
    std::unique_ptr<TItemBrowser> m_browser;
};

GW_UI_TEST_MAIN(BrowserTest)
#include "browser_test.moc"
