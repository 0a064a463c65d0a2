// Test helper (Windows): this process's HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE
// and HKEY_CLASSES_ROOT point at scratch keys for one test, so that it writes
// the values a program reads there without touching the real ones.
#pragma once

#include <windows.h>

#include <array>
#include <string>

namespace mozaru::test {

class ScratchRegistry {
public:
    ScratchRegistry() {
        RegDeleteTreeA(HKEY_CURRENT_USER, kScratch);
        for (std::size_t i = 0; i < kRoots.size(); ++i) {
            const std::string path = std::string(kScratch) + "\\" + std::to_string(i);
            RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &m_keys[i], nullptr);
        }
        for (std::size_t i = 0; i < kRoots.size(); ++i) RegOverridePredefKey(kRoots[i], m_keys[i]);
    }
    ~ScratchRegistry() {
        for (std::size_t i = 0; i < kRoots.size(); ++i) {
            RegOverridePredefKey(kRoots[i], nullptr);
            RegCloseKey(m_keys[i]);
        }
        RegDeleteTreeA(HKEY_CURRENT_USER, kScratch);
    }
    ScratchRegistry(const ScratchRegistry&) = delete;
    ScratchRegistry& operator=(const ScratchRegistry&) = delete;

    // A string value (the ANSI code page's bytes), its key made as needed.
    static void set(HKEY root, const std::string& keyPath, const char* valueName,
                    const std::string& value) {
        HKEY key = nullptr;
        RegCreateKeyExA(root, keyPath.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
        RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
        RegCloseKey(key);
    }

private:
    static constexpr const char* kScratch = "Software\\Mozaru Tests\\scratch registry";
    static inline const std::array<HKEY, 3> kRoots{HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE,
                                                   HKEY_CLASSES_ROOT};
    std::array<HKEY, 3> m_keys{};
};

}  // namespace mozaru::test
