#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace platform {

class Form;

enum class BoxIcon { None, Information, Warning, Error, Question };
enum class BoxButtons { Ok, YesNo };
enum class BoxAnswer { Ok, Yes, No, None };

struct ScreenSize {
    int width = 0;
    int height = 0;
};

// Held while the process keeps the named single-instance lock.
class InstanceLock {
  public:
    virtual ~InstanceLock() = default;
};

// The outcome of taking the single-instance lock.
struct InstanceLockAttempt {
    std::unique_ptr<InstanceLock> lock;  // set when taken
    // Empty when another instance holds the lock; otherwise why it could not be taken, naming
    // where the lock lives.
    std::string error;
};

class Desktop {
  public:
    virtual ~Desktop() = default;

    virtual void setApplicationTitle(const std::string& title) = 0;
    // Blocks in a nested loop until answered; timers keep running underneath.
    virtual BoxAnswer messageBox(BoxIcon icon, const std::string& text, BoxButtons buttons) = 0;
    // Shows a form without blocking (main window, splash).
    virtual void show(Form& form) = 0;
    // Shows a form application-modally and blocks in a nested loop until it closes.
    virtual void showModal(Form& form) = 0;
    // Paints what changed at once (the splash before the long start-up work).
    virtual void repaint(Form& form) = 0;

    // Hands a document to the program associated with it; false when that could not start.
    virtual bool openDocument(const std::filesystem::path& path) = 0;
    virtual bool startProgram(const std::filesystem::path& path) = 0;
    virtual ScreenSize screenSize() const = 0;
    // One lock of a name per user on the machine, whatever the environment says.
    virtual InstanceLockAttempt lockInstance(const std::string& name) = 0;
    // The system asks the program to end (a termination signal): `handler` runs on the loop
    // thread for each request. An empty handler leaves such requests to the system's default.
    virtual void setTerminationHandler(std::function<void()> handler) = 0;
    // The default report of an input/output error no handler caught.
    virtual void reportError(const std::string& message) = 0;
    // Folder of the running executable.
    virtual std::filesystem::path programFolder() const = 0;
    // Writes the program's fixed decimal, date and time formats into the user's system settings
    // where the system has such settings.
    virtual void writeRegionalFormats() = 0;
};

}  // namespace platform
