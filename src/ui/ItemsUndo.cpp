#include "ui/ItemsUndo.h"

#include <utility>

#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QUndoCommand>
#include <QUndoStack>

bool SamePlan(const PlanState& a, const PlanState& b)
{
    for (std::size_t slot = 0; slot < a.items.size(); ++slot) {
        // Compared whole but for the capacity, so that a field added to the item is never missed.
        // Jewellery is never player-made: showing it clears a flag that no one can see or set.
        gw::GWItem left = a.items[slot];
        left.ImbuePoints = b.items[slot].ImbuePoints;
        if (static_cast<int>(slot) >= gw::FirstJewellerySlot)
            left.PlayerMade = b.items[slot].PlayerMade;
        if (!(left == b.items[slot]))
            return false;
    }
    return true;
}

// One step: the plan before and after it. The change has already happened when the step is
// pushed, so its first redo does nothing.
class ItemsCommand : public QUndoCommand {
public:
    using Snapshot = std::shared_ptr<const PlanState>;

    ItemsCommand(ItemsUndo& owner, Snapshot before, Snapshot after, const QString& text, const QObject* typedIn,
                 int generation, std::optional<std::pair<QString, QString>> fileNames)
        : QUndoCommand(text), m_owner(owner), m_before(std::move(before)), m_after(std::move(after)),
          m_typedIn(typedIn), m_generation(generation), m_fileNames(std::move(fileNames))
    {
    }

    // Only typing merges; every other action is a step of its own.
    int id() const override { return m_typedIn != nullptr ? 1 : -1; }

    bool mergeWith(const QUndoCommand* other) override
    {
        const auto* next = static_cast<const ItemsCommand*>(other);
        if (next->m_typedIn != m_typedIn || next->m_generation != m_generation || next->m_fileNames)
            return false;
        m_after = next->m_after;
        // Typing that ends where it began (text typed and deleted again) is no step at all.
        setObsolete(SamePlan(*m_before, *m_after));
        return true;
    }

    void undo() override
    {
        m_owner.Apply(m_before, m_fileNames ? std::optional<QString>(m_fileNames->first) : std::nullopt);
    }

    void redo() override
    {
        if (m_pushed) {
            m_pushed = false;
            return;
        }
        m_owner.Apply(m_after, m_fileNames ? std::optional<QString>(m_fileNames->second) : std::nullopt);
    }

private:
    ItemsUndo& m_owner;
    Snapshot m_before;
    Snapshot m_after;
    const QObject* m_typedIn;
    int m_generation;
    std::optional<std::pair<QString, QString>> m_fileNames;
    bool m_pushed = true;
};

namespace {

// An edit box answers the undo and redo keys for its own typing. When it has none to take back
// (its text was just loaded), the keys go on to the Edit menu instead of doing nothing.
class PlanUndoKeys : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const auto* edit = static_cast<QLineEdit*>(watched);
            if ((key->matches(QKeySequence::Undo) && !edit->isUndoAvailable()) ||
                (key->matches(QKeySequence::Redo) && !edit->isRedoAvailable())) {
                event->ignore();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

ItemsUndo::ItemsUndo(Current current, Restore restore, const PlanState& shownAtStart, QObject* parent)
    : QObject(parent), m_current(std::move(current)), m_restore(std::move(restore)), m_stack(new QUndoStack(this)),
      m_shownAtStart(std::make_shared<const PlanState>(shownAtStart))
{
    m_stack->setUndoLimit(StepLimit);
    m_last = std::make_shared<const PlanState>(m_current());
}

ItemsUndo::~ItemsUndo()
{
    // The steps call back into this object when deleted by the stack; let them go first.
    delete m_stack;
}

void ItemsUndo::Reset()
{
    m_shownAtStart.reset();
    m_stack->clear();
    m_last = std::make_shared<const PlanState>(m_current());
    ++m_editGeneration;
}

void ItemsUndo::MarkSaved()
{
    m_stack->setClean();
    ++m_editGeneration;
}

void ItemsUndo::Absorb()
{
    if (m_depth > 0 || m_restoring)
        return;
    m_shownAtStart.reset();
    m_last = std::make_shared<const PlanState>(m_current());
    ++m_editGeneration;
}

void ItemsUndo::CarryFileName(const QString& before, const QString& after)
{
    m_fileNames.emplace(before, after);
}

void ItemsUndo::WatchTypedEdit(QLineEdit* edit)
{
    connect(edit, &QLineEdit::editingFinished, this, &ItemsUndo::FinishTypedEdit);
}

void ItemsUndo::PassUndoKeys(QWidget* window)
{
    for (QLineEdit* edit : window->findChildren<QLineEdit*>())
        edit->installEventFilter(new PlanUndoKeys(edit));
}

void ItemsUndo::FinishTypedEdit()
{
    ++m_editGeneration;
}

void ItemsUndo::Record(const QString& text, const QObject* typedIn)
{
    auto fileNames = std::exchange(m_fileNames, std::nullopt);
    auto now = std::make_shared<const PlanState>(m_current());
    if (SamePlan(*m_last, *now)) {
        m_last = std::move(now);
        return;
    }
    Snapshot before = std::exchange(m_last, now);
    if (m_shownAtStart)
        before = std::exchange(m_shownAtStart, nullptr);
    m_stack->push(new ItemsCommand(*this, std::move(before), std::move(now), text, typedIn, m_editGeneration,
                                   std::move(fileNames)));
    if (typedIn == nullptr)
        ++m_editGeneration;
}

void ItemsUndo::Apply(const Snapshot& plan, const std::optional<QString>& fileName)
{
    {
        m_restoring = true;
        struct Done {
            bool& flag;
            ~Done() { flag = false; }
        } done{m_restoring};
        m_restore(*plan, fileName ? &*fileName : nullptr);
    }
    // Loading the tabs may bring the shown items in step with their controls; that is the base
    // of the next step, not a change of the player's.
    m_shownAtStart.reset();
    m_last = std::make_shared<const PlanState>(m_current());
    ++m_editGeneration;
}

ItemsUndo::Action::Action(ItemsUndo& undo, QString text, const QObject* typedIn, bool enabled)
    : m_undo(undo), m_text(std::move(text)), m_typedIn(typedIn),
      m_outermost(enabled && undo.m_depth == 0 && !undo.m_restoring)
{
    // Counted even when disabled, so that nothing run inside it counts as outermost.
    ++m_undo.m_depth;
}

ItemsUndo::Action::~Action()
{
    --m_undo.m_depth;
    if (m_outermost)
        m_undo.Record(m_text, m_typedIn);
}
