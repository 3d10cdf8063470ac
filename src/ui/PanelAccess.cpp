#include "ui/PanelAccess.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>

#include "ui/ClickableLabel.h"
#include "ui/MainForm.h"

namespace {

// Marks a label whose accessible interface is a FigureAccessible.
const char* const FigureProperty = "gwFigure";

// A figure as assistive technology sees it: its spoken name and its text as the value. Qt's own
// interface for a label reads the name alone.
class FigureAccessible final : public QAccessibleWidget {
public:
    explicit FigureAccessible(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        const auto* label = static_cast<const QLabel*>(widget());
        switch (t) {
        case QAccessible::Name:
            return label->accessibleName();
        case QAccessible::Value:
            return label->text();
        default:
            return QAccessibleWidget::text(t);
        }
    }
};

// What takes a total's focus, as assistive technology sees it: a button named and valued as
// the total, whose press opens the finder as a click on the total does.
class TotalKeyAccessible final : public QAccessibleWidget {
public:
    TotalKeyAccessible(QWidget* key, ClickableLabel* total)
        : QAccessibleWidget(key, QAccessible::Button), m_total(total)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            return m_total->accessibleName();
        case QAccessible::Value:
            return m_total->text();
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& actionName) override
    {
        if (actionName == pressAction())
            m_total->Click();
        else
            QAccessibleWidget::doAction(actionName);
    }

private:
    ClickableLabel* m_total;
};

QAccessibleInterface* FigureFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("QWidget") && object->objectName() == QLatin1String("LabelKey")) {
        auto* total = qobject_cast<ClickableLabel*>(object->parent());
        return total != nullptr ? new TotalKeyAccessible(static_cast<QWidget*>(object), total) : nullptr;
    }
    if (className != QLatin1String("ClickableLabel") && className != QLatin1String("QLabel"))
        return nullptr;
    auto* label = qobject_cast<QLabel*>(object);
    if (label == nullptr || !label->property(FigureProperty).toBool())
        return nullptr;
    return new FigureAccessible(label);
}

// Qt makes and keeps its plain interface for a widget as soon as the widget reports a change
// (a label's first text, a widget hidden): drop it, so that the next question makes ours.
template <class Ours> void ForgetPlainInterface(QObject* object)
{
    QAccessibleInterface* cached = QAccessible::queryAccessibleInterface(object);
    if (cached != nullptr && dynamic_cast<Ours*>(cached) == nullptr)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(cached));
}

void NameFigure(QLabel* label, const QString& name)
{
    label->setProperty(FigureProperty, true);
    label->setAccessibleName(name);
    ForgetPlainInterface<FigureAccessible>(label);
}

QString Tr(const char* text)
{
    return QCoreApplication::translate("TMainForm", text);
}

// The name label's caption without its colon: "STR:" speaks as "STR".
QString Spoken(const QLabel* nameLabel)
{
    QString name = nameLabel->text();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name;
}

// Space, Enter or Return on the skill list opens the finder of its current line. The list's own
// "activated" would serve Enter too, but a desktop set to open on a single click sends it after
// every click as well, and the click already opened the finder.
class SkillListKeys final : public QObject {
public:
    explicit SkillListKeys(TMainForm& form) : QObject(form.TotalSkills), m_form(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool press = key->key() == Qt::Key_Space || key->key() == Qt::Key_Return ||
                               key->key() == Qt::Key_Enter || key->key() == Qt::Key_Select;
            if (press && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
                // The line with the focus frame is the one meant, even before the arrows have
                // selected it (Tab into the list makes the first line current, unselected).
                if (QListWidgetItem* line = m_form.TotalSkills->currentItem(); line != nullptr)
                    line->setSelected(true);
                m_form.TotalSkillsClick();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    TMainForm& m_form;
};

void OpenToKeyboard(ClickableLabel* total)
{
    total->SetKeyboardReach(true);
    ForgetPlainInterface<TotalKeyAccessible>(total->KeyTarget());
}

} // namespace

void MakeFiguresAccessible(TMainForm& form)
{
    static const bool installed = [] {
        QAccessible::installFactory(FigureFactory);
        return true;
    }();
    (void)installed;

    for (std::size_t i = 0; i < form.TotalStats.size(); ++i) {
        OpenToKeyboard(form.TotalStats[i]);
        NameFigure(form.TotalStats[i], Spoken(form.StatNameLabels[i]));
    }
    for (std::size_t i = 0; i < form.TotalResists.size(); ++i) {
        OpenToKeyboard(form.TotalResists[i]);
        NameFigure(form.TotalResists[i], Spoken(form.ResistNameLabels[i]));
    }
    OpenToKeyboard(form.TotalHits);
    NameFigure(form.TotalHits, Spoken(form.Label33));
    OpenToKeyboard(form.TotalPower);
    NameFigure(form.TotalPower, Spoken(form.Label34));
    for (std::size_t i = 0; i < form.TotalFocus.size(); ++i) {
        OpenToKeyboard(form.TotalFocus[i]);
        NameFigure(form.TotalFocus[i], Tr("Focus %1").arg(i + 1));
    }
    NameFigure(form.TotalCost, Tr("Total Cost"));

    // The skill list is a tab stop too, so that its lines can be chosen with the arrows.
    form.TotalSkills->setFocusPolicy(Qt::StrongFocus);
    form.TotalSkills->setAccessibleName(Tr("Skills"));
    form.TotalSkills->installEventFilter(new SkillListKeys(form));

    NameFigure(form.ArmorUsedPoints, Tr("Used Imbue Points"));
    NameFigure(form.ArmorImbuePoints, Tr("Imbue Points"));
    NameFigure(form.ArmorUtility, Tr("Utility"));
    NameFigure(form.ArmorOvercharge, Tr("Overcharge"));
    for (std::size_t k = 0; k < form.GemPoints.size(); ++k) {
        NameFigure(form.GemPoints[k], Tr("Gem %1 Points").arg(k + 1));
        NameFigure(form.GemCost[k], Tr("Gem %1 Cost").arg(k + 1));
        NameFigure(form.GemName[k], Tr("Gem %1 Name").arg(k + 1));
    }
    NameFigure(form.ItemCost, Tr("Item Cost"));
    NameFigure(form.JewelryUtility, Tr("Jewelry Utility"));
}
