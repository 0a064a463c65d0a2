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

}  // namespace mozaru::APIFunc
#endif
