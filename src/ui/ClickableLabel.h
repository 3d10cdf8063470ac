// A label that answers a click, for the totals and their name labels: clicking a total asks
// where its effect comes from.
#pragma once

#include <QLabel>

class ClickableLabel : public QLabel {
    Q_OBJECT

public:
    explicit ClickableLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// Shows a figure, touching the label only when the text differs: an unchanged label then costs
// neither a relayout nor a repaint.
void SetFigure(QLabel* label, const QString& text);
