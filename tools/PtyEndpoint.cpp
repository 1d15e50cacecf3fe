#include "PtyEndpoint.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

namespace tools {

namespace {
void MakeRaw(int fd) {
    termios t{};
    if (tcgetattr(fd, &t) == 0) {
        cfmakeraw(&t);
        tcsetattr(fd, TCSANOW, &t);
    }
}
}  // namespace

PtyEndpoint::PtyEndpoint(platform::EventLoop& loop) : loop_(loop) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        return;
    }
    slavePath_ = ptsname(master_);
    MakeRaw(master_);
    // Holding the slave open keeps the master from reading hang-ups between the program's opens;
    // raw mode keeps the line from echoing before the program configures it.
    slaveHold_ = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slaveHold_ >= 0) {
        MakeRaw(slaveHold_);
    }
    notifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { readable(); });
}

PtyEndpoint::~PtyEndpoint() {
    notifier_.reset();
    if (slaveHold_ >= 0) {
        ::close(slaveHold_);
    }
    if (master_ >= 0) {
        ::close(master_);
    }
}

void PtyEndpoint::send(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += std::size_t(n);
        } else if (n < 0 && errno == EAGAIN) {
            pollfd p{master_, POLLOUT, 0};
            poll(&p, 1, 100);
        } else {
            return;
        }
    }
}

void PtyEndpoint::readable() {
    std::string bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        bytes.append(buffer, std::size_t(n));
    }
    if (bytes.empty()) {
        return;
    }
    std::weak_ptr<bool> alive = alive_;
    loop_.post([this, alive, bytes] {
        if (alive.lock()) {
            deliver(bytes);
        }
    });
}

}  // namespace tools
