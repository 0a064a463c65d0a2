// mozaru-cli on Windows: standard streams as bytes, arguments and messages in UTF-8.
#pragma once

#include <streambuf>
#include <string>
#include <vector>

namespace mozaru {

// Puts standard input and output in binary mode. In text mode a CR LF
// document would come out as CR CR LF and a Ctrl-Z byte would end the input.
void useBinaryStandardStreams();

// The arguments after the program's name, split by Windows' own rules
// (CommandLineToArgvW) and in UTF-8: a name outside the ANSI code page
// arrives whole instead of as "?".
std::vector<std::string> utf8Arguments();

// A stream buffer that shows the UTF-8 messages written to it on the console
// of standard error as UTF-16, whatever the console's code page. attached()
// is false when standard error is not a console (a file or a pipe), which
// then takes the UTF-8 bytes as they are.
class ConsoleMessages : public std::streambuf {
public:
    ConsoleMessages();
    ~ConsoleMessages() override;
    bool attached() const { return m_console != nullptr; }

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int sync() override;

private:
    void* m_console = nullptr;
    std::string m_pending;
};

}  // namespace mozaru
