// The program's argument text as Windows passes it.
#include "files/argument_text.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "files/paths.h"

namespace mozaru {

std::u16string programArgumentText() {
    const auto* line = reinterpret_cast<const char16_t*>(GetCommandLineW());
    return std::u16string(argumentsAfterProgramName(line != nullptr ? line : u""));
}

}  // namespace mozaru
