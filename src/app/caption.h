// The window caption built from the program's version numbers.
#pragma once

#include <string>

namespace mozaru {

// "Mozaru (Version " major "." minor revision ")": no separator between the
// minor number and the revision, so 1, 0, 5 reads "Mozaru (Version 1.05)".
std::string buildCaption(int major, int minor, int revision);

}  // namespace mozaru
