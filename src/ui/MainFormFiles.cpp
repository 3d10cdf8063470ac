// Configuration files, single item files and the settings file.
#include "ui/MainForm.h"

#include <QDir>

void TMainForm::Open1Click() {}

void TMainForm::Save1Click() {}

void TMainForm::SaveAs1Click() {}

void TMainForm::ArmorLoadDropClick() {}

void TMainForm::ArmorSaveDropClick() {}

void TMainForm::JewelryLoadClick() {}

void TMainForm::JewelrySaveClick() {}

void TMainForm::ReadSettings()
{
    ReportDefinition2 = StartDir + QDir::separator() + QStringLiteral("Config Report.rpt");
    ReportDefinition1 = StartDir + QDir::separator() + QStringLiteral("Mats List.rpt");
}

void TMainForm::WriteSettings() {}
