#include "ui/ItemLevelSrc.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/Text.h"

namespace {

QRadioButton* MakeRadio(const char* name, const QString& caption, QWidget* parent)
{
    auto* radio = new QRadioButton(caption, parent);
    radio->setObjectName(QString::fromLatin1(name));
    return radio;
}

} // namespace

TItemLevelForm::TItemLevelForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ItemLevelForm"));
    setWindowTitle(tr("Item Level"));

    ArmorRadio = MakeRadio("ArmorRadio", tr("Armor"), this);
    ClothRadio = MakeRadio("ClothRadio", tr("Cloth Armor"), this);
    WeaponRadio = MakeRadio("WeaponRadio", tr("Weapon"), this);
    ShieldRadio = MakeRadio("ShieldRadio", tr("Shield"), this);
    ReinforcedRadio = MakeRadio("ReinforcedRadio", tr("Reinforced Shield"), this);
    m_kinds = new QButtonGroup(this);
    m_kinds->addButton(ArmorRadio, static_cast<int>(gw::ItemKind::Armor));
    m_kinds->addButton(ClothRadio, static_cast<int>(gw::ItemKind::Cloth));
    m_kinds->addButton(WeaponRadio, static_cast<int>(gw::ItemKind::Weapon));
    m_kinds->addButton(ShieldRadio, static_cast<int>(gw::ItemKind::Shield));
    m_kinds->addButton(ReinforcedRadio, static_cast<int>(gw::ItemKind::Reinforced));
    ArmorRadio->setChecked(true);

    Label1 = new QLabel(tr("af or dps:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    InputBox = new QLineEdit(QStringLiteral("102"), this);
    InputBox->setObjectName(QStringLiteral("InputBox"));
    Label1->setBuddy(InputBox);

    ShieldTier = new QComboBox(this);
    ShieldTier->setObjectName(QStringLiteral("ShieldTier"));
    for (const std::string& wood : gw::ShieldWoodListTexts())
        ShieldTier->addItem(FromCp1252(wood));
    ShieldTier->setCurrentIndex(0);
    ShieldTier->setEnabled(false);

    OKButton = new QPushButton(tr("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = new QPushButton(tr("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));

    auto* kinds = new QVBoxLayout;
    for (QAbstractButton* radio : m_kinds->buttons())
        kinds->addWidget(radio);
    auto* inputs = new QGridLayout;
    inputs->addWidget(Label1, 0, 0);
    inputs->addWidget(InputBox, 0, 1);
    inputs->addWidget(ShieldTier, 1, 0, 1, 2);
    inputs->setRowStretch(2, 1);
    auto* top = new QHBoxLayout;
    top->addLayout(kinds);
    top->addSpacing(12);
    top->addLayout(inputs);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto* whole = new QVBoxLayout(this);
    whole->addLayout(top);
    whole->addLayout(buttons);
    whole->setSizeConstraint(QLayout::SetFixedSize);

    // A radio button set by the program still calls its handler when its state changes; only
    // the button that became selected acts.
    const auto onSelected = [this](QRadioButton* radio, void (TItemLevelForm::*handler)()) {
        connect(radio, &QRadioButton::toggled, this, [this, handler](bool checked) {
            if (checked)
                (this->*handler)();
        });
    };
    onSelected(ArmorRadio, &TItemLevelForm::ArmorRadioClick);
    onSelected(ClothRadio, &TItemLevelForm::ClothRadioClick);
    onSelected(WeaponRadio, &TItemLevelForm::WeaponRadioClick);
    onSelected(ShieldRadio, &TItemLevelForm::ShieldRadioClick);
    onSelected(ReinforcedRadio, &TItemLevelForm::ReinforcedRadioClick);
    connect(InputBox, &QLineEdit::textChanged, this, &TItemLevelForm::InputBoxChange);
    connect(OKButton, &QPushButton::clicked, this, &TItemLevelForm::OKButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

gw::ItemKind TItemLevelForm::Kind() const
{
    const int id = m_kinds->checkedId();
    return id < 0 ? gw::ItemKind::Armor : static_cast<gw::ItemKind>(id);
}

void TItemLevelForm::ArmorRadioClick()
{
    chooseKind(gw::ItemKind::Armor);
}

void TItemLevelForm::ClothRadioClick()
{
    chooseKind(gw::ItemKind::Cloth);
}

void TItemLevelForm::WeaponRadioClick()
{
    chooseKind(gw::ItemKind::Weapon);
}

void TItemLevelForm::ShieldRadioClick()
{
    chooseKind(gw::ItemKind::Shield);
}

void TItemLevelForm::ReinforcedRadioClick()
{
    chooseKind(gw::ItemKind::Reinforced);
}

void TItemLevelForm::chooseKind(gw::ItemKind kind)
{
    const bool typed = gw::KindUsesInput(kind);
    // Shields keep whatever was typed; the other kinds start from their top value.
    if (typed)
        InputBox->setText(FromCp1252(gw::KindStartText(kind)));
    InputBox->setEnabled(typed);
    ShieldTier->setEnabled(!typed);
    if (kind == gw::ItemKind::Reinforced)
        ShieldTier->setCurrentIndex(gw::RaiseReinforcedWood(ShieldTier->currentIndex()));
}

void TItemLevelForm::InputBoxChange()
{
    const QString held = FromCp1252(gw::HoldLevelInput(Kind(), ToCp1252(InputBox->text())));
    // Writing the replacement runs this handler once more; the rule leaves its own replacement
    // as it is, and an equal text is no change, so it settles after one step.
    if (held != InputBox->text())
        InputBox->setText(held);
}

void TItemLevelForm::OKButtonClick()
{
    ComputedLevel = gw::ComputeItemLevel(Kind(), ToCp1252(InputBox->text()), ShieldTier->currentIndex());
    accept();
}
