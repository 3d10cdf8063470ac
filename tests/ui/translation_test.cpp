// Every caption the player reads in the windows passes through the translator: with a
// translator that marks each text it is asked for, no caption is left unmarked, except the
// figures and the texts the core formats (game names, money, the chance), which it writes
// again at every refresh.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTranslator>

#include "support/GuiTest.h"
#include "ui/AboutFormSrc.h"
#include "ui/FindStatFormSrc.h"
#include "ui/ItemLevelSrc.h"
#include "ui/LoadDropSrc.h"
#include "ui/MainForm.h"
#include "ui/ReportFormSrc.h"
#include "ui/Startup.h"

namespace {

class MarkingTranslator final : public QTranslator {
public:
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override
    {
        Q_UNUSED(context);
        Q_UNUSED(disambiguation);
        Q_UNUSED(n);
        if (sourceText == nullptr || *sourceText == '\0')
            return {};
        return QStringLiteral("[") + QString::fromUtf8(sourceText) + QStringLiteral("]");
    }
    bool isEmpty() const override { return false; }
};

bool Marked(const QString& text)
{
    return text.startsWith(QLatin1Char('[')) && text.endsWith(QLatin1Char(']'));
}

// Texts without a letter ("0", "...") need no translation.
bool HasWords(const QString& text)
{
    for (const QChar c : text)
        if (c.isLetter())
            return true;
    return false;
}

} // namespace

class TranslationTest : public QObject {
    Q_OBJECT

private slots:
    void everyCaptionOfTheWindowsIsTranslated()
    {
        MarkingTranslator marker;
        QVERIFY(QCoreApplication::installTranslator(&marker));
        gwtest::WorkingDirectory dir;
        const auto form = CreateApplicationWindows();

        // Written by the core from the items and the game's tables, and rewritten at each refresh.
        const QStringList coreTexts{"TotalFocus1", "TotalFocus2", "TotalFocus3", "TotalFocus4", "TotalCost",
                                    "ArmorOvercharge", "ItemCost", "Gem1Cost", "Gem2Cost", "Gem3Cost",
                                    "Gem4Cost", "Gem1Name", "Gem2Name", "Gem3Name", "Gem4Name",
                                    "FindFreeSlotButton"};
        // The slot captions come from the core's slot table, as on the armour and jewellery tabs.
        const QRegularExpression slotCaption(QStringLiteral("^PlanSlot\\d+$"));
        QStringList unmarked;
        auto check = [&](const QObject* owner, const QString& text) {
            if (HasWords(text) && !Marked(text) && !coreTexts.contains(owner->objectName()) &&
                !slotCaption.match(owner->objectName()).hasMatch())
                unmarked << QStringLiteral("%1: %2").arg(owner->objectName(), text);
        };
        const QList<QWidget*> windows{form.get(),         form->ReportForm,   form->AboutForm,
                                      form->ItemLevelForm, form->ItemBrowser, form->FindStatForm,
                                      form->ReportPopup};
        for (QWidget* window : windows) {
            if (window != form.get())  // the main window's caption is built by its title logic
                check(window, window->windowTitle());
            for (const QLabel* label : window->findChildren<QLabel*>())
                check(label, label->text());
            for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
                check(button, button->text());
            for (const QGroupBox* box : window->findChildren<QGroupBox*>())
                check(box, box->title());
            for (const QAction* action : window->findChildren<QAction*>()) {
                check(action, action->text());
                check(action, action->toolTip());
            }
            for (const QWidget* widget : window->findChildren<QWidget*>())
                check(widget, widget->toolTip());
        }
        for (int i = 0; i < form->ArmorJewelryPage->count(); ++i)
            check(form->ArmorJewelryPage, form->ArmorJewelryPage->tabText(i));
        for (const QAction* menu : form->menuBar()->actions())
            check(menu, menu->text());
        QVERIFY2(unmarked.isEmpty(), qPrintable(unmarked.join(QStringLiteral("; "))));

        // The captions the player compares with the designed ones are the translated texts.
        QCOMPARE(form->GenerateReportButton->text(), QStringLiteral("[Order Form]"));
        QCOMPARE(form->ReportForm->windowTitle(), QStringLiteral("[Crafter Report]"));
        QCoreApplication::removeTranslator(&marker);
    }
};

GW_UI_TEST_MAIN(TranslationTest)
#include "translation_test.moc"
