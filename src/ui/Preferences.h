// What the desktop program keeps for the player beside the planner's own settings file: the
// recently used configurations and the window's place. They live in a file of their own under
// the XDG configuration directory, so gemwright.ini stays exactly as the planner writes it.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace prefs {

// <XDG config>/gemwright/preferences.conf (by default ~/.config/gemwright/preferences.conf).
QString FilePath();

struct Stored {
    // The recent configurations, most recent first: absolute paths, no repeats.
    QStringList recentFiles;
    // The window geometry as QWidget::saveGeometry gives it; empty when there is none.
    QByteArray windowGeometry;
};

// What the file holds, at most `recentLimit` recent files. A missing, unreadable or damaged file
// gives the defaults (nothing).
Stored Read(int recentLimit);

// Each write keeps every other key. Failures are silent: losing a preference never stops work.
void WriteRecentFiles(const QStringList& paths);
void WriteWindowGeometry(const QByteArray& geometry);

} // namespace prefs
