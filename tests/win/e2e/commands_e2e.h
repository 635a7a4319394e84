#pragma once
// The real Staywick.exe started with a command, as a script or a scheduled
// task would: its exit code, and what it prints on a console.
#include "win/common/process_helpers.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

namespace staywick::test {

class CommandsE2E : public PortableInstallTest {
protected:
    // Starts the exe with `args` and waits for its exit code.
    std::optional<DWORD> Run(const std::wstring& args, DWORD timeoutMs = 15000) {
        Process command = Process::Start(exe_, args);
        return command.WaitExit(timeoutMs);
    }
    // A running instance, past its start-up step.
    void StartInstance() {
        instance_ = Process::Start(exe_);
        ASSERT_NE(WaitForStartUp(instance_.Id()), nullptr);
    }
    // Starts the exe with `args` through cmd, its output going to a file as
    // from a console; the exit code and what it printed.
    std::pair<DWORD, std::string> RunFromConsole(const std::wstring& args) {
        const std::wstring out = dir_.File(L"out.txt");
        std::wstring cmd = L"cmd.exe /c \"\"" + exe_ + L"\" " + args + L" > \"" + out + L"\"\"";
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi{};
        if (!::CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                              nullptr, nullptr, &si, &pi))
            return {~0u, {}};
        DWORD code = ~0u;
        if (::WaitForSingleObject(pi.hProcess, 15000) == WAIT_OBJECT_0)
            ::GetExitCodeProcess(pi.hProcess, &code);
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
        return {code, ReadFileBytes(out)};
    }
    std::string Settings() { return ReadFileBytes(SettingsPath()); }
    bool SettingsHold(const std::string& line) {
        return Settings().find(line + "\r\n") != std::string::npos;
    }

    Process instance_;
};

} // namespace staywick::test
