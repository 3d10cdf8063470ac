// "Item Level": derives an item's level from its armour factor, its DPS or its shield wood.
// Created once and reused, so the chosen kind, the typed text and the wood stay as the player
// left them from one opening to the next.
#pragma once

#include <QDialog>

#include "model/ItemLevel.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TItemLevelForm : public QDialog {
    Q_OBJECT

public:
    explicit TItemLevelForm(QWidget* parent = nullptr);

    // The kind whose radio button is selected.
    gw::ItemKind Kind() const;

    // The level worked out by the last OK; read it only after an OK.
    int ComputedLevel = 0;

    QRadioButton* ArmorRadio = nullptr;
    QRadioButton* ClothRadio = nullptr;
    QRadioButton* WeaponRadio = nullptr;
    QRadioButton* ShieldRadio = nullptr;
    QRadioButton* ReinforcedRadio = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* InputBox = nullptr;
    QComboBox* ShieldTier = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

public slots:
    void ArmorRadioClick();
    void ClothRadioClick();
    void WeaponRadioClick();
    void ShieldRadioClick();
    void ReinforcedRadioClick();
    void InputBoxChange();
    void OKButtonClick();

private:
    void chooseKind(gw::ItemKind kind);

    QButtonGroup* m_kinds = nullptr;
};
