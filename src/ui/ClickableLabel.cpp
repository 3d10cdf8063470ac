#include "ui/ClickableLabel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace {

// Takes the focus and the keys for its label; the mouse passes through to the label.
class LabelKey final : public QWidget {
public:
    explicit LabelKey(ClickableLabel* label) : QWidget(label), m_label(label)
    {
        setObjectName(QStringLiteral("LabelKey"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const int key = event->key();
        const bool press =
            key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Select;
        if (press && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            event->accept();
            m_label->Click();
            return;
        }
        QWidget::keyPressEvent(event);
    }

    void paintEvent(QPaintEvent*) override
    {
        // Without a frame the player could not see where Tab went.
        if (!hasFocus())
            return;
        QPainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.backgroundColor = m_label->palette().color(m_label->backgroundRole());
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }

private:
    ClickableLabel* m_label;
};

} // namespace

ClickableLabel::ClickableLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
    m_key = new LabelKey(this);
}

void ClickableLabel::Click()
{
    emit clicked();
}

void ClickableLabel::SetKeyboardReach(bool on)
{
    m_key->setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus);
    m_key->setGeometry(rect());
    m_key->setVisible(on);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    // A press dragged off the label and released elsewhere is no click.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Click();
}

void ClickableLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    m_key->setGeometry(rect());
}

void SetFigure(QLabel* label, const QString& text)
{
    if (label->text() != text)
        label->setText(text);
}
