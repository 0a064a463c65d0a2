// Registry access of the help command: the executable registered for opening
// web addresses (Windows only).
#pragma once

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>

namespace mozaru::APIFunc {

// Reads the value name of keyPath under rootKey into a 256-byte buffer and
// cuts the executable out of it (cutRegExePath); "-1" on any failure,
// including a value longer than the buffer.
std::u16string GetRegExePath(HKEY rootKey, const std::string& keyPath,
                             const std::string& valueName);

// The default browser's executable, or "-1": the open command of the ProgId
// the user chose for http (Windows 8 and later keep the choice under
// HKEY_CURRENT_USER's UrlAssociations\http\UserChoice) under
// HKEY_CLASSES_ROOT, else the machine's http command, which older Windows
// keep (HKEY_LOCAL_MACHINE\SOFTWARE\Classes\HTTP\shell\open\command).
std::u16string DefaultBrowserExePath();

}  // namespace mozaru::APIFunc
#endif
