#include "Win32EventLoop.h"

#include <timeapi.h>

#include <algorithm>

namespace platform {

namespace {

constexpr UINT kWakeMessage = WM_APP + 1;
constexpr UINT kReceptionMessage = WM_APP + 2;
constexpr UINT_PTR kTimerId = 1;
constexpr const wchar_t* kHiddenClass = L"KestrelLoop";

}  // namespace

Win32EventLoop::Win32EventLoop() {
    QueryPerformanceFrequency(&frequency_);
    QueryPerformanceCounter(&start_);
    // Waits and the native timer fall due to the millisecond, not the default 15.6 ms tick.
    timeBeginPeriod(1);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = HiddenProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kHiddenClass;
    RegisterClassW(&windowClass);  // fails harmlessly when a previous loop registered it
    hidden_ = CreateWindowExW(0, kHiddenClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              windowClass.hInstance, nullptr);
    SetWindowLongPtrW(hidden_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32EventLoop::~Win32EventLoop() {
    DestroyWindow(hidden_);
    timeEndPeriod(1);
}

std::int64_t Win32EventLoop::now() const {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return (counter.QuadPart - start_.QuadPart) * 1000 / frequency_.QuadPart;
}

DateTime Win32EventLoop::wallNow() const {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

void Win32EventLoop::sleep(int ms) {
    Sleep(DWORD(std::max(0, ms)));
}

void Win32EventLoop::wake() {
    if (!wakePosted_) {
        wakePosted_ = PostMessageW(hidden_, kWakeMessage, 0, 0) != FALSE;
    }
}

void Win32EventLoop::timersChanged() {
    // The native timer serves the native modal loops; runUntil waits for the due time itself.
    const auto next = timers().nextDue();
    if (!next) {
        KillTimer(hidden_, kTimerId);
        return;
    }
    const auto delay =
        std::clamp<std::int64_t>(*next - now(), USER_TIMER_MINIMUM, 24 * 3600 * 1000);
    SetTimer(hidden_, kTimerId, UINT(delay), nullptr);
}

Win32EventLoop::ReceiverId Win32EventLoop::addReceiver(std::function<void()> receiver) {
    const ReceiverId id = nextReceiver_++;
    receivers_[id] = std::move(receiver);
    return id;
}

void Win32EventLoop::removeReceiver(ReceiverId id) {
    receivers_.erase(id);
}

void Win32EventLoop::signal(ReceiverId id) const {
    PostMessageW(hidden_, kReceptionMessage, 0, LPARAM(id));
}

void Win32EventLoop::deliverDue() {
    deliverPosted();
    timers().fireDue(now());
}

LRESULT CALLBACK Win32EventLoop::HiddenProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* loop = reinterpret_cast<Win32EventLoop*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (loop == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    switch (message) {
        case kWakeMessage:
            loop->wakePosted_ = false;
            loop->deliverDue();
            return 0;
        case kReceptionMessage:
            if (const auto it = loop->receivers_.find(ReceiverId(lParam));
                it != loop->receivers_.end()) {
                auto receiver = it->second;  // it may remove itself
                receiver();
            }
            return 0;
        case WM_TIMER:
            loop->deliverDue();
            loop->timersChanged();
            return 0;
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

void Win32EventLoop::pumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit();
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Win32EventLoop::processEvents() {
    pumpMessages();
    deliverDue();
}

void Win32EventLoop::runUntil(const std::function<bool()>& done) {
    while (!done() && !quitRequested()) {
        deliverDue();
        if (done() || quitRequested()) {
            break;
        }
        pumpMessages();
        if (hasPosted() || done() || quitRequested()) {
            continue;
        }
        // Wait for a message or the next due timer, whichever comes first.
        DWORD timeout = INFINITE;
        if (const auto next = timers().nextDue()) {
            timeout = DWORD(std::clamp<std::int64_t>(*next - now(), 0, 24 * 3600 * 1000));
        }
        if (timeout > 0) {
            MsgWaitForMultipleObjectsEx(0, nullptr, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        }
    }
}

}  // namespace platform
