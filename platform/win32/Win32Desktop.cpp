#include "Win32Desktop.h"

#include <commctrl.h>
#include <shellapi.h>

#include <vector>

#include "Wide.h"
#include "Win32SerialPorts.h"

namespace platform {

namespace {

class MutexLock : public InstanceLock {
  public:
    explicit MutexLock(HANDLE handle) : handle_(handle) {}
    ~MutexLock() override { CloseHandle(handle_); }

  private:
    HANDLE handle_;
};

// While a modal window or box is up, the program's other windows take no input; they are given
// it back, as they were, when it closes.
class ModalScope {
  public:
    explicit ModalScope(HWND modal) {
        EnumThreadWindows(GetCurrentThreadId(), Disable, reinterpret_cast<LPARAM>(this));
        modal_ = modal;
        if (modal_ != nullptr) {
            EnableWindow(modal_, TRUE);
        }
    }
    ~ModalScope() {
        for (HWND window : disabled_) {
            if (IsWindow(window)) {
                EnableWindow(window, TRUE);
            }
        }
        if (owner_ != nullptr && IsWindow(owner_)) {
            SetActiveWindow(owner_);
        }
    }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

    // The window the modal one belongs to: the one that was active.
    HWND owner() const { return owner_; }

  private:
    static BOOL CALLBACK Disable(HWND window, LPARAM self) {
        auto* scope = reinterpret_cast<ModalScope*>(self);
        if (IsWindowVisible(window) && IsWindowEnabled(window)) {
            if (window == GetActiveWindow()) {
                scope->owner_ = window;
            }
            EnableWindow(window, FALSE);
            scope->disabled_.push_back(window);
        }
        return TRUE;
    }

    HWND modal_ = nullptr;
    HWND owner_ = nullptr;
    std::vector<HWND> disabled_;
};

}  // namespace

InstanceLockAttempt LockInstance(const std::string& name) {
    const HANDLE handle = CreateMutexW(nullptr, TRUE, Widen(name).c_str());
    if (handle == nullptr) {
        // A name taken by another kind of object, or no right to it.
        return {nullptr, "The single-instance lock \"" + name +
                             "\" cannot be taken: " + SystemErrorText(GetLastError())};
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(handle);
        return {};
    }
    return {std::make_unique<MutexLock>(handle), {}};
}

namespace {

// The console's close, Ctrl+C and Ctrl+Break, and the end of the session, come on a thread of
// their own: they are handed to the loop thread.
Win32EventLoop* gTerminationLoop = nullptr;
Win32EventLoop::ReceiverId gTerminationReceiver = 0;

BOOL WINAPI ConsoleControl(DWORD) {
    if (gTerminationLoop == nullptr) {
        return FALSE;
    }
    gTerminationLoop->signal(gTerminationReceiver);
    return TRUE;
}

}  // namespace

Win32Desktop::Win32Desktop(Win32EventLoop& loop) : loop_(loop) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_PROGRESS_CLASS |
                                                       ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES |
                                                       ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    LoadLibraryW(L"Msftedit.dll");  // the log panes' rich edit
}

Win32Desktop::~Win32Desktop() {
    if (terminationReceiver_ != 0) {
        setTerminationHandler({});
        loop_.removeReceiver(terminationReceiver_);
    }
}

void Win32Desktop::setApplicationTitle(const std::string& title) {
    title_ = title;
}

BoxAnswer Win32Desktop::messageBox(BoxIcon icon, const std::string& text, BoxButtons buttons) {
    UINT style = buttons == BoxButtons::YesNo ? MB_YESNO : MB_OK;
    switch (icon) {
        case BoxIcon::Information:
            style |= MB_ICONINFORMATION;
            break;
        case BoxIcon::Warning:
            style |= MB_ICONWARNING;
            break;
        case BoxIcon::Error:
            style |= MB_ICONERROR;
            break;
        case BoxIcon::Question:
            style |= MB_ICONQUESTION;
            break;
        case BoxIcon::None:
            break;
    }
    std::string lines = text;
    for (std::size_t at = 0; (at = lines.find('\r', at)) != std::string::npos; at += 2) {
        if (at + 1 >= lines.size() || lines[at + 1] != '\n') {
            lines.insert(at + 1, 1, '\n');
        }
    }
    // The box runs its own message loop; the loop's hidden window keeps every timer and reception
    // running underneath.
    ModalScope scope(nullptr);
    const int answer = MessageBoxW(scope.owner(), Widen(lines).c_str(), Widen(title_).c_str(),
                                   style | MB_SETFOREGROUND);
    switch (answer) {
        case IDYES:
            return BoxAnswer::Yes;
        case IDNO:
            return BoxAnswer::No;
        default:
            return buttons == BoxButtons::YesNo ? BoxAnswer::No : BoxAnswer::Ok;
    }
}

FormRenderer& Win32Desktop::render(Form& form) {
    auto& renderer = renderers_[&form];
    if (!renderer) {
        renderer = std::make_unique<FormRenderer>(loop_, form, [this, &form] {
            // Released after the form's destruction has run to its end.
            loop_.post([this, key = &form] { renderers_.erase(key); });
        });
    }
    return *renderer;
}

void Win32Desktop::show(Form& form) {
    FormRenderer& renderer = render(form);
    form.markShown();
    ShowWindow(renderer.window(), SW_SHOW);
    UpdateWindow(renderer.window());
}

void Win32Desktop::showModal(Form& form) {
    FormRenderer& renderer = render(form);
    ModalScope scope(renderer.window());
    if (scope.owner() != nullptr) {
        // Owned by the window it was opened over, it stays above that window.
        SetWindowLongPtrW(renderer.window(), GWLP_HWNDPARENT,
                          reinterpret_cast<LONG_PTR>(scope.owner()));
    }
    form.markShown();
    ShowWindow(renderer.window(), SW_SHOW);
    SetForegroundWindow(renderer.window());
    loop_.runUntil([&] { return !form.isShown(); });
}

void Win32Desktop::repaint(Form& form) {
    if (FormRenderer* renderer = rendererFor(form)) {
        RedrawWindow(renderer->window(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
}

FormRenderer* Win32Desktop::rendererFor(const Form& form) const {
    const auto it = renderers_.find(&form);
    return it == renderers_.end() ? nullptr : it->second.get();
}

bool Win32Desktop::openDocument(const std::filesystem::path& path) {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", path.wstring().c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

bool Win32Desktop::startProgram(const std::filesystem::path& path) {
    // Started in its own folder, where it finds its language file and manual.
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", path.wstring().c_str(), nullptr,
                      path.parent_path().wstring().c_str(), SW_SHOWNORMAL));
    return result > 32;
}

ScreenSize Win32Desktop::screenSize() const {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

InstanceLockAttempt Win32Desktop::lockInstance(const std::string& name) {
    return LockInstance(name);
}

void Win32Desktop::setTerminationHandler(std::function<void()> handler) {
    termination_ = std::move(handler);
    if (terminationReceiver_ == 0) {
        terminationReceiver_ = loop_.addReceiver([this] {
            if (termination_) {
                termination_();
            }
        });
    }
    gTerminationLoop = termination_ ? &loop_ : nullptr;
    gTerminationReceiver = terminationReceiver_;
    SetConsoleCtrlHandler(ConsoleControl, termination_ ? TRUE : FALSE);
}

void Win32Desktop::reportError(const std::string& message) {
    messageBox(BoxIcon::Error, message, BoxButtons::Ok);
}

std::filesystem::path Win32Desktop::programFolder() const {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return std::filesystem::path(path).parent_path();
}

void Win32Desktop::writeRegionalFormats() {
    // A failure here is of no consequence: the program's own formats are fixed regardless.
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, L".");
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, L"dd.MM.yyyy");
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, L"HH:mm:ss");
}

}  // namespace platform
