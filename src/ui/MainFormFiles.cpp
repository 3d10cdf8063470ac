// Configuration files, single item files and the settings file.
#include "ui/MainForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QTimer>

#include <filesystem>
#include <string>

#include "data/Globals.h"
#include "io/ConfigFile.h"
#include "io/ItemFiles.h"
#include "io/SettingsFile.h"
#include "ui/FileDialogRun.h"
#include "ui/GwApplication.h"
#include "ui/ItemsUndo.h"
#include "ui/LoadDropSrc.h"
#include "ui/PathText.h"
#include "ui/RecentFiles.h"
#include "ui/ReportButtonText.h"

namespace {

namespace fs = std::filesystem;

fs::path ToPath(const QString& text)
{
    return gw::PathOfText(text);
}

QString FromPath(const fs::path& path)
{
    return gw::TextOfPath(path);
}

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The error box: the message and the single button Abort. `detail` adds the reason the system
// gives, below the message itself.
void ShowError(QWidget* parent, const QString& text, const QString& detail = {})
{
    QMessageBox box(QMessageBox::Critical, GwApplication::Title(), text, QMessageBox::Abort, parent);
    box.setObjectName(QStringLiteral("ErrorBox"));
    if (!detail.isEmpty())
        box.setInformativeText(detail);
    box.exec();
}

void ShowInformation(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Information, GwApplication::Title(), text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("InformationBox"));
    box.exec();
}

bool AskYesNo(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Question, GwApplication::Title(), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(QStringLiteral("QuestionBox"));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace

void TMainForm::Open1Click()
{
    if (!maySetAsidePlan())
        return;
    QFileDialog* dialog = OpenDialog1();
    dialog->setFileMode(QFileDialog::ExistingFile);
    const QString path = RunFileDialog(dialog, OpenDialogFilter, 0, StartDir);
    if (path.isEmpty())
        return;
    openConfiguration(path);
}

bool TMainForm::openConfiguration(const QString& path)
{
    const gw::ConfigReadResult result = gw::OpenConfiguration(ToPath(path), Config, Realm());
    // A file that cannot be read says which and why; nothing changes.
    if (!result.opened) {
        for (const std::string& message : result.messages)
            ShowError(this, FromUtf8(message));
        // A recent file that is gone is of no more use in the list.
        if (!QFileInfo::exists(path))
            m_recent->Remove(path);
        return false;
    }
    // The file's realm is selected without the realm box's handler: the items just read belong
    // to it, so nothing is cleared and the file stays the current one.
    if (result.realmChanged) {
        const QSignalBlocker quiet(RealmSelect);
        RealmSelect->setCurrentIndex(result.realm);
        m_realm = result.realm;
    }
    for (const std::string& message : result.messages)
        ShowError(this, FromUtf8(message));

    ConfigFileName = path;
    SetTitles(QFileInfo(path).fileName());
    {
        QScopedValueRollback<int> suppress(SuppressEquippedClick, 1);
        WeaponEquipped->setChecked(Equipped[CurrentArmourSlot()] != 0);
    }
    // The lists of the effect rows belong to the realm: rebuild them from the realm now shown.
    LoadArmorItem();
    LoadJewelryItem();
    RefreshAll();
    // The plan as opened is the clean one, and the history of the one before ends here.
    m_undo->Reset();
    m_recent->Add(path);
    return true;
}

void TMainForm::Save1Click()
{
    SavePlan();
}

bool TMainForm::SavePlan()
{
    if (ConfigFileName.isEmpty())
        return SavePlanAs();
    // A failed save is reported: the player must not believe the plan is kept when it is not.
    const gw::SaveResult saved = gw::SaveConfiguration(ToPath(ConfigFileName), Config, Realm());
    if (!saved) {
        ShowError(this, FromUtf8(saved.message));
        return false;
    }
    planSaved(ConfigFileName);
    return true;
}

void TMainForm::SaveAs1Click()
{
    SavePlanAs();
}

bool TMainForm::SavePlanAs()
{
    QFileDialog* dialog = SaveDialog1();
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setDefaultSuffix(QStringLiteral("gwc"));
    // Replacing an existing configuration asks nothing: the player has just chosen that name.
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    // The name box offers the configuration's own name, so Save As starts from it.
    const QString current = ConfigFileName.isEmpty() ? QString() : QFileInfo(ConfigFileName).fileName();
    const QString path = RunFileDialog(dialog, SaveDialogFilter, 0, StartDir, current);
    if (path.isEmpty())
        return false;

    // A save that fails leaves the old file whole, and the window keeps naming the file it had.
    const gw::SaveResult saved = gw::SaveConfiguration(ToPath(path), Config, Realm());
    if (!saved) {
        ShowError(this, FromUtf8(saved.message));
        return false;
    }
    ConfigFileName = path;
    SetTitles(QFileInfo(path).fileName());
    planSaved(path);
    return true;
}

namespace {

// Saves the item of `slot` into the realm's items directory under its name.
void SaveItemOfSlot(TMainForm& form, const QLineEdit* nameBox, int slot)
{
    if (nameBox->text().isEmpty()) {
        ShowError(&form, FromUtf8(gw::BlankItemNameMessage));
        return;
    }
    const gw::GWItem& item = form.Items[static_cast<std::size_t>(slot)];
    const int realm = form.Realm();
    // A name that would leave the realm's directory (or name no file) is refused, not altered.
    const gw::ItemPath target = gw::ItemFilePath(ToPath(form.StartDir), realm, item.Name, slot);
    if (!target.ok()) {
        ShowError(&form, FromUtf8(target.error));
        return;
    }
    if (gw::ItemFileExists(target.path) &&
        !AskYesNo(&form, TMainForm::tr("The item %1 already exists. Do you want to replace it?")
                             .arg(FromPath(target.path))))
        return;
    const gw::SaveResult saved = gw::SaveItemFile(target.path, item, realm);
    if (!saved) {
        ShowError(&form, TMainForm::tr("Error opening file."), FromUtf8(saved.message));
        return;
    }
    ShowInformation(&form, FromUtf8(gw::ItemSavedMessage(target.path)));
}

// Lets the player pick a saved item of the slot's kind and reads it into the slot. Gives true
// when the slot was replaced.
bool LoadItemIntoSlot(TMainForm& form, int slot)
{
    if (form.ItemBrowser == nullptr)
        form.ItemBrowser = new TItemBrowser(&form);
    const int realm = form.Realm();
    form.ItemBrowser->Prepare(gw::ItemDirectory(ToPath(form.StartDir), realm),
                              "*" + std::string(gw::SlotExtension(slot)),
                              std::string(gw::RealmFileName(realm)));
    if (form.ItemBrowser->exec() != QDialog::Accepted)
        return false;
    const fs::path path = form.ItemBrowser->SelectedPath();
    if (path.empty())
        return false;
    // A file gone or unreadable since it was listed is reported like a refused one: the slot
    // keeps its item.
    const gw::ReadOutcome outcome = gw::LoadItemFile(path, form.Items[static_cast<std::size_t>(slot)], realm);
    if (!outcome.ok()) {
        ShowError(&form, FromUtf8(outcome.message));
        return false;
    }
    return true;
}

} // namespace

void TMainForm::ArmorSaveDropClick()
{
    SaveItemOfSlot(*this, ArmorItemName, CurrentArmourSlot());
}

void TMainForm::JewelrySaveClick()
{
    SaveItemOfSlot(*this, JewelryItemName, CurrentJewellerySlot());
}

void TMainForm::ArmorLoadDropClick()
{
    if (!LoadItemIntoSlot(*this, CurrentArmourSlot()))
        return;
    ItemsUndo::Action step(*m_undo, tr("Load Item"));
    LoadArmorItem();
    RefreshAll();
}

void TMainForm::JewelryLoadClick()
{
    if (!LoadItemIntoSlot(*this, CurrentJewellerySlot()))
        return;
    ItemsUndo::Action step(*m_undo, tr("Load Item"));
    LoadJewelryItem();
    RefreshAll();
}

void TMainForm::ReadSettings()
{
    const gw::SettingsReadResult read = gw::ReadSettings(ToPath(StartDir));
    const gw::Settings& settings = read.settings;
    ReportDefinition2 = FromUtf8(settings.ReportDefinition2);
    ReportDefinition1 = FromUtf8(settings.ReportDefinition1);
    if (read.found && read.message.empty()) {
        // Captions come from the file names; with the defaults the buttons keep "Config Report"
        // and "Order Form".
        GenerateReportButton2->setText(ReportButtonText(ReportDefinition2));
        GenerateReportButton->setText(ReportButtonText(ReportDefinition1));
        const QSignalBlocker quiet(RealmSelect);
        RealmSelect->setCurrentIndex(settings.realm);
    }
    if (!read.message.empty()) {
        // A settings file that exists but cannot be read: the defaults apply, and the player is
        // told once the window is up rather than in the middle of its construction.
        const QString message = FromUtf8(read.message);
        QTimer::singleShot(0, this, [this, message] { ShowError(this, message); });
    }
}

void TMainForm::WriteSettings()
{
    gw::Settings settings;
    settings.ReportDefinition2 = ReportDefinition2.toStdString();
    settings.ReportDefinition1 = ReportDefinition1.toStdString();
    settings.realm = Realm();
    // Closing says nothing when the settings cannot be written; the old file stays whole.
    gw::SaveSettings(ToPath(StartDir), settings);
}
