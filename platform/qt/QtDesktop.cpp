#include "QtDesktop.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QUrl>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

namespace platform {

namespace {

#ifdef Q_OS_WIN
class MutexLock : public InstanceLock {
  public:
    explicit MutexLock(HANDLE handle) : handle_(handle) {}
    ~MutexLock() override { CloseHandle(handle_); }

  private:
    HANDLE handle_;
};
#else
// An exclusive lock on a file: the system drops it when the process ends, however it ends. The
// file goes as the lock is let go, and a lock counts only on the file still at the path, so a
// process that opened the file just before it went cannot hold a lock of its own.
class FileLock : public InstanceLock {
  public:
    FileLock(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    ~FileLock() override {
        ::unlink(path_.c_str());
        ::close(fd_);
    }

  private:
    int fd_;
    std::string path_;
};

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}
#endif

}  // namespace

#ifdef Q_OS_WIN
InstanceLockAttempt LockInstance(const std::string& name) {
    HANDLE handle = CreateMutexA(nullptr, TRUE, name.c_str());
    if (handle == nullptr) {
        return {nullptr, "The single-instance lock \"" + name + "\" cannot be taken: error " +
                             std::to_string(GetLastError())};
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(handle);
        return {};
    }
    return {std::make_unique<MutexLock>(handle), {}};
}
#else
std::string InstanceLockPath(const std::string& name) {
    // A fixed folder and the user's number, never the environment: one instance per user on the
    // machine, however the program was started.
    return "/tmp/" + name + "-" + std::to_string(::getuid()) + ".lock";
}

InstanceLockAttempt LockInstance(const std::string& name) {
    const std::string path = InstanceLockPath(name);
    const auto failure = [&path](const std::string& why) {
        return InstanceLockAttempt{nullptr,
                                   "The single-instance lock " + path + " cannot be taken: " + why};
    };
    for (;;) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            return failure(std::strerror(errno));
        }
        struct stat opened {};
        if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || opened.st_uid != ::getuid()) {
            ::close(fd);
            return failure("it is not a file of this user");
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            if (error == EWOULDBLOCK) {
                return {};  // another instance holds it
            }
            return failure(std::strerror(error));
        }
        struct stat current {};
        if (::stat(path.c_str(), &current) == 0 && SameFile(current, opened)) {
            return {std::make_unique<FileLock>(fd, path), {}};
        }
        ::close(fd);  // the holder let go and removed it meanwhile: take the new one
    }
}
#endif

QtDesktop::QtDesktop(QtEventLoop& loop) : loop_(loop) {}

QtDesktop::~QtDesktop() = default;

void QtDesktop::setApplicationTitle(const std::string& title) {
    title_ = title;
}

BoxAnswer QtDesktop::messageBox(BoxIcon icon, const std::string& text, BoxButtons buttons) {
    QMessageBox box;
    box.setWindowTitle(QString::fromStdString(title_));
    // Box texts carry names read from files: shown as they are, never as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdString(text).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    switch (icon) {
        case BoxIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case BoxIcon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case BoxIcon::Error:
            box.setIcon(QMessageBox::Critical);
            break;
        case BoxIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case BoxIcon::None:
            break;
    }
    box.setStandardButtons(buttons == BoxButtons::YesNo ? QMessageBox::Yes | QMessageBox::No
                                                        : QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    BoxAnswer answer = BoxAnswer::None;
    QObject::connect(&box, &QMessageBox::buttonClicked, [&](QAbstractButton* button) {
        const auto which = box.standardButton(button);
        answer = which == QMessageBox::Yes  ? BoxAnswer::Yes
                 : which == QMessageBox::No ? BoxAnswer::No
                                            : BoxAnswer::Ok;
    });
    QObject::connect(&box, &QMessageBox::finished, [&](int) {
        if (answer == BoxAnswer::None) {
            answer = buttons == BoxButtons::YesNo ? BoxAnswer::No : BoxAnswer::Ok;
        }
    });
    box.show();
    loop_.runUntil([&] { return answer != BoxAnswer::None; });
    return answer;
}

FormRenderer& QtDesktop::render(Form& form) {
    auto& renderer = renderers_[&form];
    if (!renderer) {
        renderer = std::make_unique<FormRenderer>(loop_, form, [this, &form] {
            // Released after the form's destruction has run to its end.
            loop_.post([this, key = &form] { renderers_.erase(key); });
        });
    }
    return *renderer;
}

void QtDesktop::show(Form& form) {
    FormRenderer& renderer = render(form);
    form.markShown();
    renderer.window()->setWindowModality(Qt::NonModal);
    renderer.window()->show();
}

void QtDesktop::showModal(Form& form) {
    FormRenderer& renderer = render(form);
    form.markShown();
    renderer.window()->setWindowModality(Qt::ApplicationModal);
    renderer.window()->show();
    renderer.window()->activateWindow();
    loop_.runUntil([&] { return !form.isShown(); });
}

void QtDesktop::repaint(Form& form) {
    if (FormRenderer* renderer = rendererFor(form)) {
        renderer->window()->repaint();
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

FormRenderer* QtDesktop::rendererFor(const Form& form) const {
    const auto it = renderers_.find(&form);
    return it == renderers_.end() ? nullptr : it->second.get();
}

bool QtDesktop::openDocument(const std::filesystem::path& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path.string())));
}

bool QtDesktop::startProgram(const std::filesystem::path& path) {
    return QProcess::startDetached(QString::fromStdString(path.string()), {});
}

ScreenSize QtDesktop::screenSize() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? ScreenSize{screen->size().width(), screen->size().height()} : ScreenSize{};
}

InstanceLockAttempt QtDesktop::lockInstance(const std::string& name) {
    return LockInstance(name);
}

void QtDesktop::setTerminationHandler(std::function<void()> handler) {
#ifndef Q_OS_WIN
    termination_.reset();
    if (handler) {
        termination_ = std::make_unique<TerminationSignals>(loop_, std::move(handler));
    }
#endif
}

void QtDesktop::reportError(const std::string& message) {
    messageBox(BoxIcon::Error, message, BoxButtons::Ok);
}

std::filesystem::path QtDesktop::programFolder() const {
    return std::filesystem::path(QCoreApplication::applicationDirPath().toStdString());
}

void QtDesktop::writeRegionalFormats() {
#ifdef Q_OS_WIN
    // A failure here is of no consequence: the program's own formats are fixed regardless.
    QSettings international("HKEY_CURRENT_USER\\Control Panel\\International",
                            QSettings::NativeFormat);
    international.setValue("sDecimal", ".");
    international.setValue("sShortDate", "dd.MM.yyyy");
    international.setValue("sLongTime", "HH:mm:ss");
#endif
}

}  // namespace platform
