// A Windows program the tests start with an exact command line: it writes, as
// the variable MOZARU_PROBE asks, its argument text.
#include <fcntl.h>
#include <io.h>

#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>

#include "document/argument_text.h"

int main() {
    std::ios::sync_with_stdio(false);
    _setmode(_fileno(stdout), _O_BINARY);
    const char* variable = std::getenv("MOZARU_PROBE");
    const std::string_view mode = variable != nullptr ? variable : "";
    if (mode == "argument-text") {
        // UTF-16 as it is, so the test sees every code unit.
        const std::u16string text = mozaru::programArgumentText();
        std::cout.write(reinterpret_cast<const char*>(text.data()),
                        static_cast<std::streamsize>(text.size() * sizeof(char16_t)));
    } else {
        return 2;
    }
    return 0;
}
