// Registry access of the help command (Windows only).
#include "help/api_func.h"

#include <array>
#include <string>

#include "help/browser_path.h"

namespace mozaru::APIFunc {

std::u16string GetRegExePath(HKEY rootKey, const std::string& keyPath,
                             const std::string& valueName) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(rootKey, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return std::u16string(kNoBrowser);
    }
    std::array<BYTE, 256> buffer{};
    DWORD type = 0;
    DWORD size = 0;
    // Learns the value's size only; the result code does not matter here.
    RegQueryValueExA(key, valueName.c_str(), nullptr, &type, buffer.data(), &size);
    // A longer value would be written past the buffer: treat it as a failure.
    if (size > buffer.size() || RegQueryValueExA(key, valueName.c_str(), nullptr, &type,
                                                 buffer.data(), &size) != ERROR_SUCCESS) {
        RegCloseKey(key);
        return std::u16string(kNoBrowser);
    }
    if (RegCloseKey(key) != ERROR_SUCCESS) return std::u16string(kNoBrowser);

    // All 256 bytes, the zero-filled rest included, from the ANSI code page.
    const auto* bytes = reinterpret_cast<LPCCH>(buffer.data());
    const int count = static_cast<int>(buffer.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, bytes, count, nullptr, 0);
    if (length <= 0) return std::u16string(kNoBrowser);
    std::u16string text(static_cast<std::size_t>(length), u'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes, count, reinterpret_cast<LPWSTR>(text.data()), length);
    return cutRegExePath(text);
}

namespace {

// The ProgId the user chose for http links, or empty.
std::string userChoiceProgId() {
    std::array<char, 256> progId{};
    DWORD size = progId.size() - 1;
    if (RegGetValueA(HKEY_CURRENT_USER,
                     "Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\http\\"
                     "UserChoice",
                     "ProgId", RRF_RT_REG_SZ, nullptr, progId.data(), &size) != ERROR_SUCCESS) {
        return {};
    }
    return progId.data();
}

}  // namespace

std::u16string DefaultBrowserExePath() {
    const std::string progId = userChoiceProgId();
    if (!progId.empty()) {
        std::u16string chosen =
            GetRegExePath(HKEY_CLASSES_ROOT, progId + "\\shell\\open\\command", "");
        if (chosen != kNoBrowser) return chosen;
    }
    return GetRegExePath(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\HTTP\\shell\\open\\command", "");
}

}  // namespace mozaru::APIFunc
