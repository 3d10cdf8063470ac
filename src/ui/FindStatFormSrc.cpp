#include "ui/FindStatFormSrc.h"

#include <QListWidget>
#include <QPushButton>
#include <QWidget>

#include "ui/Text.h"

namespace {

constexpr int ClientWidth = 229;
constexpr int ClientHeight = 208;
constexpr int PanelHeight = 41;

} // namespace

TFindStatForm::TFindStatForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FindStatForm"));
    setWindowTitle(tr("Slots with stat"));
    setFixedSize(ClientWidth, ClientHeight);

    SlotList = new QListWidget(this);
    SlotList->setObjectName(QStringLiteral("SlotList"));
    SlotList->setToolTip(tr("Click to jump to a slot"));
    SlotList->setGeometry(0, 0, ClientWidth, ClientHeight - PanelHeight);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, ClientHeight - PanelHeight, ClientWidth, PanelHeight);
    CloseButton = new QPushButton(tr("Close"), Panel1);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    CloseButton->setGeometry(77, 8, 75, 25);
    CloseButton->setAutoDefault(false);

    connect(SlotList, &QListWidget::itemClicked, this, &TFindStatForm::SlotListClick);
    // Enter (or a double click) on the focused line jumps as a click does, for the keyboard.
    connect(SlotList, &QListWidget::itemActivated, this, &TFindStatForm::SlotListClick);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TFindStatForm::SetEntries(const QString& caption, const std::vector<gw::FinderLine>& lines)
{
    m_chosenSlot = -1;
    setWindowTitle(caption);
    SlotList->setUpdatesEnabled(false);
    SlotList->clear();
    for (const gw::FinderLine& line : lines) {
        auto* item = new QListWidgetItem(FromCp1252(line.text), SlotList);
        item->setData(Qt::UserRole, line.slot);
    }
    SlotList->setCurrentRow(-1);
    SlotList->setUpdatesEnabled(true);
}

void TFindStatForm::SlotListClick(QListWidgetItem* item)
{
    // A click below the last line selects nothing and closes nothing.
    if (item == nullptr || isHidden())
        return;
    m_chosenSlot = item->data(Qt::UserRole).toInt();
    accept();
}
