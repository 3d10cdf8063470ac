#include "ui/ReportFormSrc.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QTextCursor>
#include <QVBoxLayout>

#include "io/AtomicFile.h"
#include "ui/PathText.h"
#include "ui/Text.h"

namespace {

const char* const ReportCaption = QT_TRANSLATE_NOOP("TReportForm", "Crafter Report");

} // namespace

TReportForm::TReportForm(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("ReportForm"));
    setWindowTitle(tr(ReportCaption));
    resize(587, 533);

    ReportMemo = new QPlainTextEdit(this);
    ReportMemo->setObjectName(QStringLiteral("ReportMemo"));
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setStyleHint(QFont::Monospace);
    mono.setPixelSize(13);
    ReportMemo->setFont(mono);
    // Reports are laid out in columns: a line wider than the window scrolls rather than wraps.
    ReportMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    ReportMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setFixedHeight(41);
    ReportSave = new QPushButton(tr("Save"), Panel1);
    ReportSave->setObjectName(QStringLiteral("ReportSave"));
    ReportCopy = new QPushButton(tr("Copy"), Panel1);
    ReportCopy->setObjectName(QStringLiteral("ReportCopy"));
    ReportPrint = new QPushButton(tr("Print..."), Panel1);
    ReportPrint->setObjectName(QStringLiteral("ReportPrint"));
    ReportPrint->setShortcut(QKeySequence::Print);
    ReportExportPdf = new QPushButton(tr("Export PDF..."), Panel1);
    ReportExportPdf->setObjectName(QStringLiteral("ReportExportPdf"));
    ReportClose = new QPushButton(tr("Close"), Panel1);
    ReportClose->setObjectName(QStringLiteral("ReportClose"));
    auto* buttons = new QHBoxLayout(Panel1);
    buttons->setContentsMargins(8, 4, 8, 4);
    for (QPushButton* b : {ReportSave, ReportCopy, ReportPrint, ReportExportPdf, ReportClose}) {
        b->setMinimumWidth(75);
        // Enter in the memo is a new line, never a press of the first button.
        b->setAutoDefault(false);
        if (b == ReportClose)
            buttons->addStretch(1);
        buttons->addWidget(b);
    }

    ReportCloseAction = new QAction(tr("Close"), this);
    ReportCloseAction->setObjectName(QStringLiteral("ReportCloseAction"));
    QList<QKeySequence> closeKeys{QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)};
    for (const QKeySequence& key : QKeySequence::keyBindings(QKeySequence::Close))
        if (!closeKeys.contains(key))
            closeKeys << key;
    ReportCloseAction->setShortcuts(closeKeys);
    ReportCloseAction->setShortcutContext(Qt::WindowShortcut);
    addAction(ReportCloseAction);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ReportMemo, 1);
    layout->addWidget(Panel1);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    connect(ReportSave, &QPushButton::clicked, this, &TReportForm::ReportSaveClick);
    connect(ReportCopy, &QPushButton::clicked, this, &TReportForm::ReportCopyClick);
    connect(ReportPrint, &QPushButton::clicked, this, &TReportForm::ReportPrintClick);
    connect(ReportExportPdf, &QPushButton::clicked, this, &TReportForm::ReportExportPdfClick);
    connect(ReportClose, &QPushButton::clicked, this, &TReportForm::ReportCloseClick);
    connect(ReportCloseAction, &QAction::triggered, this, &TReportForm::ReportCloseClick);
}

TReportForm::~TReportForm() = default;

void TReportForm::SetReportDefinition(const QString& definitionPath)
{
    // The definition's file name, as the main window's caption names its configuration; the
    // folder would crowd the title and is the same for every default report.
    const QString name = QFileInfo(definitionPath).fileName();
    setWindowTitle(name.isEmpty() ? tr(ReportCaption)
                                  : QStringLiteral("%1 - %2").arg(name, tr(ReportCaption)));
}

QFileDialog* TReportForm::SaveDialog1()
{
    if (m_saveDialog == nullptr) {
        m_saveDialog = new QFileDialog(this);
        m_saveDialog->setObjectName(QStringLiteral("SaveDialog1"));
        m_saveDialog->setAcceptMode(QFileDialog::AcceptSave);
        m_saveDialog->setFileMode(QFileDialog::AnyFile);
        m_saveDialog->setDefaultSuffix(QStringLiteral("txt"));
        m_saveDialog->setNameFilter(tr("Text Files (*.txt)"));
        m_saveDialog->setDirectory(QStringLiteral("."));
        // Saving a report again under the same name replaces it without a question; the same
        // widget-based dialog everywhere keeps it findable and answerable by the tests.
        m_saveDialog->setOptions(QFileDialog::DontConfirmOverwrite | QFileDialog::DontUseNativeDialog);
    }
    return m_saveDialog;
}

QFileDialog* TReportForm::ExportPdfDialog()
{
    if (m_pdfDialog == nullptr) {
        m_pdfDialog = new QFileDialog(this);
        m_pdfDialog->setObjectName(QStringLiteral("ExportPdfDialog"));
        m_pdfDialog->setAcceptMode(QFileDialog::AcceptSave);
        m_pdfDialog->setFileMode(QFileDialog::AnyFile);
        m_pdfDialog->setDefaultSuffix(QStringLiteral("pdf"));
        m_pdfDialog->setNameFilter(tr("PDF Files (*.pdf)"));
        m_pdfDialog->setDirectory(QStringLiteral("."));
        // Unlike a text report, a document the player exported may have gone elsewhere since:
        // replacing one asks first (the dialog's own question).
        m_pdfDialog->setOptions(QFileDialog::DontUseNativeDialog);
    }
    return m_pdfDialog;
}

QPrinter* TReportForm::Printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return m_printer.get();
}

void TReportForm::SetReportText(const std::string& bytes)
{
    // One edit over the whole document: the user's Undo goes back to the text before it.
    QTextCursor cursor(ReportMemo->document());
    cursor.select(QTextCursor::Document);
    cursor.insertText(FromCp1252(bytes));
    ReportMemo->moveCursor(QTextCursor::Start);
}

std::string TReportForm::ReportFileBytes() const
{
    // Reports are saved in Windows-1252, the encoding of the names in the items and of what
    // gemwright-report writes for the same template, so both front ends give the same bytes.
    std::string out;
    const QString text = ReportMemo->toPlainText();
    if (text.isEmpty())
        return out;
    QStringList lines = text.split(QLatin1Char('\n'));
    // A memo whose text ends with a line end holds no empty line after it.
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    for (const QString& line : lines) {
        out += ToCp1252(line);
        out += "\r\n";
    }
    return out;
}

bool TReportForm::SaveReportTo(std::filesystem::path path)
{
    if (!path.has_extension())
        path += ".txt";
    // The error names the file and the system's reason; a failed save leaves any old file whole.
    const gw::SaveResult result = gw::WriteFileAtomically(path, ReportFileBytes());
    if (!result) {
        ShowError(QString::fromStdString(result.message));
        return false;
    }
    return true;
}

QByteArray TReportForm::ReportPdfBytes() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(windowTitle());
        writer.setCreator(QApplication::applicationName());
        ReportMemo->print(&writer);
    }
    return bytes;
}

bool TReportForm::ExportPdfTo(std::filesystem::path path)
{
    if (!path.has_extension())
        path += ".pdf";
    // Rendered in memory and saved as the text report is: a failed export leaves any old file
    // whole instead of half overwritten.
    const QByteArray pdf = ReportPdfBytes();
    const gw::SaveResult result =
        gw::WriteFileAtomically(path, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
    if (!result) {
        ShowError(QString::fromStdString(result.message));
        return false;
    }
    return true;
}

void TReportForm::ShowError(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, tr("Error"), text, QMessageBox::Abort, this);
    box.setObjectName(QStringLiteral("ErrorBox"));
    box.exec();
}

void TReportForm::ReportSaveClick()
{
    QFileDialog* dialog = SaveDialog1();
    if (dialog->exec() != QDialog::Accepted)
        return;
    const QStringList chosen = dialog->selectedFiles();
    if (chosen.isEmpty())
        return;
    SaveReportTo(gw::PathOfText(chosen.first()));
}

void TReportForm::ReportCopyClick()
{
    // The whole report, whatever part of it is selected: the memo's own Ctrl+C copies a selection.
    QGuiApplication::clipboard()->setText(ReportMemo->toPlainText());
}

void TReportForm::ReportPrintClick()
{
    QPrinter* printer = Printer();
    QPrintDialog dialog(printer, this);
    dialog.setObjectName(QStringLiteral("PrintDialog1"));
    dialog.setOption(QAbstractPrintDialog::PrintSelection, ReportMemo->textCursor().hasSelection());
    if (dialog.exec() != QDialog::Accepted)
        return;
    ReportMemo->print(printer);
    // A printer or file that refused the job must not pass for a printed report.
    if (printer->printerState() == QPrinter::Error)
        ShowError(tr("The report could not be printed."));
}

void TReportForm::ReportExportPdfClick()
{
    QFileDialog* dialog = ExportPdfDialog();
    if (dialog->exec() != QDialog::Accepted)
        return;
    const QStringList chosen = dialog->selectedFiles();
    if (chosen.isEmpty())
        return;
    ExportPdfTo(std::filesystem::path(chosen.first().toStdString()));
}

void TReportForm::ReportCloseClick()
{
    hide();
}
