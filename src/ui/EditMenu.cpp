#include "ui/EditMenu.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QUndoStack>

namespace {

// The menu's texts stay in the main window's translation context, where they were first marked.
QString Tr(const char* text)
{
    return QCoreApplication::translate("TMainForm", text);
}

} // namespace

EditMenu BuildEditMenu(QMenuBar* bar, QUndoStack* stack, QWidget* parent)
{
    EditMenu edit;
    edit.menu = new QMenu(Tr("&Edit"), parent);
    edit.menu->setObjectName(QStringLiteral("Edit1"));
    bar->insertMenu(bar->actions().value(1, nullptr), edit.menu);
    edit.undo = edit.menu->addAction(Tr("&Undo"));
    edit.undo->setObjectName(QStringLiteral("Undo1"));
    edit.undo->setShortcuts(QKeySequence::Undo);
    edit.undo->setEnabled(false);
    edit.redo = edit.menu->addAction(Tr("&Redo"));
    edit.redo->setObjectName(QStringLiteral("Redo1"));
    edit.redo->setShortcuts(QKeySequence::Redo);
    edit.redo->setEnabled(false);
    QObject::connect(edit.undo, &QAction::triggered, stack, &QUndoStack::undo);
    QObject::connect(edit.redo, &QAction::triggered, stack, &QUndoStack::redo);
    QObject::connect(stack, &QUndoStack::canUndoChanged, edit.undo, &QAction::setEnabled);
    QObject::connect(stack, &QUndoStack::canRedoChanged, edit.redo, &QAction::setEnabled);
    QObject::connect(edit.menu, &QMenu::aboutToShow, edit.menu, [edit, stack] {
        const QString undo = stack->undoText();
        const QString redo = stack->redoText();
        edit.undo->setText(undo.isEmpty() ? Tr("&Undo") : Tr("&Undo %1").arg(undo));
        edit.redo->setText(redo.isEmpty() ? Tr("&Redo") : Tr("&Redo %1").arg(redo));
    });
    return edit;
}

void AddStandardKeys(QAction* action, QKeySequence::StandardKey standard, const QKeySequence& usual)
{
    QList<QKeySequence> keys = action->shortcuts();
    QList<QKeySequence> standardKeys = QKeySequence::keyBindings(standard);
    if (standardKeys.isEmpty())
        standardKeys << usual;
    for (const QKeySequence& key : standardKeys)
        if (!keys.contains(key))
            keys << key;
    action->setShortcuts(keys);
}
