// The report buttons, the report window they fill, and "Assign..." on either button's pop-up.
#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "support/GuiTest.h"
#include "ui/MainForm.h"
#include "ui/ReportFormSrc.h"

using gwtest::AnswerFileDialog;
using SeenDialog = gwtest::SeenFileDialog;
using gwtest::WriteAll;

namespace {

// A right click on a report button, then "Assign..." in the pop-up that opens.
void AssignFromPopup(QPushButton* button)
{
    const QPoint at = button->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, button->mapToGlobal(at));
    QApplication::sendEvent(button, &event);
    QMenu* popup = nullptr;
    QTRY_VERIFY((popup = qobject_cast<QMenu*>(QApplication::activePopupWidget())) != nullptr);
    QCOMPARE(popup->actions().size(), 1);
    QAction* assign = popup->actions().first();
    QCOMPARE(assign->text(), QStringLiteral("Assign..."));
    QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(assign).center());
}

} // namespace

class ReportsTest : public gwtest::MainWindowTest {
    Q_OBJECT

private slots:
    void init()
    {
        MainWindowTest::init();
        WriteAll(m_dir->filePath(QStringLiteral("Mats List.rpt")), "Order form\r\nSTR <str>|\r\n");
        WriteAll(m_dir->filePath(QStringLiteral("Config Report.rpt")),
                 "Config report\n<if chest pcmade>crafted chest\n<endif>end\n");
        QVERIFY(OpenApplicationWindow());
    }

    void bothButtonsFillOneModelessWindow()
    {
        TReportForm* report = m_form->ReportForm;
        QVERIFY(report->isHidden());
        gwtest::Click(m_form->GenerateReportButton);
        QVERIFY(report->isVisible());
        QVERIFY(!report->isModal());
        QCOMPARE(report->ReportMemo->toPlainText(), QStringLiteral("Order form\nSTR 0|\n"));
        QCOMPARE(report->windowTitle(), QStringLiteral("Mats List.rpt - Crafter Report"));

        // The window hidden by Close comes back with the other report, named in its title.
        gwtest::Click(report->ReportClose);
        QVERIFY(report->isHidden());
        gwtest::Click(m_form->GenerateReportButton2);
        QVERIFY(report->isVisible());
        QCOMPARE(report->ReportMemo->toPlainText(), QStringLiteral("Config report\ncrafted chest\nend\n"));
        QCOMPARE(report->windowTitle(), QStringLiteral("Config Report.rpt - Crafter Report"));

        // The main window stays usable while it is open, and a click regenerates in place.
        gwtest::Click(m_form->IsDrop);
        gwtest::Click(m_form->GenerateReportButton2);
        QCOMPARE(report->ReportMemo->toPlainText(), QStringLiteral("Config report\nend\n"));
        QCOMPARE(m_form->findChildren<TReportForm*>().size(), 1);
    }

    void reportsShowTheTotalsAsDisplayed()
    {
        m_form->Items[12].PlayerMade = 0; // 30 Strength on the jewel
        m_form->Items[12].EffectType[0] = 1;
        m_form->Items[12].EffectAmount[0] = 30;
        m_form->RefreshAll();
        gwtest::Click(m_form->GenerateReportButton);
        QCOMPARE(m_form->ReportForm->ReportMemo->toPlainText(), QStringLiteral("Order form\nSTR 30|\n"));

        gwtest::Click(m_form->DisplaySelectItems[1]); // "Distance to Cap"
        const QString shown = m_form->TotalStats[0]->text();
        QVERIFY(shown != QStringLiteral("30"));
        gwtest::Click(m_form->GenerateReportButton);
        QCOMPARE(m_form->ReportForm->ReportMemo->toPlainText(),
                 QStringLiteral("Order form\nSTR %1|\n").arg(shown));
    }

    void anUnreadableDefinitionIsNamedAndTheLastReportKept()
    {
        gwtest::Click(m_form->GenerateReportButton);
        QFile::remove(m_dir->filePath(QStringLiteral("Config Report.rpt")));
        QString message;
        gwtest::AnswerMessageBox(QMessageBox::Abort, &message);
        gwtest::Click(m_form->GenerateReportButton2);
        QTRY_VERIFY(message.contains(QStringLiteral("Config Report.rpt")));
        QCOMPARE(m_form->ReportForm->ReportMemo->toPlainText(), QStringLiteral("Order form\nSTR 0|\n"));
    }

    void aReportPastItsLimitShowsItsBeginningAndSaysItWasStopped()
    {
        QByteArray templ;
        for (int i = 0; i < 9000; ++i)
            templ += "<2047>\n";
        WriteAll(m_dir->filePath(QStringLiteral("Mats List.rpt")), templ);
        QString message;
        gwtest::AnswerMessageBox(QMessageBox::Abort, &message);
        gwtest::Click(m_form->GenerateReportButton);
        QTRY_COMPARE(message, QStringLiteral("The report is larger than 16 MiB; it was stopped."));
        QVERIFY(m_form->ReportForm->isVisible());
        QVERIFY(m_form->ReportForm->ReportMemo->toPlainText().startsWith(QString(2047, u' ') + u'\n'));
    }

    void aPipeAsReportDefinitionIsRefusedAtOnce()
    {
        const QString pipe = m_dir->filePath(QStringLiteral("Config Report.rpt"));
        QFile::remove(pipe);
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
        QString message;
        gwtest::AnswerMessageBox(QMessageBox::Abort, &message);
        gwtest::Click(m_form->GenerateReportButton2);
        QTRY_COMPARE(message, QStringLiteral("\"%1\" is not a regular file.").arg(pipe));
    }

    void assignChangesOnlyTheButtonItWasOpenedOn()
    {
        const QString shop = m_dir->filePath(QStringLiteral("shop.txt"));
        WriteAll(shop, "Shopping list\n");
        SeenDialog seen;
        AnswerFileDialog(shop, &seen);
        AssignFromPopup(m_form->GenerateReportButton);
        QTRY_VERIFY(seen.seen);
        QCOMPARE(seen.objectName, QStringLiteral("OpenDialog1"));
        QCOMPARE(seen.filter, QStringLiteral("Report Definition (*.rpt)"));
        QCOMPARE(QDir(seen.directory), QDir(m_form->StartDir));

        QCOMPARE(m_form->GenerateReportButton->text(), QStringLiteral("shop"));
        QCOMPARE(m_form->ReportDefinition1, shop);
        QCOMPARE(m_form->GenerateReportButton2->text(), QStringLiteral("Config Report"));
        QCOMPARE(m_form->ReportDefinition2,
                 QDir(m_form->StartDir).filePath(QStringLiteral("Config Report.rpt")));
        gwtest::Click(m_form->GenerateReportButton);
        QCOMPARE(m_form->ReportForm->ReportMemo->toPlainText(), QStringLiteral("Shopping list\n"));

        // Cancelling the dialog changes nothing; the name chosen for the other button is not
        // offered again.
        seen = {};
        AnswerFileDialog(QString(), &seen);
        AssignFromPopup(m_form->GenerateReportButton2);
        QTRY_VERIFY(seen.seen);
        QCOMPARE(seen.nameBox, QString());
        QCOMPARE(m_form->GenerateReportButton2->text(), QStringLiteral("Config Report"));
        QCOMPARE(m_form->ReportDefinition2,
                 QDir(m_form->StartDir).filePath(QStringLiteral("Config Report.rpt")));
        QCOMPARE(m_form->GenerateReportButton->text(), QStringLiteral("shop"));
    }

    void assigningTheOtherButtonThenSavingTheAssignment()
    {
        const QString path = m_dir->filePath(QStringLiteral("Mats List.rpt"));
        AnswerFileDialog(path);
        AssignFromPopup(m_form->GenerateReportButton2);
        QTRY_COMPARE(m_form->GenerateReportButton2->text(), QStringLiteral("Mats List"));
        QCOMPARE(m_form->GenerateReportButton->text(), QStringLiteral("Order Form"));
        m_form->close();
        QFile ini(m_dir->filePath(QStringLiteral("gemwright.ini")));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QVERIFY(ini.readAll().startsWith((path + QStringLiteral("\r\n")).toUtf8()));
    }
};

GW_UI_TEST_MAIN(ReportsTest)
#include "reports_test.moc"
