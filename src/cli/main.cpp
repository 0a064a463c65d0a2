// mozaru-cli's entry point: hands the command line and the standard streams to runCli.
#include <unistd.h>

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
    return mozaru::runCli(std::vector<std::string>(argv + 1, argv + argc), std::cin, std::cout,
                          std::cerr, isatty(STDERR_FILENO) != 0);
}
