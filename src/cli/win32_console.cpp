// mozaru-cli on Windows: standard streams as bytes, arguments and messages in UTF-8.
#include "cli/win32_console.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// shellapi.h needs windows.h before it.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>

namespace mozaru {

namespace {

std::string toUtf8(const wchar_t* text) {
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1) return {};
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), bytes, nullptr, nullptr);
    out.pop_back();  // the terminating NUL
    return out;
}

}  // namespace

void useBinaryStandardStreams() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
}

std::vector<std::string> utf8Arguments() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> out;
    if (arguments == nullptr) return out;
    for (int i = 1; i < count; ++i) out.push_back(toUtf8(arguments[i]));
    LocalFree(arguments);
    return out;
}

ConsoleMessages::ConsoleMessages() {
    HANDLE handle = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && handle != nullptr && GetConsoleMode(handle, &mode)) {
        m_console = handle;
    }
}

ConsoleMessages::~ConsoleMessages() {
    sync();
}

ConsoleMessages::int_type ConsoleMessages::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    m_pending += traits_type::to_char_type(c);
    return c;
}

std::streamsize ConsoleMessages::xsputn(const char* s, std::streamsize n) {
    m_pending.append(s, static_cast<std::size_t>(n));
    return n;
}

int ConsoleMessages::sync() {
    if (m_console == nullptr || m_pending.empty()) return 0;
    // The messages are written whole, so a flush never splits a character.
    const int bytes = static_cast<int>(m_pending.size());
    const int units = MultiByteToWideChar(CP_UTF8, 0, m_pending.data(), bytes, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, m_pending.data(), bytes, text.data(), units);
    m_pending.clear();
    DWORD written = 0;
    return WriteConsoleW(m_console, text.data(), static_cast<DWORD>(units), &written, nullptr) ? 0
                                                                                               : -1;
}

}  // namespace mozaru
