// The window caption built from the program's version numbers.
#include "app/caption.h"

namespace mozaru {

std::string buildCaption(int major, int minor, int revision) {
    return "Mozaru (Version " + std::to_string(major) + "." + std::to_string(minor) +
           std::to_string(revision) + ")";
}

}  // namespace mozaru
