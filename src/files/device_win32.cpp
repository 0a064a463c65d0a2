// Writing into Windows devices and pipes through their handle.
#include "files/device_win32.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <string>

namespace mozaru {

DeviceWriter::DeviceWriter(const std::u16string& path) {
    // The path as given: Qt would make "NUL" C:\folder\NUL behind \\?\, which
    // names no device.
    HANDLE handle = CreateFileW(reinterpret_cast<LPCWSTR>(path.c_str()), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return;
    if (GetFileType(handle) == FILE_TYPE_DISK) {
        CloseHandle(handle);  // a file: opened without change, saved atomically
        return;
    }
    m_handle = handle;
}

DeviceWriter::~DeviceWriter() {
    if (m_handle != nullptr) CloseHandle(m_handle);
}

bool DeviceWriter::write(std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(m_handle, bytes.data(), piece, &written, nullptr) || written == 0) {
            m_error = GetLastError();
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

std::u16string DeviceWriter::error() const {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, m_error, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    if (text == nullptr) {
        const std::string number = std::to_string(m_error);
        return u"Windows error " + std::u16string(number.begin(), number.end());
    }
    std::u16string message(reinterpret_cast<const char16_t*>(text), length);
    LocalFree(text);
    while (!message.empty() && (message.back() == u'\n' || message.back() == u'\r')) {
        message.pop_back();
    }
    return message;
}

}  // namespace mozaru
