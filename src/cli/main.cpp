// mozaru-cli's entry point: hands the command line and the standard streams to runCli.
#ifdef _WIN32
#include <io.h>

#include <cstdio>

#include "cli/win32_console.h"
#else
#include <unistd.h>

#include <clocale>
#endif

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <iostream>

#include "cli/cli.h"

int main(int argc, char** argv) {
#ifdef __GLIBC__
    // A batch allocates and frees buffers of a few megabytes per file. glibc
    // would hand them back to the system and fault fresh pages in for the next
    // file, which costs more than decoding it; kept, they are reused. Blocks
    // of more than 32 MB (one large page) are still mapped and unmapped alone.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
    std::ios::sync_with_stdio(false);
#ifdef _WIN32
    // argv is in the ANSI code page: the wide command line keeps every name.
    static_cast<void>(argc);
    static_cast<void>(argv);
    mozaru::useBinaryStandardStreams();
    mozaru::ConsoleMessages console;
    std::streambuf* const standardError = std::cerr.rdbuf();
    if (console.attached()) std::cerr.rdbuf(&console);
    const int status = mozaru::runCli(mozaru::utf8Arguments(), std::cin, std::cout, std::cerr,
                                      _isatty(_fileno(stderr)) != 0);
    std::cerr.flush();
    std::cerr.rdbuf(standardError);
    return status;
#else
    // The system's own words (a file's error) in the user's language and
    // characters; numbers stay as C writes them.
    std::setlocale(LC_CTYPE, "");
    std::setlocale(LC_MESSAGES, "");
    return mozaru::runCli(std::vector<std::string>(argv + 1, argv + argc), std::cin, std::cout,
                          std::cerr, isatty(STDERR_FILENO) != 0, isatty(STDOUT_FILENO) != 0);
#endif
}
