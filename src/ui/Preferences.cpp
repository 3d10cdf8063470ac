#include "ui/Preferences.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QVariant>

namespace prefs {

namespace {

const QString RecentKey = QStringLiteral("RecentFiles/Paths");
const QString GeometryKey = QStringLiteral("Window/Geometry");

// A file that exists but does not parse is ignored as a whole: one damaged value must not be
// taken for the player's choice. QSettings itself never fails on one; it only says so.
bool Readable(const QSettings& settings)
{
    return settings.status() == QSettings::NoError;
}

} // namespace

QString FilePath()
{
    // The path is built here rather than left to QSettings' organisation and application names,
    // which the window title rules must not be able to move.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return base + QStringLiteral("/gemwright/preferences.conf");
}

Stored Read(int recentLimit)
{
    Stored stored;
    if (!QFileInfo(FilePath()).isFile())
        return stored;
    const QSettings settings(FilePath(), QSettings::IniFormat);
    if (!Readable(settings))
        return stored;
    for (const QString& path : settings.value(RecentKey).toStringList()) {
        if (stored.recentFiles.size() >= recentLimit)
            break;
        if (!path.isEmpty() && QDir::isAbsolutePath(path) && !stored.recentFiles.contains(path))
            stored.recentFiles << path;
    }
    stored.windowGeometry = settings.value(GeometryKey).toByteArray();
    return stored;
}

namespace {

void Write(const QString& key, const QVariant& value)
{
    const QString path = FilePath();
    // Not a regular file (a directory, say): leave it alone rather than fight it.
    if (QFileInfo(path).exists() && !QFileInfo(path).isFile())
        return;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSettings settings(path, QSettings::IniFormat);
    // A damaged file is replaced by a sound one holding what is written now.
    if (!Readable(settings))
        settings.clear();
    settings.setValue(key, value);
    settings.sync();
}

} // namespace

void WriteRecentFiles(const QStringList& paths)
{
    Write(RecentKey, paths);
}

void WriteWindowGeometry(const QByteArray& geometry)
{
    Write(GeometryKey, geometry);
}

} // namespace prefs
