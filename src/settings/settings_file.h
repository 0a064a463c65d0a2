// The settings file "Mozaru.ini" in the program's folder: read at start-up,
// rewritten in place at shut-down, never created.
#pragma once

#include <QString>
#include <optional>

#include "settings/settings_core.h"

namespace mozaru {

// The file in programFolder.
QString settingsFilePath(const QString& programFolder);

// Empty on success; otherwise the description for settingsErrorText. Values
// set by the lines before a failing line stay set. An empty LOADPASS gives
// programFolder, as passed.
std::optional<QString> readSettingsFile(const QString& programFolder, SettingsValues& values);

// Rewrites the file's known values. Nothing is written when the file is
// missing, unreadable or holds a line without "="; a failed write leaves the
// old file whole. The file keeps its encoding: UTF-8 (with its BOM, if it had
// one) when it had a BOM or was valid UTF-8 with non-ASCII text, else CP932;
// a character CP932 cannot hold makes a CP932 file UTF-8 with a BOM.
std::optional<QString> writeSettingsFile(const QString& programFolder,
                                         const SettingsValues& values);

// The warning shown for any settings failure, reading or writing (title
// kTitleWarning): five lines joined by CR LF, the description last.
QString settingsErrorText(const QString& description);

}  // namespace mozaru
