// The report window on its own: the memo's text replaced in one step, saving the lines with
// CR LF through its own save dialog, and Close only hiding it.
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/GuiTest.h"
#include "ui/ReportFormSrc.h"

namespace fs = std::filesystem;

using gwtest::AnswerFileDialog;

namespace {

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

class ReportFormTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_form = std::make_unique<TReportForm>();
        m_form->SaveDialog1()->setDirectory(m_dir->path());
        m_root = fs::path(m_dir->path().toStdString());
    }
    void cleanup()
    {
        m_form.reset();
        m_dir.reset();
    }

    void aModelessMonospacedWindowWithItsOwnSaveDialog()
    {
        QCOMPARE(m_form->windowTitle(), QString("Crafter Report"));
        QVERIFY(m_form->isWindow());
        QVERIFY(!m_form->isModal());
        QVERIFY(!m_form->ReportMemo->isReadOnly());
        // Reports line up in columns only if every character is as wide as every other, which
        // is what the player sees whatever font the system picks (some monospaced fonts do not
        // call themselves fixed-pitch).
        const QFontMetricsF metrics(m_form->ReportMemo->font());
        const qreal narrow = metrics.horizontalAdvance(QLatin1Char('i'));
        QVERIFY(narrow > 0);
        QCOMPARE(metrics.horizontalAdvance(QLatin1Char('W')), narrow);
        QCOMPARE(metrics.horizontalAdvance(QLatin1Char(' ')), narrow);
        QCOMPARE(metrics.horizontalAdvance(QStringLiteral("iiii")), metrics.horizontalAdvance(QStringLiteral("WW  ")));
        QCOMPARE(m_form->SaveDialog1()->defaultSuffix(), QString("txt"));
        QCOMPARE(m_form->SaveDialog1()->nameFilters(), QStringList({"Text Files (*.txt)"}));
    }

    void aReportReplacesTheMemoInOneUndoableStep()
    {
        m_form->ReportMemo->setPlainText("old report");
        m_form->SetReportText("Order for \xC6thelred\nline 2\n");
        QCOMPARE(m_form->ReportMemo->toPlainText(), QString::fromUtf8("Order for Æthelred\nline 2\n"));
        m_form->ReportMemo->undo();
        QCOMPARE(m_form->ReportMemo->toPlainText(), QString("old report"));
    }

    void saveWritesTheMemosLinesWithCrLfAddingTxt()
    {
        m_form->SetReportText("Gems:\n  3 Fiery Essence Jewel\n\xC6");
        m_form->show();
        // The player edits the report before saving: the edit is what goes to the file.
        m_form->ReportMemo->moveCursor(QTextCursor::End);
        QTest::keyClicks(m_form->ReportMemo, "!");
        AnswerFileDialog("order");
        QTest::mouseClick(m_form->ReportSave, Qt::LeftButton);
        QTRY_VERIFY(fs::exists(m_root / "order.txt"));
        QCOMPARE(ReadBytes(m_root / "order.txt"),
                 std::string("Gems:\r\n  3 Fiery Essence Jewel\r\n\xC6!\r\n"));

        // Saving again under the same name replaces the file without a question.
        m_form->SetReportText("second\n");
        AnswerFileDialog("order.txt");
        QTest::mouseClick(m_form->ReportSave, Qt::LeftButton);
        QTRY_COMPARE(ReadBytes(m_root / "order.txt"), std::string("second\r\n"));
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    void cancellingTheSaveDialogWritesNothing()
    {
        m_form->SetReportText("x\n");
        AnswerFileDialog(QString()); // cancels
        QTest::mouseClick(m_form->ReportSave, Qt::LeftButton);
        QVERIFY(fs::is_empty(m_root));
    }

    void aFileThatCannotBeCreatedIsReportedAndTheMemoKept()
    {
        m_form->SetReportText("keep me\n");
        QString shown;
        gwtest::AnswerMessageBox(QMessageBox::Abort, &shown);
        QVERIFY(!m_form->SaveReportTo(m_root / "no such folder" / "r.txt"));
        QVERIFY(shown.contains("r.txt"));
        QCOMPARE(m_form->ReportMemo->toPlainText(), QString("keep me\n"));
    }

    void closeOnlyHidesAndKeepsTheReport()
    {
        m_form->SetReportText("last report\n");
        m_form->show();
        QTest::mouseClick(m_form->ReportClose, Qt::LeftButton);
        QVERIFY(m_form->isHidden());
        QCOMPARE(m_form->ReportMemo->toPlainText(), QString("last report\n"));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TReportForm> m_form;
    fs::path m_root;
};

GW_UI_TEST_MAIN(ReportFormTest)
#include "reportform_test.moc"
