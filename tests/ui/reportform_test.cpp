// The report window on its own: the memo's text replaced in one step, saving the lines with
// CR LF through its own save dialog, copying, printing and exporting the whole report, and
// Close, Escape and Ctrl+W only hiding it.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "support/GuiTest.h"
#include "ui/ReportFormSrc.h"

namespace fs = std::filesystem;

using gwtest::AnswerFileDialog;
using gwtest::AnswerModal;

namespace {

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A whole PDF document: its header first and its end-of-file marker last.
bool IsPdf(const std::string& bytes)
{
    const auto end = bytes.find_last_not_of("\r\n");
    return bytes.starts_with("%PDF-") && end != std::string::npos && end >= 4 &&
           bytes.compare(end - 4, 5, "%%EOF") == 0;
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

    void closeEscapeAndCtrlWOnlyHideAndKeepTheReport()
    {
        m_form->SetReportText("last report\n");
        const std::function<void()> ways[] = {
            [this] { QTest::mouseClick(m_form->ReportClose, Qt::LeftButton); },
            [this] { QTest::keyClick(m_form->ReportMemo, Qt::Key_Escape); },
            [this] { QTest::keyClick(m_form->ReportMemo, Qt::Key_W, Qt::ControlModifier); },
        };
        for (const auto& close : ways) {
            QVERIFY(gwtest::ShowAndActivate(m_form.get()));
            m_form->ReportMemo->setFocus();
            close();
            QVERIFY(m_form->isHidden());
            QCOMPARE(m_form->ReportMemo->toPlainText(), QString("last report\n"));
        }
    }

    void copyPutsTheWholeReportOnTheClipboard()
    {
        m_form->SetReportText("Gems:\n  3 Fiery \xC6ssence\n");
        QVERIFY(gwtest::ShowAndActivate(m_form.get()));
        // Only a part is selected: Copy still takes the whole report, the player's edit included.
        m_form->ReportMemo->moveCursor(QTextCursor::End);
        QTest::keyClicks(m_form->ReportMemo, "x");
        m_form->ReportMemo->moveCursor(QTextCursor::Start);
        m_form->ReportMemo->moveCursor(QTextCursor::EndOfLine, QTextCursor::KeepAnchor);
        QApplication::clipboard()->setText(QStringLiteral("something else"));
        QTest::mouseClick(m_form->ReportCopy, Qt::LeftButton);
        QCOMPARE(QApplication::clipboard()->text(), QString::fromUtf8("Gems:\n  3 Fiery \xC3\x86ssence\nx"));
    }

    void printRunsThePrintDialogAndPrintsOnlyWhenAccepted()
    {
        m_form->SetReportText("Gems:\n  3 Fiery Essence Jewel\n");
        // A printer whose output is a file stands for a real one.
        const fs::path out = m_root / "printed.pdf";
        m_form->Printer()->setOutputFormat(QPrinter::PdfFormat);
        m_form->Printer()->setOutputFileName(QString::fromStdString(out.string()));
        QString seen;
        for (const bool accept : {false, true}) {
            AnswerModal([&seen, accept](QWidget* modal) {
                seen = modal->objectName();
                auto* dialog = qobject_cast<QDialog*>(modal);
                if (dialog == nullptr)
                    modal->close();
                else if (accept)
                    dialog->accept();
                else
                    dialog->reject();
            });
            QTest::mouseClick(m_form->ReportPrint, Qt::LeftButton);
            QCOMPARE(seen, QStringLiteral("PrintDialog1"));
            QTRY_COMPARE(gwtest::PendingAnswers(), 0);
            QCOMPARE(fs::exists(out), accept);
        }
        QVERIFY(IsPdf(ReadBytes(out)));
    }

    void exportPdfWritesAWholePdfOrReportsWhyNot()
    {
        m_form->SetReportText("Gems:\n  3 Fiery Essence Jewel\n");
        m_form->ExportPdfDialog()->setDirectory(m_dir->path());
        AnswerFileDialog(QString()); // cancels
        QTest::mouseClick(m_form->ReportExportPdf, Qt::LeftButton);
        QVERIFY(fs::is_empty(m_root));

        gwtest::SeenFileDialog seen;
        AnswerFileDialog("report", &seen);
        QTest::mouseClick(m_form->ReportExportPdf, Qt::LeftButton);
        QTRY_VERIFY(fs::exists(m_root / "report.pdf"));
        QCOMPARE(seen.objectName, QStringLiteral("ExportPdfDialog"));
        QCOMPARE(seen.filter, QStringLiteral("PDF Files (*.pdf)"));
        QVERIFY(IsPdf(ReadBytes(m_root / "report.pdf")));

        QString shown;
        gwtest::AnswerMessageBox(QMessageBox::Abort, &shown);
        QVERIFY(!m_form->ExportPdfTo(m_root / "no such folder" / "r"));
        QVERIFY(shown.contains("r.pdf"));
        QVERIFY(!fs::exists(m_root / "no such folder"));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TReportForm> m_form;
    fs::path m_root;
};

GW_UI_TEST_MAIN(ReportFormTest)
#include "reportform_test.moc"
