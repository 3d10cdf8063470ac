// Running one of the main window's shared file dialogs for one command.
#pragma once

#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QString>
#include <QStringList>

// Shows `dialog` on filter `filterIndex`, in `directory`, with `fileName` in its name box (empty
// clears it: the dialogs are shared, and a name typed for one command must not be offered to
// another, say a configuration to the report assignment). Gives the chosen path, or an empty
// text when the player cancels.
inline QString RunFileDialog(QFileDialog* dialog, const QStringList& filters, int filterIndex,
                             const QString& directory, const QString& fileName = {})
{
    dialog->setNameFilters(filters);
    dialog->selectNameFilter(filters.value(filterIndex));
    dialog->setDirectory(directory);
    if (!fileName.isEmpty())
        dialog->selectFile(fileName);
    else if (auto* nameBox = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        nameBox->clear();
    if (dialog->exec() != QDialog::Accepted)
        return {};
    return dialog->selectedFiles().value(0);
}
