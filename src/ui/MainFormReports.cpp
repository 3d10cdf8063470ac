// The two report buttons and the assignment of report definitions to them.
#include "ui/MainForm.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

#include <string>
#include <vector>

#include "io/SettingsFile.h"
#include "report/ReportSource.h"
#include "report/ReportTemplate.h"
#include "ui/ClickableLabel.h"
#include "ui/FileDialogRun.h"
#include "ui/GwApplication.h"
#include "ui/ReportButtonText.h"
#include "ui/ReportFormSrc.h"
#include "ui/Text.h"

namespace {

// What a report reads from the main window: the character panel exactly as its labels show it,
// so that a report follows the display mode the player has chosen.
class WindowReportSource final : public gw::ReportSource {
public:
    explicit WindowReportSource(const TMainForm& form) : m_form(form) {}

    std::string Caption(gw::PanelCaption caption) const override
    {
        const QLabel* label = LabelOf(caption);
        return label != nullptr ? ToCp1252(label->text()) : std::string();
    }

    std::vector<std::string> SkillLines() const override
    {
        std::vector<std::string> lines;
        const QListWidget* list = m_form.TotalSkills;
        lines.reserve(static_cast<std::size_t>(list->count()));
        for (int i = 0; i < list->count(); ++i)
            lines.push_back(ToCp1252(list->item(i)->text()));
        return lines;
    }

    const gw::Configuration& Items() const override { return m_form.Config; }
    int CrafterSkillIndex() const override { return m_form.CrafterSkillIndex(); }
    int Realm() const override { return m_form.Realm(); }

private:
    const QLabel* LabelOf(gw::PanelCaption caption) const
    {
        const int index = static_cast<int>(caption);
        using gw::PanelCaption;
        if (index >= static_cast<int>(PanelCaption::Str) && index <= static_cast<int>(PanelCaption::Emp))
            return m_form.TotalStats[static_cast<std::size_t>(index - static_cast<int>(PanelCaption::Str))];
        if (index >= static_cast<int>(PanelCaption::Body) && index <= static_cast<int>(PanelCaption::Slash))
            return m_form
                .TotalResists[static_cast<std::size_t>(index - static_cast<int>(PanelCaption::Body))];
        if (index >= static_cast<int>(PanelCaption::Focus1) &&
            index <= static_cast<int>(PanelCaption::Focus4))
            return m_form
                .TotalFocus[static_cast<std::size_t>(index - static_cast<int>(PanelCaption::Focus1))];
        switch (caption) {
        case PanelCaption::Hits:
            return m_form.TotalHits;
        case PanelCaption::Power:
            return m_form.TotalPower;
        case PanelCaption::TotalCost:
            return m_form.TotalCost;
        default:
            return nullptr;
        }
    }

    const TMainForm& m_form;
};

void ShowReportError(QWidget* parent, const std::string& message)
{
    QMessageBox box(QMessageBox::Critical, GwApplication::Title(), QString::fromStdString(message),
                    QMessageBox::Abort, parent);
    box.setObjectName(QStringLiteral("ErrorBox"));
    box.exec();
}

// Renders a report definition into the report window and brings that window to the front. A
// definition that cannot be read is reported by name and the window keeps its last report. A
// report stopped at its size limit shows what was produced, and the report window says that it
// was stopped.
void ShowReport(TMainForm& form, const QString& definition)
{
    const WindowReportSource source(form);
    const gw::GeneratedReport report = gw::GenerateReport(definition.toStdString(), source);
    if (!report.ok) {
        ShowReportError(&form, report.message);
        return;
    }
    if (form.ReportForm == nullptr)
        form.ReportForm = new TReportForm(&form);
    form.ReportForm->SetReportText(report.text);
    form.ReportForm->SetReportDefinition(definition);
    form.ReportForm->show();
    form.ReportForm->raise();
    form.ReportForm->activateWindow();
    if (report.stopped)
        ShowReportError(form.ReportForm, report.message);
}

} // namespace

void TMainForm::GenerateReportButtonClick()
{
    ShowReport(*this, ReportDefinition1);
}

void TMainForm::GenerateReportButton2Click()
{
    ShowReport(*this, ReportDefinition2);
}

void TMainForm::Assign1Click()
{
    QFileDialog* dialog = OpenDialog1();
    dialog->setFileMode(QFileDialog::ExistingFile);
    // The fifteenth filter: "Report Definition (*.rpt)".
    const QString path = RunFileDialog(dialog, OpenDialogFilter, 14, StartDir);
    if (path.isEmpty())
        return;
    // The settings file takes the new assignment when the window closes.
    if (PopupComponent == GenerateReportButton) {
        ReportDefinition1 = path;
        GenerateReportButton->setText(ReportButtonText(path));
    } else {
        ReportDefinition2 = path;
        GenerateReportButton2->setText(ReportButtonText(path));
    }
}
