// A label that answers a click, for the totals and their name labels: clicking a total asks
// where its effect comes from. Given a focus policy, the keyboard reaches it too: Tab stops on
// it, a focus frame shows, and Space, Enter or Return click it.
#pragma once

#include <QLabel>

class ClickableLabel : public QLabel {
    Q_OBJECT

public:
    explicit ClickableLabel(const QString& text, QWidget* parent = nullptr);

    // What a mouse click, a key or assistive technology's press does.
    void Click();

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

// Shows a figure, touching the label only when the text differs: an unchanged label then costs
// neither a relayout nor a repaint.
void SetFigure(QLabel* label, const QString& text);
