#include "ui/ReportCheck.h"

#include <cstdio>

#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "ui/MainForm.h"
#include "ui/ReportFormSrc.h"

namespace {

void Print(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
}

} // namespace

int CheckReports(TMainForm& form, const QString& configuration)
{
    // Message boxes are modal: their own event loop runs this timer, which notes and closes them.
    QStringList messages;
    QTimer answer;
    answer.setInterval(10);
    QObject::connect(&answer, &QTimer::timeout, &form, [&messages] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            messages << box->text();
            box->reject();
        }
    });
    answer.start();

    const bool opened = configuration.isEmpty() || form.OpenConfigurationPath(configuration);
    bool rendered = true;
    const struct {
        QPushButton* button;
        const QString& definition;
    } buttons[] = {{form.GenerateReportButton2, form.ReportDefinition2},
                   {form.GenerateReportButton, form.ReportDefinition1}};
    for (const auto& b : buttons) {
        const qsizetype before = messages.size();
        b.button->click();
        const bool ok = messages.size() == before && form.ReportForm != nullptr;
        rendered = rendered && ok;
        Print(QStringLiteral("== %1: %2\n").arg(b.button->text(), b.definition));
        if (ok)
            Print(form.ReportForm->ReportMemo->toPlainText() + QLatin1Char('\n'));
    }
    for (const QString& message : messages)
        Print(QStringLiteral("message: %1\n").arg(message));
    std::fflush(stdout);
    return opened && rendered && messages.isEmpty() ? 0 : 1;
}
