// The File menu's "Recent Files": the configurations last opened or saved, most recent first,
// kept in the preferences file so that the list outlives the session.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QAction;
class QMenu;

class RecentFiles : public QObject {
    Q_OBJECT

public:
    static constexpr int Limit = 8;

    // Fills `menu` (the submenu "RecentFiles1") with `paths`, at most Limit of them.
    RecentFiles(QMenu* menu, const QStringList& paths, QObject* parent);

    const QStringList& Paths() const { return m_paths; }
    // Puts the path first (moving it if listed) and keeps the list; the oldest falls off.
    void Add(const QString& path);
    void Remove(const QString& path);
    void Clear();

signals:
    // The player picked an entry; whoever opens it decides what happens to the list.
    void OpenRequested(const QString& path);

private:
    void Changed();
    void Rebuild();

    QMenu* m_menu;
    QStringList m_paths;
};
