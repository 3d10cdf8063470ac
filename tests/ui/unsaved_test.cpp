// Never losing the player's work: the question before a modified plan is set aside by any
// command, the recent files and their preferences file, and plans dropped on the window.
#include <functional>

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>
#include <QUrl>

#include "data/Globals.h"
#include "io/ConfigFile.h"
#include "io/ItemRecord.h"
#include "support/GuiTest.h"
#include "ui/MainForm.h"
#include "ui/Preferences.h"

using gwtest::AnswerFileDialog;
using gwtest::AnswerMessageBox;
using gwtest::ChooseEntry;
using gwtest::ReadAll;
using gwtest::WriteAll;

namespace {

// Writes a configuration whose chest is named `name`, in Albion.
QString WritePlan(const QString& path, const std::string& name)
{
    gw::Configuration config;
    config.Items[0].Name = name;
    config.Items[0].PlayerMade = 0;
    config.Items[0].EffectType = {gw::TypeHits, 0, 0, 0};
    config.Items[0].EffectAmount = {25, 0, 0, 0};
    WriteAll(path, QByteArray::fromStdString(gw::ConfigurationText(config, 0)));
    return QFileInfo(path).absoluteFilePath();
}

// Drops a file on `target` as a file manager does: its URL, and its path as text beside it.
bool DropFile(QWidget* target, const QString& path)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    data.setText(path);
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

QStringList RecentEntries(const TMainForm& form)
{
    QStringList entries;
    for (QAction* action : form.RecentFiles1->actions())
        if (action->objectName().startsWith(QStringLiteral("RecentFile")) &&
            action->objectName() != QStringLiteral("RecentFilesSeparator"))
            entries << action->statusTip();
    return entries;
}

QAction* RecentEntry(const TMainForm& form, const QString& path)
{
    for (QAction* action : form.RecentFiles1->actions())
        if (action->statusTip() == path)
            return action;
    return nullptr;
}

enum class Answer { Cancel, Discard, Save, SaveCancelled };

} // namespace

class UnsavedTest : public gwtest::MainWindowTest {
    Q_OBJECT

private slots:
    void everyCommandThatSetsAModifiedPlanAsideAsksFirst_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("answerIndex");
        QTest::addColumn<bool>("named");
        const struct {
            const char* name;
            Answer answer;
            bool named;
            bool goesOn;
        } answers[] = {{"Cancel", Answer::Cancel, true, false},
                       {"Discard", Answer::Discard, false, true},
                       {"Save under its name", Answer::Save, true, true},
                       {"Save, then cancel the name", Answer::SaveCancelled, false, false}};
        for (const char* command : {"New", "Open", "Recent", "Drop", "Realm", "Close"})
            for (const auto& a : answers)
                QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(QLatin1String(command), QLatin1String(a.name))))
                    << QString::fromLatin1(command) << static_cast<int>(a.answer) << a.named;
    }
    void everyCommandThatSetsAModifiedPlanAsideAsksFirst()
    {
        QFETCH(QString, command);
        QFETCH(int, answerIndex);
        QFETCH(bool, named);
        const Answer answer = static_cast<Answer>(answerIndex);
        const QString other = WritePlan(m_dir->filePath(QStringLiteral("other.gwc")), "Other");
        prefs::WriteRecentFiles({other});
        QVERIFY(OpenMainWindowOnly());
        TMainForm& f = *m_form;
        const QString mine = m_dir->filePath(QStringLiteral("mine.gwc"));
        if (named) {
            AnswerFileDialog(QStringLiteral("mine"));
            f.SaveAs1->trigger();
            QTRY_COMPARE(f.ConfigFileName, mine);
        }
        ChooseEntry(f.GemEffectType[0], gw::TypeStat);
        QVERIFY(f.isWindowModified());
        const auto before = f.Items;

        QString asked;
        gwtest::AnswerModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box != nullptr);
            asked = box->text();
            QCOMPARE(box->standardButtons(), QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
            if (answer == Answer::SaveCancelled)
                AnswerFileDialog(QString());  // the name is asked for, and cancelled
            else if (command == QStringLiteral("Open") && answer != Answer::Cancel)
                AnswerFileDialog(QStringLiteral("other.gwc"));
            box->button(answer == Answer::Cancel            ? QMessageBox::Cancel
                        : answer == Answer::Discard         ? QMessageBox::Discard
                                                            : QMessageBox::Save)
                ->click();
        });
        QSignalSpy closed(&f, &TMainForm::Closed);
        if (command == QStringLiteral("New"))
            f.New1->trigger();
        else if (command == QStringLiteral("Open"))
            f.Open1->trigger();
        else if (command == QStringLiteral("Recent"))
            RecentEntry(f, other)->trigger();
        else if (command == QStringLiteral("Drop"))
            QVERIFY(DropFile(&f, other));
        else if (command == QStringLiteral("Realm")) {
            // One key: ChooseEntry would press again on a realm list put back.
            gwtest::Focus(f.RealmSelect);
            QTest::keyClick(f.RealmSelect, Qt::Key_Down);
        }
        else
            f.close();
        QTRY_COMPARE(gwtest::PendingAnswers(), 0);
        QCOMPARE(asked, QStringLiteral("Save changes to \"%1\"?").arg(named ? QStringLiteral("mine.gwc")
                                                                          : QStringLiteral("Untitled")));

        const bool goesOn = answer == Answer::Discard || answer == Answer::Save;
        if (answer == Answer::Save) {
            // Saved first, with the change the player made.
            QVERIFY(ReadAll(mine).contains("\r\n1\r\n0\r\n0\r\n0\r\n"));
        }
        if (!goesOn) {
            QVERIFY(f.Items == before);
            QVERIFY(f.isVisible());
            QVERIFY(f.isWindowModified());
            QCOMPARE(f.RealmSelect->currentIndex(), 0);
            QCOMPARE(closed.count(), 0);
            return;
        }
        if (command == QStringLiteral("New")) {
            QCOMPARE(f.Items[0].EffectType[0], 0);
            QVERIFY(!f.isWindowModified());
        } else if (command == QStringLiteral("Realm")) {
            QCOMPARE(f.RealmSelect->currentIndex(), 1);
            QCOMPARE(f.Items[0].EffectType[0], 0);
        } else if (command == QStringLiteral("Close")) {
            QVERIFY(!f.isVisible());
            QCOMPARE(closed.count(), 1);
        } else {
            QTRY_COMPARE(f.ConfigFileName, other);
            QCOMPARE(f.Items[0].Name, std::string("Other"));
            QVERIFY(!f.isWindowModified());
        }
    }

    void aPlanNotModifiedIsSetAsideWithoutAQuestion()
    {
        const QString other = WritePlan(m_dir->filePath(QStringLiteral("other.gwc")), "Other");
        QVERIFY(OpenMainWindowOnly());
        TMainForm& f = *m_form;
        // An edit undone leaves nothing to save. The watchdog fails the test on any question.
        ChooseEntry(f.GemEffectType[0], gw::TypeStat);
        f.Undo1->trigger();
        QVERIFY(!f.isWindowModified());
        QVERIFY(f.OpenConfigurationPath(other));
        gwtest::Focus(f.RealmSelect);
        QTest::keyClick(f.RealmSelect, Qt::Key_Down);  // clears the opened plan: a step Undo takes back
        QCOMPARE(f.Items[0].Name, std::string());
        f.Undo1->trigger();
        QCOMPARE(f.Items[0].Name, std::string("Other"));
        QCOMPARE(f.RealmSelect->currentIndex(), 0);
        QCOMPARE(f.ConfigFileName, other);
        QVERIFY(!f.isWindowModified());
        f.New1->trigger();
        QVERIFY(f.close());
    }

    void aSaveThatFailsCancelsTheCommand()
    {
        QVERIFY(QDir().mkpath(QStringLiteral("gone")));
        QVERIFY(OpenMainWindowOnly());
        TMainForm& f = *m_form;
        AnswerFileDialog(m_dir->filePath(QStringLiteral("gone/plan.gwc")));
        f.SaveAs1->trigger();
        QTRY_VERIFY(!f.ConfigFileName.isEmpty());
        QVERIFY(QDir(m_dir->filePath(QStringLiteral("gone"))).removeRecursively());
        ChooseEntry(f.GemEffectType[0], gw::TypeHits);

        gwtest::AnswerModal([](QWidget* modal) {
            AnswerMessageBox(QMessageBox::Abort);  // the failed save's error
            qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Save)->click();
        });
        f.New1->trigger();
        QTRY_COMPARE(gwtest::PendingAnswers(), 0);
        QCOMPARE(f.Items[0].EffectType[0], gw::TypeHits);
        QVERIFY(f.isWindowModified());
    }

    void theTitleMarksAModifiedPlanAndTheApplicationKeepsItsName()
    {
        QVERIFY(OpenMainWindowOnly());
        TMainForm& f = *m_form;
        const QString caption = QStringLiteral("Quillane's Gemwright Equipment Configurator");
        QCOMPARE(gwtest::ShownTitle(&f), caption);
        ChooseEntry(f.GemEffectType[0], gw::TypeStat);
        QCOMPARE(gwtest::ShownTitle(&f), caption + QLatin1Char('*'));
        AnswerFileDialog(QStringLiteral("a [*] plan"));
        f.Save1->trigger();
        QTRY_VERIFY(!f.ConfigFileName.isEmpty());
        QCOMPARE(gwtest::ShownTitle(&f), QStringLiteral("a [*] plan.gwc - ") + caption);
        ChooseEntry(f.GemEffectType[1], gw::TypeStat);
        QCOMPARE(gwtest::ShownTitle(&f), QStringLiteral("a [*] plan.gwc* - ") + caption);
        // Undo back to what was saved is the saved plan again.
        f.Undo1->trigger();
        QCOMPARE(gwtest::ShownTitle(&f), QStringLiteral("a [*] plan.gwc - ") + caption);
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Gemwright"));
    }

    void recentFilesListTheLastEightOpenedOrSavedNewestFirst()
    {
        QStringList paths;
        for (int i = 0; i < 10; ++i)
            paths << WritePlan(m_dir->filePath(QStringLiteral("plan%1.gwc").arg(i)), "P" + std::to_string(i));
        QVERIFY(OpenMainWindowOnly());
        TMainForm& f = *m_form;
        QVERIFY(RecentEntries(f).isEmpty());
        QVERIFY(!f.findChild<QAction*>(QStringLiteral("ClearRecentFiles1"))->isEnabled());
        for (int i = 0; i < 9; ++i) {
            AnswerFileDialog(QFileInfo(paths[i]).fileName());
            f.Open1->trigger();
            QTRY_COMPARE(f.ConfigFileName, paths[i]);
        }
        // A plan saved under a new name joins the list too.
        f.New1->trigger();
        AnswerFileDialog(QStringLiteral("saved"));
        f.SaveAs1->trigger();
        QTRY_VERIFY(f.ConfigFileName.endsWith(QStringLiteral("saved.gwc")));
        const QString saved = f.ConfigFileName;
        QStringList expected{saved};
        for (int i = 8; i >= 2; --i)
            expected << paths[i];
        QCOMPARE(RecentEntries(f), expected);
        QCOMPARE(f.RecentFiles1->actions().first()->text(), QStringLiteral("&1 saved.gwc"));

        // Opening an entry brings it to the top; the list outlives the window, and never goes
        // into the planner's own settings file.
        f.RecentFiles1->actions()[3]->trigger();
        QTRY_COMPARE(f.ConfigFileName, paths[6]);
        expected.move(3, 0);
        QCOMPARE(RecentEntries(f), expected);
        QVERIFY(f.close());
        QVERIFY(!ReadAll(m_dir->filePath(QStringLiteral("gemwright.ini"))).contains("plan"));
        QVERIFY(OpenMainWindowOnly());
        QCOMPARE(RecentEntries(*m_form), expected);

        m_form->findChild<QAction*>(QStringLiteral("ClearRecentFiles1"))->trigger();
        QTRY_VERIFY(RecentEntries(*m_form).isEmpty());
        QVERIFY(OpenMainWindowOnly());
        QVERIFY(RecentEntries(*m_form).isEmpty());
    }

    void aMissingRecentFileIsReportedAndDropped()
    {
        const QString kept = WritePlan(m_dir->filePath(QStringLiteral("kept.gwc")), "Kept");
        const QString gone = m_dir->filePath(QStringLiteral("gone.gwc"));
        prefs::WriteRecentFiles({gone, kept});
        QVERIFY(OpenMainWindowOnly());
        TMainForm& f = *m_form;
        ChooseEntry(f.GemEffectType[0], gw::TypeStat);
        const auto before = f.Items;
        // No question first: a file that is gone replaces nothing.
        QString shown;
        AnswerMessageBox(QMessageBox::Abort, &shown);
        f.RecentFiles1->actions().first()->trigger();
        QTRY_COMPARE(gwtest::PendingAnswers(), 0);
        QVERIFY(!shown.isEmpty());
        QVERIFY(f.Items == before);
        QVERIFY(f.ConfigFileName.isEmpty());
        QTRY_COMPARE(RecentEntries(f), QStringList{kept});
        QCOMPARE(prefs::Read(8).recentFiles, QStringList{kept});
    }

    void aDamagedPreferencesFileIsIgnored_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("directory");
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe[Recent\x01\n=\x80\x81", 14) << false;
        QTest::newRow("cut short") << QByteArray("[RecentFiles]\nPaths=@Variant(\\0\\0\\0\\x7f") << false;
        QTest::newRow("wrong kinds") << QByteArray("[RecentFiles]\nPaths=12\n[Window]\nGeometry=nonsense\n") << false;
        QTest::newRow("relative and repeated paths")
            << QByteArray("[RecentFiles]\nPaths=a.gwc, /x/b.gwc, /x/b.gwc, \n") << false;
        QTest::newRow("a directory") << QByteArray() << true;
    }
    void aDamagedPreferencesFileIsIgnored()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, directory);
        const QString path = prefs::FilePath();
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        if (directory)
            QVERIFY(QDir().mkpath(path));
        else
            WriteAll(path, content);

        QVERIFY(OpenMainWindowOnly());
        TMainForm& f = *m_form;
        for (const QString& entry : RecentEntries(f))
            QCOMPARE(entry, QStringLiteral("/x/b.gwc"));  // only a sound absolute path survives
        QVERIFY(f.width() > 100);
        // The window still keeps its list: the file is made sound again (a directory is left).
        const QString plan = WritePlan(m_dir->filePath(QStringLiteral("p.gwc")), "P");
        QVERIFY(f.OpenConfigurationPath(plan));
        QCOMPARE(RecentEntries(f).first(), plan);
        QVERIFY(f.close());
        if (!directory)
            QCOMPARE(prefs::Read(8).recentFiles.first(), plan);
    }

    void theWindowComesBackWhereItWas()
    {
        QVERIFY(OpenMainWindowOnly());
        m_form->resize(m_form->width() + 57, m_form->height() + 31);
        const QSize size = m_form->size();
        QVERIFY(m_form->close());
        QVERIFY(OpenMainWindowOnly());
        QCOMPARE(m_form->size(), size);
    }

    void onlyAConfigurationDropOpensAndAnEditBoxTakesNoPath()
    {
        const QString plan = WritePlan(m_dir->filePath(QStringLiteral("dropped.gwc")), "Dropped");
        const QString item = m_dir->filePath(QStringLiteral("sword.weapon"));
        WriteAll(item, "version1.4\r\n");
        QVERIFY(OpenMainWindowOnly());
        TMainForm& f = *m_form;
        QVERIFY(!DropFile(&f, item));
        // On an edit box the plan opens instead of its path being typed in.
        f.ArmorJewelryPage->setCurrentWidget(f.JewelrySheet);
        QVERIFY(DropFile(f.JewelryItemName, plan));
        QTRY_COMPARE(f.ConfigFileName, plan);
        QCOMPARE(f.JewelryItemName->text(), QString());
        QCOMPARE(f.Items[0].Name, std::string("Dropped"));
        QCOMPARE(RecentEntries(f), QStringList{plan});

        // A dropped file that cannot be read gets File > Open's message and changes nothing.
        const QString broken = m_dir->filePath(QStringLiteral("broken.gwc"));
        QVERIFY(QDir().mkpath(broken));
        const auto before = f.Items;
        AnswerMessageBox(QMessageBox::Abort);
        QVERIFY(DropFile(&f, broken));
        QTRY_COMPARE(gwtest::PendingAnswers(), 0);
        QVERIFY(f.Items == before);
        QCOMPARE(f.ConfigFileName, plan);
    }
};

GW_UI_TEST_MAIN(UnsavedTest)
#include "unsaved_test.moc"
