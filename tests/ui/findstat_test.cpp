// The slot finder dialog on its own: its list is replaced per use, a click on a line closes it
// with OK and names the slot, every other way out closes it with Cancel.
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <functional>

#include "support/GuiTest.h"
#include "ui/FindStatFormSrc.h"

using gwtest::ExecAnswered;

namespace {

void ClickLine(TFindStatForm& form, int row)
{
    QListWidgetItem* item = form.SlotList->item(row);
    QVERIFY(item != nullptr);
    QTest::mouseClick(form.SlotList->viewport(), Qt::LeftButton, {},
                      form.SlotList->visualItemRect(item).center());
}

const std::vector<gw::FinderLine> StrengthLines{{"Chest: 1", 0}, {"Arms: 1", 1}, {"Right Wrist: 4", 17}};

} // namespace

class FindStatTest : public QObject {
    Q_OBJECT

private slots:
    void designedWindow();
    void entriesReplaceCaptionAndList();
    void clickOnALineChoosesItsSlot();
    void clickBelowTheLinesDoesNothing();
    void everyOtherWayOutCancels();
    void enterOnTheFocusedLineJumps();
};

void FindStatTest::designedWindow()
{
    TFindStatForm form;
    QCOMPARE(form.objectName(), QStringLiteral("FindStatForm"));
    QCOMPARE(form.windowTitle(), QStringLiteral("Slots with stat"));
    QCOMPARE(form.size(), QSize(229, 208));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QCOMPARE(form.SlotList->toolTip(), QStringLiteral("Click to jump to a slot"));
    QCOMPARE(form.CloseButton->text(), QStringLiteral("Close"));
    QCOMPARE(form.CloseButton->parentWidget(), form.Panel1);
    QCOMPARE(form.Panel1->geometry(), QRect(0, 167, 229, 41));
    QCOMPARE(form.findChild<QListWidget*>(QStringLiteral("SlotList")), form.SlotList);
    QCOMPARE(form.ChosenSlot(), -1);
}

void FindStatTest::entriesReplaceCaptionAndList()
{
    TFindStatForm form;
    form.SetEntries(QStringLiteral("Slots with Strength"), StrengthLines);
    QCOMPARE(form.windowTitle(), QStringLiteral("Slots with Strength"));
    QCOMPARE(form.SlotList->count(), 3);
    QCOMPARE(form.SlotList->item(2)->text(), QStringLiteral("Right Wrist: 4"));
    QVERIFY(form.SlotList->selectedItems().isEmpty());

    form.SetEntries(QStringLiteral("Slots with Hits"), {});
    QCOMPARE(form.windowTitle(), QStringLiteral("Slots with Hits"));
    QCOMPARE(form.SlotList->count(), 0);
}

void FindStatTest::clickOnALineChoosesItsSlot()
{
    TFindStatForm form;
    form.SetEntries(QStringLiteral("Slots with Strength"), StrengthLines);
    QCOMPARE(ExecAnswered(form, [&] { ClickLine(form, 2); }), int(QDialog::Accepted));
    QCOMPARE(form.ChosenSlot(), 17);

    // The next use starts afresh: nothing chosen until a click.
    form.SetEntries(QStringLiteral("Slots with Strength"), StrengthLines);
    QCOMPARE(form.ChosenSlot(), -1);
    QCOMPARE(ExecAnswered(form, [&] { ClickLine(form, 1); }), int(QDialog::Accepted));
    QCOMPARE(form.ChosenSlot(), 1);
}

void FindStatTest::clickBelowTheLinesDoesNothing()
{
    TFindStatForm form;
    form.SetEntries(QStringLiteral("Slots with Strength"), StrengthLines);
    bool stillOpen = false;
    const int result = ExecAnswered(form, [&] {
        // Halfway between the last line and the bottom, wherever the font puts them.
        const QWidget* view = form.SlotList->viewport();
        const int lastBottom = form.SlotList->visualItemRect(form.SlotList->item(form.SlotList->count() - 1)).bottom();
        QVERIFY(lastBottom + 4 < view->height());
        QTest::mouseClick(form.SlotList->viewport(), Qt::LeftButton, {},
                          QPoint(20, (lastBottom + view->height()) / 2));
        stillOpen = form.isVisible();
        QTest::mouseClick(form.CloseButton, Qt::LeftButton);
    });
    QVERIFY(stillOpen);
    QCOMPARE(result, int(QDialog::Rejected));
    QCOMPARE(form.ChosenSlot(), -1);
}

void FindStatTest::everyOtherWayOutCancels()
{
    TFindStatForm form;
    form.SetEntries(QStringLiteral("Slots with Strength"), StrengthLines);
    QCOMPARE(ExecAnswered(form, [&] { QTest::mouseClick(form.CloseButton, Qt::LeftButton); }),
             int(QDialog::Rejected));
    QCOMPARE(ExecAnswered(form, [&] { QTest::keyClick(form.SlotList, Qt::Key_Escape); }),
             int(QDialog::Rejected));
    QCOMPARE(ExecAnswered(form, [&] { form.close(); }), int(QDialog::Rejected));
    QCOMPARE(form.ChosenSlot(), -1);
}

void FindStatTest::enterOnTheFocusedLineJumps()
{
    TFindStatForm form;
    form.SetEntries(QStringLiteral("Slots with Strength"), StrengthLines);
    QCOMPARE(ExecAnswered(form,
                          [&] {
                              form.SlotList->setFocus();
                              form.SlotList->setCurrentRow(1);
                              QTest::keyClick(form.SlotList, Qt::Key_Return);
                          }),
             int(QDialog::Accepted));
    QCOMPARE(form.ChosenSlot(), 1);
}

GW_UI_TEST_MAIN(FindStatTest)
#include "findstat_test.moc"
