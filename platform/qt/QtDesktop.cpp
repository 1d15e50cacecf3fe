#include "QtDesktop.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
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
// An exclusive lock on a file in the user's runtime folder: the system drops it when the process
// ends, however it ends.
class FileLock : public InstanceLock {
  public:
    explicit FileLock(int fd) : fd_(fd) {}
    ~FileLock() override { ::close(fd_); }

  private:
    int fd_;
};
#endif

}  // namespace

std::unique_ptr<InstanceLock> LockInstance(const std::string& name) {
#ifdef Q_OS_WIN
    HANDLE handle = CreateMutexA(nullptr, TRUE, name.c_str());
    if (handle == nullptr) {
        return nullptr;
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(handle);
        return nullptr;
    }
    return std::make_unique<MutexLock>(handle);
#else
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    const QByteArray path =
        QDir(folder).filePath(QString::fromStdString(name) + ".lock").toLocal8Bit();
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        return nullptr;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<FileLock>(fd);
#endif
}

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

std::unique_ptr<InstanceLock> QtDesktop::lockInstance(const std::string& name) {
    return LockInstance(name);
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
