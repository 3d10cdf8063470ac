// The item level dialog on its own, driven as a player does: radio buttons clicked, text typed
// key by key into the input box, OK, Cancel and Escape.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <functional>

#include "support/GuiTest.h"
#include "ui/ItemLevelSrc.h"

using gwtest::ExecAnswered;

namespace {

// Replaces the whole input as a player does: select all, then type each key.
void TypeInput(TItemLevelForm& form, const QString& text)
{
    form.InputBox->setFocus();
    form.InputBox->selectAll();
    QTest::keyClicks(form.InputBox, text);
}

void ClickRadio(QRadioButton* radio)
{
    gwtest::Click(radio);
}

} // namespace

class ItemLevelTest : public QObject {
    Q_OBJECT

private slots:
    void designedStateAtCreation();
    void kindsSetTheirTextsAndEnabledStates();
    void reinforcedShieldRaisesTheWood();
    void typedInputIsHeldInRange_data();
    void typedInputIsHeldInRange();
    void weaponDecimalCannotBeTypedBelowTwo();
    void okComputesTheLevelOfEachKind();
    void cancelAndEscapeKeepTheLastLevel();
    void choicesPersistBetweenOpenings();
};

void ItemLevelTest::designedStateAtCreation()
{
    TItemLevelForm form;
    QCOMPARE(form.objectName(), QStringLiteral("ItemLevelForm"));
    QCOMPARE(form.windowTitle(), QStringLiteral("Item Level"));
    QVERIFY(form.ArmorRadio->isChecked());
    QCOMPARE(form.ArmorRadio->text(), QStringLiteral("Armor"));
    QCOMPARE(form.ClothRadio->text(), QStringLiteral("Cloth Armor"));
    QCOMPARE(form.WeaponRadio->text(), QStringLiteral("Weapon"));
    QCOMPARE(form.ShieldRadio->text(), QStringLiteral("Shield"));
    QCOMPARE(form.ReinforcedRadio->text(), QStringLiteral("Reinforced Shield"));
    QCOMPARE(form.Label1->text(), QStringLiteral("af or dps:"));
    QCOMPARE(form.InputBox->text(), QStringLiteral("102"));
    QVERIFY(form.InputBox->isEnabled());
    QVERIFY(!form.ShieldTier->isEnabled());
    QCOMPARE(form.ShieldTier->count(), 10);
    QCOMPARE(form.ShieldTier->currentIndex(), 0);
    QCOMPARE(form.ShieldTier->itemText(0), QStringLiteral("Rowan"));
    QCOMPARE(form.ShieldTier->itemText(9), QStringLiteral("Duskwood"));
    QVERIFY(form.OKButton->isDefault());
    QCOMPARE(form.CancelButton->text(), QStringLiteral("Cancel"));
    for (const char* name : {"ArmorRadio", "ClothRadio", "WeaponRadio", "ShieldRadio", "ReinforcedRadio",
                             "Label1", "InputBox", "ShieldTier", "OKButton", "CancelButton"})
        QVERIFY2(form.findChild<QWidget*>(QString::fromLatin1(name)) != nullptr, name);
}

void ItemLevelTest::kindsSetTheirTextsAndEnabledStates()
{
    TItemLevelForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    ClickRadio(form.ClothRadio);
    QCOMPARE(form.InputBox->text(), QStringLiteral("51"));
    ClickRadio(form.WeaponRadio);
    QCOMPARE(form.InputBox->text(), QStringLiteral("16.5"));
    QVERIFY(form.InputBox->isEnabled());
    QVERIFY(!form.ShieldTier->isEnabled());

    // The shields keep whatever the input held and take the wood instead.
    ClickRadio(form.ShieldRadio);
    QCOMPARE(form.InputBox->text(), QStringLiteral("16.5"));
    QVERIFY(!form.InputBox->isEnabled());
    QVERIFY(form.ShieldTier->isEnabled());

    ClickRadio(form.ArmorRadio);
    QCOMPARE(form.InputBox->text(), QStringLiteral("102"));
    QVERIFY(form.InputBox->isEnabled());
    QVERIFY(!form.ShieldTier->isEnabled());
    QVERIFY(!form.WeaponRadio->isChecked());
}

void ItemLevelTest::reinforcedShieldRaisesTheWood()
{
    TItemLevelForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    ClickRadio(form.ShieldRadio);
    form.ShieldTier->setCurrentIndex(1);
    QCOMPARE(form.ShieldTier->currentText(), QStringLiteral("Elm"));

    ClickRadio(form.ReinforcedRadio);
    QCOMPARE(form.ShieldTier->currentText(), QStringLiteral("Heartwood"));
    ClickRadio(form.ShieldRadio);
    QCOMPARE(form.ShieldTier->currentText(), QStringLiteral("Heartwood"));

    // A better wood than Heartwood is left alone.
    form.ShieldTier->setCurrentIndex(7);
    ClickRadio(form.ReinforcedRadio);
    QCOMPARE(form.ShieldTier->currentText(), QStringLiteral("Ebonwood"));
}

void ItemLevelTest::typedInputIsHeldInRange_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("armour 150") << "ArmorRadio" << "150" << "102";
    QTest::newRow("armour 0") << "ArmorRadio" << "0" << "1";
    QTest::newRow("armour 75") << "ArmorRadio" << "75" << "75";
    QTest::newRow("cloth 150") << "ClothRadio" << "150" << "51";
    QTest::newRow("cloth 0") << "ClothRadio" << "0" << "1";
    QTest::newRow("weapon 20") << "WeaponRadio" << "20" << "16.5";
    QTest::newRow("weapon 1") << "WeaponRadio" << "1" << "1";
    QTest::newRow("weapon 12.5") << "WeaponRadio" << "12.5" << "12.5";
}

void ItemLevelTest::typedInputIsHeldInRange()
{
    QFETCH(QString, kind);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    TItemLevelForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    ClickRadio(form.findChild<QRadioButton*>(kind));
    QSignalSpy changes(form.InputBox, &QLineEdit::textChanged);
    TypeInput(form, typed);
    QCOMPARE(form.InputBox->text(), shown);
    // One change per key plus at most one replacement per key: the rule never chases itself.
    QVERIFY(changes.count() <= 2 * typed.size());
}

void ItemLevelTest::weaponDecimalCannotBeTypedBelowTwo()
{
    TItemLevelForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    ClickRadio(form.WeaponRadio);
    // "1." reads as 1, below 1.5, and falls back to "1" before the 7 arrives.
    TypeInput(form, QStringLiteral("1.7"));
    QCOMPARE(form.InputBox->text(), QStringLiteral("16.5"));
    // Pasted whole it stands.
    form.InputBox->selectAll();
    form.InputBox->insert(QStringLiteral("1.7"));
    QCOMPARE(form.InputBox->text(), QStringLiteral("1.7"));
    // Emptied, the box falls back to "1".
    form.InputBox->selectAll();
    QTest::keyClick(form.InputBox, Qt::Key_Delete);
    QCOMPARE(form.InputBox->text(), QStringLiteral("1"));
}

void ItemLevelTest::okComputesTheLevelOfEachKind()
{
    TItemLevelForm form;
    const auto okWith = [&form](const std::function<void()>& setUp) {
        return ExecAnswered(form, [&] {
            setUp();
            QTest::mouseClick(form.OKButton, Qt::LeftButton);
        });
    };

    QCOMPARE(okWith([] {}), int(QDialog::Accepted));
    QCOMPARE(form.ComputedLevel, 51);

    QCOMPARE(okWith([&] { TypeInput(form, QStringLiteral("75")); }), int(QDialog::Accepted));
    QCOMPARE(form.ComputedLevel, 37);

    okWith([&] { ClickRadio(form.ClothRadio); });
    QCOMPARE(form.ComputedLevel, 51);

    okWith([&] { ClickRadio(form.WeaponRadio); });
    QCOMPARE(form.ComputedLevel, 51);

    // The weapon rule's fallback text gives a level below the capacity table.
    okWith([&] { TypeInput(form, QStringLiteral("1")); });
    QCOMPARE(form.ComputedLevel, -1);

    okWith([&] {
        ClickRadio(form.ShieldRadio);
        form.ShieldTier->setCurrentIndex(0);
    });
    QCOMPARE(form.ComputedLevel, 2);

    okWith([&] { form.ShieldTier->setCurrentIndex(3); });
    QCOMPARE(form.ComputedLevel, 15);

    // Enter presses the default button.
    okWith([&] {
        ClickRadio(form.ReinforcedRadio);
        QTest::keyClick(form.ShieldTier, Qt::Key_Return);
    });
    QCOMPARE(form.ComputedLevel, 26);
}

void ItemLevelTest::cancelAndEscapeKeepTheLastLevel()
{
    TItemLevelForm form;
    QCOMPARE(ExecAnswered(form, [&] { QTest::mouseClick(form.OKButton, Qt::LeftButton); }),
             int(QDialog::Accepted));
    QCOMPARE(form.ComputedLevel, 51);

    QCOMPARE(ExecAnswered(form,
                          [&] {
                              ClickRadio(form.ClothRadio);
                              TypeInput(form, QStringLiteral("20"));
                              QTest::mouseClick(form.CancelButton, Qt::LeftButton);
                          }),
             int(QDialog::Rejected));
    QCOMPARE(form.ComputedLevel, 51);

    QCOMPARE(ExecAnswered(form, [&] { QTest::keyClick(&form, Qt::Key_Escape); }), int(QDialog::Rejected));
    QCOMPARE(ExecAnswered(form, [&] { form.close(); }), int(QDialog::Rejected));
    QCOMPARE(form.ComputedLevel, 51);
}

void ItemLevelTest::choicesPersistBetweenOpenings()
{
    TItemLevelForm form;
    ExecAnswered(form, [&] {
        ClickRadio(form.WeaponRadio);
        TypeInput(form, QStringLiteral("9"));
        QTest::mouseClick(form.OKButton, Qt::LeftButton);
    });
    QCOMPARE(form.ComputedLevel, 26);

    bool weaponStill = false;
    QString textStill;
    ExecAnswered(form, [&] {
        weaponStill = form.WeaponRadio->isChecked();
        textStill = form.InputBox->text();
        form.reject();
    });
    QVERIFY(weaponStill);
    QCOMPARE(textStill, QStringLiteral("9"));

    ExecAnswered(form, [&] {
        ClickRadio(form.ShieldRadio);
        form.ShieldTier->setCurrentIndex(6);
        form.reject();
    });
    int woodStill = -1;
    ExecAnswered(form, [&] {
        woodStill = form.ShieldTier->currentIndex();
        form.reject();
    });
    QCOMPARE(woodStill, 6);
}

GW_UI_TEST_MAIN(ItemLevelTest)
#include "itemlevel_test.moc"
