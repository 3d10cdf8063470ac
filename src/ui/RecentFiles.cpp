#include "ui/RecentFiles.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include "ui/Preferences.h"

RecentFiles::RecentFiles(QMenu* menu, const QStringList& paths, QObject* parent)
    : QObject(parent), m_menu(menu), m_paths(paths.mid(0, Limit))
{
    Rebuild();
}

void RecentFiles::Add(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (!m_paths.isEmpty() && m_paths.first() == absolute)
        return;
    m_paths.removeAll(absolute);
    m_paths.prepend(absolute);
    while (m_paths.size() > Limit)
        m_paths.removeLast();
    Changed();
}

void RecentFiles::Remove(const QString& path)
{
    if (m_paths.removeAll(QFileInfo(path).absoluteFilePath()) > 0)
        Changed();
}

void RecentFiles::Clear()
{
    m_paths.clear();
    Changed();
}

void RecentFiles::Changed()
{
    // Written at once: a session that ends badly still remembers what it opened.
    prefs::WriteRecentFiles(m_paths);
    Rebuild();
}

void RecentFiles::Rebuild()
{
    // The old entries go once control is back in the event loop: the one being triggered may be
    // what asked for this rebuild.
    for (QAction* old : m_menu->actions()) {
        m_menu->removeAction(old);
        old->deleteLater();
    }
    QStringList names;
    for (const QString& path : m_paths)
        names << QFileInfo(path).fileName();
    for (qsizetype i = 0; i < m_paths.size(); ++i) {
        const QString& path = m_paths[i];
        // The file name alone, unless another entry has the same one.
        const QString shown = names.count(names[i]) > 1 ? QDir::toNativeSeparators(path) : names[i];
        QString text = shown;
        text.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* entry = m_menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(text));
        entry->setObjectName(QStringLiteral("RecentFile%1").arg(i + 1));
        entry->setStatusTip(QDir::toNativeSeparators(path));
        entry->setToolTip(entry->statusTip());
        connect(entry, &QAction::triggered, this, [this, path] { emit OpenRequested(path); });
    }
    m_menu->addSeparator()->setObjectName(QStringLiteral("RecentFilesSeparator"));
    QAction* clear = m_menu->addAction(tr("Clear List"));
    clear->setObjectName(QStringLiteral("ClearRecentFiles1"));
    clear->setEnabled(!m_paths.isEmpty());
    connect(clear, &QAction::triggered, this, &RecentFiles::Clear);
}
