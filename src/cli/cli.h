// The command-line tool mozaru-cli as a function over arguments and streams.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace mozaru {

// Exit statuses: 0 done, 1 a file could not be read or written, 2 usage error.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFileError = 1;
inline constexpr int kExitUsage = 2;

// args: the command line without the program name. errIsTerminal allows the
// progress line of batch runs on err; outIsTerminal makes UTF-8 the output
// encoding of out.
int runCli(std::vector<std::string> args, std::istream& in, std::ostream& out, std::ostream& err,
           bool errIsTerminal = false, bool outIsTerminal = false);

}  // namespace mozaru
