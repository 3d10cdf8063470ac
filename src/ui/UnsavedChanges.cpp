#include "ui/UnsavedChanges.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>

#include "ui/GwApplication.h"

bool MaySetAsidePlan(QWidget* parent, bool modified, const QString& configFileName,
                     const std::function<bool()>& save)
{
    if (!modified)
        return true;
    // A plan never saved has no name of its own; the question calls it "Untitled".
    const QString name = configFileName.isEmpty() ? QCoreApplication::translate("UnsavedChanges", "Untitled")
                                                  : QFileInfo(configFileName).fileName();
    QMessageBox box(QMessageBox::Warning, GwApplication::Title(),
                    QCoreApplication::translate("UnsavedChanges", "Save changes to \"%1\"?").arg(name),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setObjectName(QStringLiteral("SaveChangesBox"));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return save();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}
