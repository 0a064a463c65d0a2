// A Windows program the tests start with an exact command line: it writes, as
// the variable MOZARU_PROBE asks, its argument text or its arguments, or copies
// standard input to standard output, with the streams set up as mozaru-cli's.
// Started detached, it writes its arguments to the file MOZARU_PROBE_FILE
// names instead (whole: made beside it and renamed).
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "cli/win32_console.h"
#include "files/argument_text.h"

int main() {
    std::ios::sync_with_stdio(false);
    mozaru::useBinaryStandardStreams();
    const char* variable = std::getenv("MOZARU_PROBE");
    const std::string_view mode = variable != nullptr ? variable : "";
    if (mode == "argument-text") {
        // UTF-16 as it is, so the test sees every code unit.
        const std::u16string text = mozaru::programArgumentText();
        std::cout.write(reinterpret_cast<const char*>(text.data()),
                        static_cast<std::streamsize>(text.size() * sizeof(char16_t)));
    } else if (mode == "arguments") {
        for (const std::string& argument : mozaru::utf8Arguments()) std::cout << argument << '\n';
    } else if (mode == "arguments-to-file") {
        const char* target = std::getenv("MOZARU_PROBE_FILE");
        if (target == nullptr) return 2;
        const std::string partial = std::string(target) + ".part";
        {
            std::ofstream out(partial, std::ios::binary);
            for (const std::string& argument : mozaru::utf8Arguments()) out << argument << '\n';
        }
        return std::rename(partial.c_str(), target) == 0 ? 0 : 1;
    } else if (mode == "copy-input") {
        std::cout << std::cin.rdbuf();
    } else {
        return 2;
    }
    return 0;
}
