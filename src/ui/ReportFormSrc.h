// The report window: shows the last generated report in an editable memo, saves it as a text
// file, copies, prints or exports it as PDF, and hides on Close, Escape or Ctrl+W. One instance
// lives for the whole run; it never blocks the main window.
#pragma once

#include <QWidget>

#include <filesystem>
#include <memory>

class QAction;
class QFileDialog;
class QFrame;
class QPlainTextEdit;
class QPrinter;
class QPushButton;

class TReportForm : public QWidget {
    Q_OBJECT

public:
    explicit TReportForm(QWidget* parent = nullptr);
    ~TReportForm() override;

    // Names the report definition the memo was rendered from in the window's title.
    void SetReportDefinition(const QString& definitionPath);

    // Replaces the whole memo with a report (Windows-1252 bytes, lines ended by LF) in one
    // update, so one undo step restores the previous text.
    void SetReportText(const std::string& bytes);
    // The memo's lines, each ended by CR LF, in Windows-1252.
    std::string ReportFileBytes() const;
    // Writes the memo to `path`, adding ".txt" to a name without an extension and replacing an
    // existing file. Shows an error and returns false when the file cannot be written.
    bool SaveReportTo(std::filesystem::path path);
    // The memo as a PDF document, laid out on pages as it would be printed.
    QByteArray ReportPdfBytes() const;
    // Writes that PDF to `path` (".pdf" added to a name without an extension) as Save does:
    // an existing file is replaced whole or not at all. Shows an error and returns false when
    // the file cannot be written.
    bool ExportPdfTo(std::filesystem::path path);

    QPlainTextEdit* ReportMemo = nullptr;
    QFrame* Panel1 = nullptr;
    QPushButton* ReportSave = nullptr;
    QPushButton* ReportCopy = nullptr;
    QPushButton* ReportPrint = nullptr;
    QPushButton* ReportExportPdf = nullptr;
    QPushButton* ReportClose = nullptr;
    // Escape and Ctrl+W close the window as its Close button does.
    QAction* ReportCloseAction = nullptr;
    // The save dialog, owned by the window and made on first use (a file dialog costs more to
    // build than the rest of the window): default suffix "txt", "Text Files (*.txt)", ".".
    QFileDialog* SaveDialog1();
    // The export dialog, made on first use: default suffix "pdf", "PDF Files (*.pdf)", ".".
    QFileDialog* ExportPdfDialog();
    // The printer the print dialog sets up, made on first use and kept, so that the player's
    // choices last from one print to the next.
    QPrinter* Printer();

public slots:
    void ReportSaveClick();
    void ReportCopyClick();
    void ReportPrintClick();
    void ReportExportPdfClick();
    void ReportCloseClick();

private:
    void ShowError(const QString& text);

    QFileDialog* m_saveDialog = nullptr;
    QFileDialog* m_pdfDialog = nullptr;
    std::unique_ptr<QPrinter> m_printer;
};
