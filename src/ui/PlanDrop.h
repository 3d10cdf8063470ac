// A configuration file dropped anywhere on a window opens as File > Open would open it.
#pragma once

#include <functional>

#include <QObject>
#include <QString>

class QMimeData;
class QWidget;

// The first local ".gwc" file among the dropped URLs, or an empty text.
QString DroppedPlan(const QMimeData* data);

class PlanDrop : public QObject {
    Q_OBJECT

public:
    // Watches `window` and its edit boxes, which would otherwise take a dropped file's name as
    // text. `open` runs once the drop is over, never inside it: it may ask questions.
    PlanDrop(QWidget* window, std::function<void(const QString&)> open);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const QString&)> m_open;
};
