// The program's argument text as Windows passes it.
#pragma once

#include <string>

namespace mozaru {

// Everything after the program's name in GetCommandLineW(), unchanged
// (argumentsAfterProgramName): several paths, quoted or not, stay as typed.
std::u16string programArgumentText();

}  // namespace mozaru
