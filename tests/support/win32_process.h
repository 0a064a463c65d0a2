// Test helper (Windows): starts the probe program with an exact command line
// and standard input, and returns what it writes on standard output.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace mozaru::test {

// commandLine is what the probe's GetCommandLineW() returns, mode its
// MOZARU_PROBE. The output is read after the input is written: keep both small.
inline std::string runProbe(std::wstring commandLine, const wchar_t* mode,
                            const std::string& input = {}) {
    wchar_t probe[MAX_PATH];
    GetFullPathNameW(L"" MOZARU_PROBE_PATH, MAX_PATH, probe, nullptr);
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE in[2], out[2];  // read end, write end
    CreatePipe(&in[0], &in[1], &inherit, 0);
    CreatePipe(&out[0], &out[1], &inherit, 0);
    SetHandleInformation(in[1], HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(out[0], HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in[0];
    startup.hStdOutput = out[1];
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    SetEnvironmentVariableW(L"MOZARU_PROBE", mode);
    PROCESS_INFORMATION process{};
    const bool started = CreateProcessW(probe, commandLine.data(), nullptr, nullptr, TRUE, 0,
                                        nullptr, nullptr, &startup, &process);
    CloseHandle(in[0]);
    CloseHandle(out[1]);
    DWORD done = 0;
    if (started) WriteFile(in[1], input.data(), DWORD(input.size()), &done, nullptr);
    CloseHandle(in[1]);
    std::string bytes;
    char buffer[4096];
    while (ReadFile(out[0], buffer, sizeof buffer, &done, nullptr) && done > 0) {
        bytes.append(buffer, done);
    }
    CloseHandle(out[0]);
    DWORD status = 1;
    if (started) {
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &status);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    if (status != 0) ADD_FAILURE() << "the probe did not start or failed: " << status;
    return bytes;
}

}  // namespace mozaru::test
