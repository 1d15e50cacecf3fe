#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "VirtualEventLoop.h"
#include "platform/core/Desktop.h"
#include "platform/core/Form.h"

namespace platform {

// What several virtual programs share: the named instance locks of one machine.
struct VirtualSystem {
    std::set<std::string> heldLocks;
    // Locks that cannot be taken for a reason other than a holder, with the system's error.
    std::map<std::string, std::string> brokenLocks;
};

// One thing the desktop saw, with the virtual time it happened at.
struct DesktopRecord {
    enum class Kind { Box, Shown, Closed, Document, Program, Error, Title };
    std::int64_t time = 0;
    Kind kind = Kind::Box;
    std::string text;  // box text, form name, path, error message or title
    BoxIcon icon = BoxIcon::None;
    BoxButtons buttons = BoxButtons::Ok;
    bool modal = false;
};

// Records every box and window; answers boxes by script (OK after one virtual second by default,
// Yes/No answers from a queue).
class VirtualDesktop : public Desktop, private ControlView {
  public:
    VirtualDesktop(VirtualEventLoop& loop, VirtualSystem& system,
                   std::filesystem::path programFolder);
    ~VirtualDesktop() override;

    void setApplicationTitle(const std::string& title) override;
    BoxAnswer messageBox(BoxIcon icon, const std::string& text, BoxButtons buttons) override;
    void show(Form& form) override;
    void showModal(Form& form) override;
    void repaint(Form&) override {}
    bool openDocument(const std::filesystem::path& path) override;
    bool startProgram(const std::filesystem::path& path) override;
    ScreenSize screenSize() const override { return {1920, 1080}; }
    InstanceLockAttempt lockInstance(const std::string& name) override;
    void setTerminationHandler(std::function<void()> handler) override {
        terminationHandler_ = std::move(handler);
    }
    void reportError(const std::string& message) override;
    std::filesystem::path programFolder() const override { return programFolder_; }
    void writeRegionalFormats() override { ++regionalFormatWrites_; }

    // Test side.
    void queueAnswer(BoxAnswer answer) { answers_.push_back(answer); }
    void setAnswerDelay(int ms) { answerDelayMs_ = ms; }
    const std::vector<DesktopRecord>& records() const { return records_; }
    std::vector<DesktopRecord> boxes() const;
    // The form of that name that is on screen now, or null.
    Form* shownForm(const std::string& name) const;
    int regionalFormatWrites() const { return regionalFormatWrites_; }
    // The system asks the program to end, as a termination signal does: the handler runs through
    // the loop. False when the program has no handler (the system would end it at once).
    bool requestTermination();
    const std::string& applicationTitle() const { return title_; }

  private:
    void propertyChanged(Control& control, Property property) override;
    void controlDestroyed(Control& control) override;
    void record(DesktopRecord::Kind kind, const std::string& text, bool modal = false);
    void track(Form& form, bool modal);

    VirtualEventLoop& loop_;
    VirtualSystem& system_;
    std::filesystem::path programFolder_;
    std::deque<BoxAnswer> answers_;
    int answerDelayMs_ = 1000;
    std::vector<DesktopRecord> records_;
    std::vector<Form*> forms_;
    std::set<std::string> ownLocks_;
    std::string title_;
    int regionalFormatWrites_ = 0;
    std::function<void()> terminationHandler_;
};

}  // namespace platform
