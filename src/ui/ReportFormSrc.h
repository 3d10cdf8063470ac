// The report window: shows the last generated report in an editable memo, saves it as a text
// file and hides on Close. One instance lives for the whole run; it never blocks the main window.
#pragma once

#include <QWidget>

#include <filesystem>

class QFileDialog;
class QFrame;
class QPlainTextEdit;
class QPushButton;

class TReportForm : public QWidget {
    Q_OBJECT

public:
    explicit TReportForm(QWidget* parent = nullptr);

    // Replaces the whole memo with a report (Windows-1252 bytes, lines ended by LF) in one
    // update, so one undo step restores the previous text.
    void SetReportText(const std::string& bytes);
    // The memo's lines, each ended by CR LF, in Windows-1252.
    std::string ReportFileBytes() const;
    // Writes the memo to `path`, adding ".txt" to a name without an extension and replacing an
    // existing file. Shows an error and returns false when the file cannot be written.
    bool SaveReportTo(std::filesystem::path path);

    QPlainTextEdit* ReportMemo = nullptr;
    QFrame* Panel1 = nullptr;
    QPushButton* ReportSave = nullptr;
    QPushButton* ReportClose = nullptr;
    // The save dialog, owned by the window and made on first use (a file dialog costs more to
    // build than the rest of the window): default suffix "txt", "Text Files (*.txt)", ".".
    QFileDialog* SaveDialog1();

public slots:
    void ReportSaveClick();
    void ReportCloseClick();

private:
    QFileDialog* m_saveDialog = nullptr;
};
