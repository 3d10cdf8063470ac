// The caption of a report button for the report definition assigned to it.
#pragma once

#include <QString>

#include "io/SettingsFile.h"

// The file name without its last four characters (the ".rpt"), shown as it reads: an "&" in
// the name is a character, not the mark of a keyboard shortcut.
inline QString ReportButtonText(const QString& path)
{
    QString caption = QString::fromStdString(gw::ReportButtonCaption(path.toStdString()));
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return caption;
}
