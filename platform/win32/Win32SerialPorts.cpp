#include "Win32SerialPorts.h"

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <set>
#include <thread>

#include "Wide.h"
#include "platform/core/PortNames.h"
#include "platform/core/ReceptionNotice.h"

namespace platform {

namespace {

constexpr DWORD kWriteWaitMs = 500;
constexpr DWORD kDeviceBuffer = 2048;
// Receptions the program has not read yet stop the reader here, so a peer that floods a port
// the program is not reading cannot grow memory without bound.
constexpr std::size_t kMaxUnread = 1 << 20;

// Tells the operator's log once per port and line that the device cannot do something, such as
// a pseudo-terminal under Wine that has no DTR.
void ReportUnsupportedOnce(const std::string& port, const std::string& what) {
    static std::set<std::string> reported;
    if (reported.insert(port + what).second) {
        std::fprintf(stderr, "Kestrel: %s cannot %s; ignored\n", port.c_str(), what.c_str());
    }
}

class Win32SerialPort : public SerialPort {
  public:
    explicit Win32SerialPort(Win32EventLoop& loop)
        : loop_(loop), receiver_(loop.addReceiver([this] { received(); })) {}
    ~Win32SerialPort() override {
        close();
        loop_.removeReceiver(receiver_);
    }

    void setName(const std::string& name) override { name_ = name; }
    std::string name() const override { return name_; }
    void setSpeed(int baud) override {
        speed_ = baud;
        if (isOpen()) {
            applyLineSettings();
        }
    }
    int speed() const override { return speed_; }

    bool open() override {
        if (isOpen()) {
            return true;
        }
        const std::wstring device = Win32SerialPorts::DevicePath(name_);
        if (device.empty()) {
            return failOpen("not a COM port name");
        }
        handle_ = CreateFileW(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
        if (handle_ == INVALID_HANDLE_VALUE) {
            const DWORD code = GetLastError();
            return failOpen(code == ERROR_ACCESS_DENIED ? "the port is in use by another program"
                                                        : SystemErrorText(code));
        }
        SetupComm(handle_, kDeviceBuffer, kDeviceBuffer);
        // A read returns as soon as the line pauses for a millisecond after its first byte; a
        // reader waiting on comm events instead stalls now and then under Wine.
        COMMTIMEOUTS timeouts{};
        timeouts.ReadIntervalTimeout = 1;
        timeouts.WriteTotalTimeoutConstant = kWriteWaitMs;
        SetCommTimeouts(handle_, &timeouts);
        applyLineSettings();
        setDtr(false);
        setRts(false);
        error_.clear();
        openFailure_.clear();
        gone_ = false;
        stop_ = false;
        stopEvent_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        reader_ = std::thread([this] { readLoop(); });
        return true;
    }

    void close() override {
        if (!isOpen()) {
            return;
        }
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        roomFreed_.notify_all();
        SetEvent(stopEvent_);
        reader_.join();
        CloseHandle(stopEvent_);
        CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        std::lock_guard lock(mutex_);
        unread_.clear();
    }

    bool isOpen() const override { return handle_ != INVALID_HANDLE_VALUE; }
    std::string lastError() const override { return error_; }

    std::size_t write(const std::string& bytes) override {
        if (!isOpen()) {
            error_ = name_ + ": the device is not open" +
                     (openFailure_.empty() ? "" : " (" + openFailure_ + ")");
            return 0;
        }
        if (bytes.empty()) {
            return 0;
        }
        OVERLAPPED overlapped{};
        overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        DWORD sent = 0;
        if (!WriteFile(handle_, bytes.data(), DWORD(bytes.size()), &sent, &overlapped)) {
            if (GetLastError() != ERROR_IO_PENDING) {
                error_ = name_ + ": " + SystemErrorText(GetLastError());
                CloseHandle(overlapped.hEvent);
                return 0;
            }
            // The driver ends the write at its time-out; the wait is the guard for one that
            // does not.
            if (WaitForSingleObject(overlapped.hEvent, kWriteWaitMs + 100) != WAIT_OBJECT_0) {
                CancelIoEx(handle_, &overlapped);
            }
            GetOverlappedResult(handle_, &overlapped, &sent, TRUE);
        }
        CloseHandle(overlapped.hEvent);
        if (sent < bytes.size()) {
            // What did not go out within the write wait must not trickle out later.
            PurgeComm(handle_, PURGE_TXABORT | PURGE_TXCLEAR);
            error_ = name_ + ": write time-out";
        }
        return sent;
    }

    std::string readAll() override { return read(std::string::npos); }
    std::string read(std::size_t count) override {
        std::string taken;
        {
            std::lock_guard lock(mutex_);
            taken = unread_.substr(0, count);
            unread_.erase(0, taken.size());
        }
        roomFreed_.notify_all();
        return taken;
    }
    std::size_t bytesAvailable() const override {
        std::lock_guard lock(mutex_);
        return unread_.size();
    }

    void setDtr(bool on) override {
        if (isOpen() && !EscapeCommFunction(handle_, on ? SETDTR : CLRDTR)) {
            ReportUnsupportedOnce(name_, "set DTR");
        }
    }
    void setRts(bool on) override {
        if (isOpen() && !EscapeCommFunction(handle_, on ? SETRTS : CLRRTS)) {
            ReportUnsupportedOnce(name_, "set RTS");
        }
    }

    void onDataReceived(std::function<void()> handler) override { handler_ = std::move(handler); }

  private:
    bool failOpen(const std::string& reason) {
        openFailure_ = reason;
        error_ = name_ + ": " + reason;
        return false;
    }

    // 8N1 at the port's speed, no flow control, control lines driven only by setDtr/setRts.
    void applyLineSettings() {
        DCB dcb{};
        dcb.DCBlength = sizeof dcb;
        GetCommState(handle_, &dcb);
        dcb.BaudRate = DWORD(speed_);
        dcb.ByteSize = 8;
        dcb.Parity = NOPARITY;
        dcb.StopBits = ONESTOPBIT;
        dcb.fBinary = TRUE;
        dcb.fParity = FALSE;
        dcb.fOutxCtsFlow = FALSE;
        dcb.fOutxDsrFlow = FALSE;
        dcb.fDsrSensitivity = FALSE;
        dcb.fOutX = FALSE;
        dcb.fInX = FALSE;
        dcb.fNull = FALSE;
        dcb.fAbortOnError = FALSE;
        dcb.fDtrControl = DTR_CONTROL_DISABLE;
        dcb.fRtsControl = RTS_CONTROL_DISABLE;
        DCB applied{};
        applied.DCBlength = sizeof applied;
        if (!SetCommState(handle_, &dcb) || !GetCommState(handle_, &applied) ||
            applied.BaudRate != DWORD(speed_)) {
            ReportUnsupportedOnce(name_, "run at " + std::to_string(speed_) + " baud");
        }
    }

    // The reader thread: one overlapped read at a time, until close or a failing device.
    void readLoop() {
        OVERLAPPED overlapped{};
        overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        char buffer[4096];
        for (;;) {
            {
                std::unique_lock lock(mutex_);
                roomFreed_.wait(lock, [this] { return stop_ || unread_.size() < kMaxUnread; });
                if (stop_) {
                    break;
                }
            }
            ResetEvent(overlapped.hEvent);
            DWORD got = 0;
            if (!ReadFile(handle_, buffer, sizeof buffer, &got, &overlapped)) {
                if (GetLastError() != ERROR_IO_PENDING) {
                    deviceGone();
                    break;
                }
                const HANDLE waits[] = {overlapped.hEvent, stopEvent_};
                if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0) {
                    CancelIoEx(handle_, &overlapped);
                    GetOverlappedResult(handle_, &overlapped, &got, TRUE);
                    break;
                }
                if (!GetOverlappedResult(handle_, &overlapped, &got, FALSE)) {
                    deviceGone();
                    break;
                }
            }
            if (got == 0) {
                // Nothing came: wait a moment instead of spinning on a driver that returns at once.
                if (WaitForSingleObject(stopEvent_, 1) == WAIT_OBJECT_0) {
                    break;
                }
                continue;
            }
            {
                std::lock_guard lock(mutex_);
                unread_.append(buffer, got);
            }
            signalLoop();
        }
        CloseHandle(overlapped.hEvent);
    }

    void deviceGone() {
        gone_ = true;
        signalLoop();
    }

    void signalLoop() {
        if (!signalled_.exchange(true)) {
            loop_.signal(receiver_);
        }
    }

    // On the loop thread.
    void received() {
        signalled_ = false;
        if (gone_ && isOpen()) {
            // A vanished device (an unplugged adapter, a hung-up line) is closed at once, so its
            // writes fail instead of waiting for their time-out.
            close();
            openFailure_ = "the device has gone";
            return;
        }
        notice_.arrived();
    }

    Win32EventLoop& loop_;
    std::string name_;
    int speed_ = 9600;
    std::string error_;
    std::string openFailure_;
    std::function<void()> handler_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    HANDLE stopEvent_ = nullptr;
    std::thread reader_;
    mutable std::mutex mutex_;
    std::condition_variable roomFreed_;
    std::string unread_;
    bool stop_ = false;
    std::atomic<bool> gone_ = false;
    std::atomic<bool> signalled_ = false;
    Win32EventLoop::ReceiverId receiver_;
    // Receptions that come before the program reads join the same chunk.
    ReceptionNotice notice_{loop_, [this] {
                                if (handler_ && isOpen() && bytesAvailable() > 0) {
                                    handler_();
                                }
                            }};
};

}  // namespace

std::string SystemErrorText(unsigned long code) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message(text != nullptr ? text : L"", length);
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                                message.back() == L' ' || message.back() == L'.')) {
        message.pop_back();
    }
    return message.empty() ? "system error " + std::to_string(code) : Narrow(message);
}

std::unique_ptr<SerialPort> Win32SerialPorts::create() {
    return std::make_unique<Win32SerialPort>(loop_);
}

std::wstring Win32SerialPorts::DevicePath(const std::string& name) {
    return ComPortNumber(name) ? L"\\\\.\\" + Widen(name) : std::wstring();
}

PortPresence Win32SerialPorts::probe(const std::string& name) {
    const std::wstring device = DevicePath(name);
    if (device.empty()) {
        return PortPresence::Absent;
    }
    const HANDLE handle = CreateFileW(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return GetLastError() == ERROR_ACCESS_DENIED ? PortPresence::Busy : PortPresence::Absent;
    }
    CloseHandle(handle);
    return PortPresence::Present;
}

}  // namespace platform
