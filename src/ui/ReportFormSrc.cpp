#include "ui/ReportFormSrc.h"

#include <QFileDialog>
#include <QFontDatabase>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QTextCursor>
#include <QVBoxLayout>

#include "io/AtomicFile.h"
#include "ui/PathText.h"
#include "ui/Text.h"

TReportForm::TReportForm(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("ReportForm"));
    setWindowTitle(QStringLiteral("Crafter Report"));
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
    ReportSave = new QPushButton(QStringLiteral("Save"), Panel1);
    ReportSave->setObjectName(QStringLiteral("ReportSave"));
    ReportClose = new QPushButton(QStringLiteral("Close"), Panel1);
    ReportClose->setObjectName(QStringLiteral("ReportClose"));
    for (QPushButton* b : {ReportSave, ReportClose})
        b->setMinimumWidth(75);
    auto* buttons = new QHBoxLayout(Panel1);
    buttons->setContentsMargins(8, 4, 8, 4);
    buttons->addWidget(ReportSave);
    buttons->addStretch(1);
    buttons->addWidget(ReportClose);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ReportMemo, 1);
    layout->addWidget(Panel1);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    connect(ReportSave, &QPushButton::clicked, this, &TReportForm::ReportSaveClick);
    connect(ReportClose, &QPushButton::clicked, this, &TReportForm::ReportCloseClick);
}

QFileDialog* TReportForm::SaveDialog1()
{
    if (m_saveDialog == nullptr) {
        m_saveDialog = new QFileDialog(this);
        m_saveDialog->setObjectName(QStringLiteral("SaveDialog1"));
        m_saveDialog->setAcceptMode(QFileDialog::AcceptSave);
        m_saveDialog->setFileMode(QFileDialog::AnyFile);
        m_saveDialog->setDefaultSuffix(QStringLiteral("txt"));
        m_saveDialog->setNameFilter(QStringLiteral("Text Files (*.txt)"));
        m_saveDialog->setDirectory(QStringLiteral("."));
        // Saving a report again under the same name replaces it without a question; the same
        // widget-based dialog everywhere keeps it findable and answerable by the tests.
        m_saveDialog->setOptions(QFileDialog::DontConfirmOverwrite | QFileDialog::DontUseNativeDialog);
    }
    return m_saveDialog;
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
        QMessageBox::critical(this, QStringLiteral("Error"), QString::fromStdString(result.message),
                              QMessageBox::Abort);
        return false;
    }
    return true;
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

void TReportForm::ReportCloseClick()
{
    hide();
}
