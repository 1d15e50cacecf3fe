#include "VirtualDesktop.h"

#include <algorithm>

#include "platform/core/Timer.h"

namespace platform {

namespace {

class VirtualInstanceLock : public InstanceLock {
  public:
    VirtualInstanceLock(VirtualSystem& system, std::string name)
        : system_(system), name_(std::move(name)) {}
    ~VirtualInstanceLock() override { system_.heldLocks.erase(name_); }

  private:
    VirtualSystem& system_;
    std::string name_;
};

}  // namespace

VirtualDesktop::VirtualDesktop(VirtualEventLoop& loop, VirtualSystem& system,
                               std::filesystem::path programFolder)
    : loop_(loop), system_(system), programFolder_(std::move(programFolder)) {}

VirtualDesktop::~VirtualDesktop() {
    for (Form* form : forms_) {
        form->setView(nullptr);
    }
}

void VirtualDesktop::record(DesktopRecord::Kind kind, const std::string& text, bool modal) {
    DesktopRecord r;
    r.time = loop_.now();
    r.kind = kind;
    r.text = text;
    r.modal = modal;
    records_.push_back(r);
}

void VirtualDesktop::setApplicationTitle(const std::string& title) {
    title_ = title;
    record(DesktopRecord::Kind::Title, title);
}

BoxAnswer VirtualDesktop::messageBox(BoxIcon icon, const std::string& text, BoxButtons buttons) {
    record(DesktopRecord::Kind::Box, text, true);
    records_.back().icon = icon;
    records_.back().buttons = buttons;

    BoxAnswer answer = BoxAnswer::Ok;
    if (buttons == BoxButtons::YesNo) {
        answer = answers_.empty() ? BoxAnswer::No : answers_.front();
        if (!answers_.empty()) {
            answers_.pop_front();
        }
    }
    bool answered = false;
    Timer operatorDelay(loop_, answerDelayMs_, true);
    operatorDelay.onTick([&] {
        operatorDelay.setEnabled(false);
        answered = true;
    });
    loop_.runUntil([&] { return answered; });
    return answered ? answer : BoxAnswer::None;
}

void VirtualDesktop::track(Form& form, bool modal) {
    if (std::find(forms_.begin(), forms_.end(), &form) == forms_.end()) {
        forms_.push_back(&form);
        form.setView(this);
    }
    record(DesktopRecord::Kind::Shown, form.name(), modal);
    form.markShown();
}

void VirtualDesktop::show(Form& form) {
    track(form, false);
}

void VirtualDesktop::showModal(Form& form) {
    track(form, true);
    loop_.runUntil([&] { return !form.isShown(); });
}

void VirtualDesktop::propertyChanged(Control& control, Property property) {
    if (property == Property::Visible && !control.visible()) {
        record(DesktopRecord::Kind::Closed, control.name());
    }
}

void VirtualDesktop::controlDestroyed(Control& control) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), &control), forms_.end());
}

bool VirtualDesktop::openDocument(const std::filesystem::path& path) {
    record(DesktopRecord::Kind::Document, path.string());
    return true;
}

bool VirtualDesktop::startProgram(const std::filesystem::path& path) {
    record(DesktopRecord::Kind::Program, path.string());
    return true;
}

InstanceLockAttempt VirtualDesktop::lockInstance(const std::string& name) {
    if (const auto broken = system_.brokenLocks.find(name); broken != system_.brokenLocks.end()) {
        return {nullptr, broken->second};
    }
    if (!system_.heldLocks.insert(name).second) {
        return {};
    }
    return {std::make_unique<VirtualInstanceLock>(system_, name), {}};
}

bool VirtualDesktop::requestTermination() {
    if (!terminationHandler_) {
        return false;
    }
    loop_.post([this] {
        if (terminationHandler_) {
            terminationHandler_();
        }
    });
    return true;
}

void VirtualDesktop::reportError(const std::string& message) {
    record(DesktopRecord::Kind::Error, message, true);
}

std::vector<DesktopRecord> VirtualDesktop::boxes() const {
    std::vector<DesktopRecord> result;
    std::copy_if(records_.begin(), records_.end(), std::back_inserter(result),
                 [](const DesktopRecord& r) { return r.kind == DesktopRecord::Kind::Box; });
    return result;
}

Form* VirtualDesktop::shownForm(const std::string& name) const {
    for (Form* form : forms_) {
        if (form->name() == name && form->isShown()) {
            return form;
        }
    }
    return nullptr;
}

}  // namespace platform
