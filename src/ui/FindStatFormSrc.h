// "Slots with ...": lists the slots that carry one effect with the bonus each contributes; a
// click on a line closes the dialog with OK and names the slot to jump to.
#pragma once

#include <vector>

#include <QDialog>

#include "model/SlotFinder.h"

class QListWidget;
class QListWidgetItem;
class QPushButton;
class QWidget;

class TFindStatForm : public QDialog {
    Q_OBJECT

public:
    explicit TFindStatForm(QWidget* parent = nullptr);

    // Replaces the caption and the whole list in one update; nothing is selected afterwards.
    void SetEntries(const QString& caption, const std::vector<gw::FinderLine>& lines);
    // The slot of the line whose click closed the dialog with OK; -1 before such a click.
    int ChosenSlot() const { return m_chosenSlot; }

    QListWidget* SlotList = nullptr;
    QWidget* Panel1 = nullptr;
    QPushButton* CloseButton = nullptr;

public slots:
    void SlotListClick(QListWidgetItem* item);

private:
    int m_chosenSlot = -1;
};
