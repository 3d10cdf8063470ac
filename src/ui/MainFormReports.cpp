// The two report buttons and the assignment of report definitions to them.
#include "ui/MainForm.h"

void TMainForm::GenerateReportButtonClick() {}

void TMainForm::GenerateReportButton2Click() {}

void TMainForm::Assign1Click() {}
