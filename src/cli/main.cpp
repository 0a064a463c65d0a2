// mozaru-cli's entry point: hands the command line and the standard streams to runCli.
#include <unistd.h>

#include <iostream>

#include "cli/cli.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    return mozaru::runCli(std::vector<std::string>(argv + 1, argv + argc), std::cin, std::cout,
                          std::cerr, isatty(STDERR_FILENO) != 0);
}
