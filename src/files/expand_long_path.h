// Rebuilds a path with every component spelled as stored on disk.
#pragma once

#include <string>
#include <string_view>

namespace mozaru {

// Each component is looked up in its folder (wildcards "*" and "?" allowed,
// hidden entries skipped) and replaced by the first matching entry's stored
// name: "C:\PROGRA~1\logs\THREAD~1.HTM" becomes
// "C:\Program Files\logs\Thread Log.html". A component that cannot be found
// leaves the whole path as it was passed in. On Windows the drive ("C:") and a
// network beginning ("\\server\share") are kept; elsewhere a relative path is
// first made absolute from the current folder.
std::u16string ExpandLongPath(std::u16string_view path);

}  // namespace mozaru
