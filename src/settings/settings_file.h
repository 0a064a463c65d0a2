// The settings file "Mozaru.ini" in the program's folder: read at start-up,
// rewritten in place at shut-down. Where the program folder cannot be written
// (an installed copy), the file is rewritten into the user's configuration
// folder instead, and that copy is read from then on.
#pragma once

#include <QString>
#include <optional>

#include "settings/settings_core.h"

namespace mozaru {

// The file in programFolder.
QString settingsFilePath(const QString& programFolder);

// Empty on success; otherwise the description for settingsErrorText. Values
// set by the lines before a failing line stay set. An empty LOADPASS gives
// programFolder, as passed. userFolder (none when empty): the user's copy
// there is read when it exists.
std::optional<QString> readSettingsFile(const QString& programFolder, SettingsValues& values,
                                        const QString& userFolder = {});

// Rewrites the file's known values: the user's copy when there is one, else
// the program folder's file in place, or, when that cannot be written and
// userFolder is given, a copy of it in userFolder (created with the folder).
// Nothing is written when the file is missing, unreadable or holds a line
// without "="; a failed write leaves the old file whole. The file keeps its
// encoding: UTF-8 (with its BOM, if it had one) when it had a BOM or was
// valid UTF-8 with non-ASCII text, else CP932; a character CP932 cannot hold
// makes a CP932 file UTF-8 with a BOM.
std::optional<QString> writeSettingsFile(const QString& programFolder, const SettingsValues& values,
                                         const QString& userFolder = {});

// The warning shown for a settings failure (title kTitleWarning): five lines
// joined by CR LF, the description last; the first says whether the file was
// being read or written.
QString settingsErrorText(const QString& description, bool writing = false);

}  // namespace mozaru
