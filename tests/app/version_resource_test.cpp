// The window's version and icon resources, read back from the probe that carries their script.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

TEST(VersionResourceTest, IsTheProjectVersion) {
    wchar_t path[MAX_PATH];
    ASSERT_GT(GetFullPathNameW(L"" MOZARU_PROBE_PATH, MAX_PATH, path, nullptr), 0u);
    std::vector<char> data(GetFileVersionInfoSizeW(path, nullptr));
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, DWORD(data.size()), data.data()));
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", &value, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);  // 1.0
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000005u);  // .0.5
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
    ASSERT_TRUE(
        VerQueryValueW(data.data(), L"\\StringFileInfo\\041104B0\\FileVersion", &value, &length));
    EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(value)), L"1.0.0.5");
}

// Explorer shows the first icon group; Qt's Windows platform looks for IDI_ICON1.
TEST(VersionResourceTest, CarriesTheIcon) {
    wchar_t path[MAX_PATH];
    ASSERT_GT(GetFullPathNameW(L"" MOZARU_PROBE_PATH, MAX_PATH, path, nullptr), 0u);
    HMODULE module = LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    EXPECT_NE(FindResourceW(module, L"IDI_ICON1", MAKEINTRESOURCEW(14)), nullptr);  // RT_GROUP_ICON
    FreeLibrary(module);
}

}  // namespace
