// Undo and redo of the player's changes to the eighteen items. Each action that changes items is
// one step holding the plan before and after it (a snapshot of a few kilobytes); a step neither
// reads nor writes a control, so recording it costs the edit no painting. Typing into one box is
// one step until the edit is finished.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>

#include <QObject>
#include <QString>

#include "model/GWItem.h"

class QLineEdit;
class QUndoStack;
class QWidget;

// What one step takes back: the items and the realm they belong to.
struct PlanState {
    std::array<gw::GWItem, gw::SlotCount> items{};
    int realm = 0;
};

// Equal as the player sees the plan's items. The stored capacity is left out: the window
// recomputes it from an item's level and quality whenever the item is shown, which is no change
// of the player's. So is the realm: a realm change that clears nothing loses nothing.
bool SamePlan(const PlanState& a, const PlanState& b);

class ItemsUndo : public QObject {
    Q_OBJECT

public:
    // Steps kept; the oldest go first. A plan saved longer ago than that stays modified.
    static constexpr int StepLimit = 200;

    using Current = std::function<PlanState()>;
    // Puts a plan back: items, realm, the current tabs' controls and every figure. `fileName` is
    // given for a step that also changed the configuration file's name.
    using Restore = std::function<void(const PlanState& plan, const QString* fileName)>;

    // The plan `current` gives now is the clean starting point. `shownAtStart` is that plan as
    // the tabs show it, which the first step takes back to (the first armour tab shows its
    // designed level over a cleared item that has not stored it yet).
    ItemsUndo(Current current, Restore restore, const PlanState& shownAtStart, QObject* parent);
    ~ItemsUndo() override;

    QUndoStack* Stack() const { return m_stack; }
    bool Restoring() const { return m_restoring; }

    // A new plan (New, Open): no history, and the plan as it stands is the clean one.
    void Reset();
    // The plan was written: this is now the clean state.
    void MarkSaved();
    // Takes the plan as it stands as the base of the next step, without a step of its own. For
    // what the window does to the items that is no player's change (showing an item brings it
    // in step with its tab).
    void Absorb();
    // The step being recorded also changes the configuration file's name (a realm change).
    void CarryFileName(const QString& before, const QString& after);

    // Typing into `edit` continues one step until its edit is finished.
    void WatchTypedEdit(QLineEdit* edit);
    // In every edit box of `window`: while the box has no typing of its own to undo or redo, the
    // undo and redo keys go on to the plan instead of doing nothing.
    static void PassUndoKeys(QWidget* window);

    // One player action. Whatever it changes in the items becomes one step when the outermost
    // action ends; actions run inside it (a handler calling another) add nothing of their own.
    // A disabled action (the program loading a tab) records nothing, nor does anything inside it.
    class Action {
    public:
        Action(ItemsUndo& undo, QString text, const QObject* typedIn = nullptr, bool enabled = true);
        ~Action();
        Action(const Action&) = delete;
        Action& operator=(const Action&) = delete;

    private:
        ItemsUndo& m_undo;
        QString m_text;
        const QObject* m_typedIn;
        bool m_outermost;
    };

private:
    friend class ItemsCommand;
    using Snapshot = std::shared_ptr<const PlanState>;

    void Record(const QString& text, const QObject* typedIn);
    void Apply(const Snapshot& plan, const std::optional<QString>& fileName);
    void FinishTypedEdit();

    Current m_current;
    Restore m_restore;
    QUndoStack* m_stack;
    Snapshot m_last;
    // What the first step takes back to, until anything else becomes the base.
    Snapshot m_shownAtStart;
    std::optional<std::pair<QString, QString>> m_fileNames;
    int m_depth = 0;
    bool m_restoring = false;
    // Typing merges into the step before only within one unbroken edit of one box.
    int m_editGeneration = 0;
};
