#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

#include "support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

// A staged Windows program run as a process of its own in a copy of its folder.
class StagedProgram {
  public:
    StagedProgram(const fs::path& program, const fs::path& folder) {
        const fs::path copy = folder / program.filename();
        fs::copy_file(program, copy, fs::copy_options::overwrite_existing);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring command = L"\"" + copy.wstring() + L"\"";
        started_ = CreateProcessW(copy.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  folder.c_str(), &startup, &process_) != FALSE;
    }
    ~StagedProgram() {
        if (started_) {
            if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(process_.hProcess, 1);
            }
            CloseHandle(process_.hThread);
            CloseHandle(process_.hProcess);
        }
    }
    StagedProgram(const StagedProgram&) = delete;
    StagedProgram& operator=(const StagedProgram&) = delete;

    bool started() const { return started_; }

    // A visible window of the program that `match` accepts, waited for up to `ms`.
    HWND waitForWindow(const std::function<bool(HWND)>& match, int ms = 15000) const {
        for (int waited = 0; waited < ms; waited += 50) {
            struct Search {
                DWORD process;
                const std::function<bool(HWND)>* match;
                HWND found;
            } search{process_.dwProcessId, &match, nullptr};
            EnumWindows(
                [](HWND window, LPARAM data) -> BOOL {
                    auto* s = reinterpret_cast<Search*>(data);
                    DWORD owner = 0;
                    GetWindowThreadProcessId(window, &owner);
                    if (owner == s->process && IsWindowVisible(window) && (*s->match)(window)) {
                        s->found = window;
                        return FALSE;
                    }
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&search));
            if (search.found != nullptr) {
                return search.found;
            }
            Sleep(50);
        }
        return nullptr;
    }

    // The exit code once the program has ended within `ms`; -1 while it runs.
    long exitCode(int ms) const {
        if (WaitForSingleObject(process_.hProcess, DWORD(ms)) != WAIT_OBJECT_0) {
            return -1;
        }
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        return long(code);
    }

  private:
    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

bool HasMenu(HWND window) {
    return GetMenu(window) != nullptr;
}

bool IsBox(HWND window) {
    wchar_t name[16];
    GetClassNameW(window, name, 16);
    return std::wstring(name) == L"#32770";
}

}  // namespace

// The staged Kestrel.exe starts on the Win32 backend, shows its main window, refuses a second
// instance with a box, and ends when its main window is closed.
TEST(StagedKestrel, StartsRefusesASecondInstanceAndEndsWhenClosed) {
    testing_support::TempFolder folder;
    const fs::path program = fs::path(KESTREL_STAGE_DIR) / "Kestrel.exe";
    StagedProgram first(program, folder.path());
    ASSERT_TRUE(first.started());
    const HWND main = first.waitForWindow(HasMenu);
    ASSERT_NE(main, nullptr) << "no main window";

    testing_support::TempFolder other;
    StagedProgram second(program, other.path());
    ASSERT_TRUE(second.started());
    const HWND box = second.waitForWindow(IsBox);
    ASSERT_NE(box, nullptr) << "the second instance shows no box";
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(second.exitCode(10000), 0);
    EXPECT_EQ(second.waitForWindow(HasMenu, 0), nullptr);

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.exitCode(10000), 0);
}

// The staged Plover.exe starts with its tester window and ends when that is closed.
TEST(StagedPlover, StartsAndEndsWhenItsWindowIsClosed) {
    testing_support::TempFolder folder;
    StagedProgram plover(fs::path(KESTREL_STAGE_DIR) / "Plover" / "Plover.exe", folder.path());
    ASSERT_TRUE(plover.started());
    const HWND tester = plover.waitForWindow(HasMenu);
    ASSERT_NE(tester, nullptr) << "no tester window";
    PostMessageW(tester, WM_CLOSE, 0, 0);
    EXPECT_EQ(plover.exitCode(10000), 0);
}
