// mozaru-cli's Windows streams and arguments, through the probe program that sets them up alike.
#include "cli/win32_console.h"

#include <gtest/gtest.h>

#include "support/win32_process.h"

namespace mozaru {
namespace {

TEST(Win32ConsoleTest, StandardStreamsCarryBytes) {
    // Text mode would turn LF into CR LF and end the input at the Ctrl-Z.
    const std::string bytes(
        "a\r\nb\x1A"
        "c\r\r\n\0\xFF",
        10);
    EXPECT_EQ(test::runProbe(L"mozaru-cli.exe", L"copy-input", bytes), bytes);
}

TEST(Win32ConsoleTest, ArgumentsArriveAsUtf8) {
    // 한 and € are not in code page 932.
    EXPECT_EQ(test::runProbe(L"\"C:\\My Apps\\mozaru-cli.exe\" \"C:\\My Logs\\a b.html\" "
                             L"スレ.html 한€.txt \"\" -o",
                             L"arguments"),
              "C:\\My Logs\\a b.html\nスレ.html\n한€.txt\n\n-o\n");
}

}  // namespace
}  // namespace mozaru
