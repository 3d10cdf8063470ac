// A label that answers a click, for the totals and their name labels: clicking a total asks
// where its effect comes from. With keyboard reach, Tab stops on it too and Space, Enter or
// Return click it.
#pragma once

#include <QLabel>

class ClickableLabel : public QLabel {
    Q_OBJECT

public:
    explicit ClickableLabel(const QString& text, QWidget* parent = nullptr);

    // What a mouse click, a key or assistive technology's press does.
    void Click();

    // The keys go to a transparent child that covers the label, not to the label itself: a
    // focusable QLabel keeps a text document that it rebuilds at every new text, which would
    // make each edit cost more. The child is made with the label, so that Tab reaches it in
    // the label's place among the window's controls.
    void SetKeyboardReach(bool on);
    // The widget that takes the focus and the keys for the label.
    QWidget* KeyTarget() const { return m_key; }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* m_key = nullptr;
};

// Shows a figure, touching the label only when the text differs: an unchanged label then costs
// neither a relayout nor a repaint.
void SetFigure(QLabel* label, const QString& text);
