#include "TerminationSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>

namespace platform {

namespace {

// The write end of the pipe of the watcher installed last; a signal handler can reach nothing
// else.
std::atomic<int> signalPipe{-1};

void OnSignal(int) {
    const int saved = errno;
    const char byte = 1;
    if (::write(signalPipe.load(), &byte, 1) < 0) {
        // A full pipe already holds a request; nothing else can be done in a signal handler.
    }
    errno = saved;
}

}  // namespace

TerminationSignals::TerminationSignals(EventLoop& loop, std::function<void()> request)
    : loop_(loop), request_(std::move(request)) {
    if (::pipe2(pipe_, O_NONBLOCK | O_CLOEXEC) != 0) {
        return;
    }
    previousPipe_ = signalPipe.exchange(pipe_[1]);
    notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { readable(); });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        sigaction(kSignals[i], &action, &previous_[i]);
    }
}

TerminationSignals::~TerminationSignals() {
    if (pipe_[0] < 0) {
        return;
    }
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        sigaction(kSignals[i], &previous_[i], nullptr);
    }
    signalPipe = previousPipe_;
    notifier_.reset();
    ::close(pipe_[0]);
    ::close(pipe_[1]);
}

void TerminationSignals::readable() {
    char bytes[16];
    while (::read(pipe_[0], bytes, sizeof bytes) > 0) {
    }
    // The program's handler runs from the loop's own code, as every other callback does.
    std::weak_ptr<bool> alive = alive_;
    loop_.post([this, alive] {
        if (alive.lock()) {
            request_();
        }
    });
}

}  // namespace platform
