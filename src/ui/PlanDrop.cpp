#include "ui/PlanDrop.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

QString DroppedPlan(const QMimeData* data)
{
    if (data == nullptr || !data->hasUrls())
        return {};
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        if (QFileInfo(path).suffix().compare(QStringLiteral("gwc"), Qt::CaseInsensitive) == 0)
            return path;
    }
    return {};
}

PlanDrop::PlanDrop(QWidget* window, std::function<void(const QString&)> open)
    : QObject(window), m_open(std::move(open))
{
    window->setAcceptDrops(true);
    window->installEventFilter(this);
    for (QLineEdit* edit : window->findChildren<QLineEdit*>())
        edit->installEventFilter(this);
}

bool PlanDrop::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (DroppedPlan(drag->mimeData()).isEmpty())
            break;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = DroppedPlan(drop->mimeData());
        if (path.isEmpty())
            break;
        drop->acceptProposedAction();
        // The drag's source waits for the drop to end; a question asked now would hold it.
        QTimer::singleShot(0, this, [this, path] { m_open(path); });
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
