#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/Desktop.h"
#include "platform/core/EventLoop.h"
#include "platform/core/Form.h"
#include "platform/core/SerialPort.h"
#include "shared/Helpers.h"

namespace testing_support {

// The time-stamped lines of what crosses the cable tester's edge: port operations and bytes,
// boxes and windows, and the controls a test watches. Compared whole.
class TesterTranscript {
  public:
    explicit TesterTranscript(const platform::EventLoop& loop) : loop_(loop) {}

    void add(const std::string& text) {
        char stamp[16];
        std::snprintf(stamp, sizeof stamp, "%6lld ", static_cast<long long>(loop_.now()));
        lines_.push_back(stamp + text);
    }
    void clear() { lines_.clear(); }
    const std::vector<std::string>& lines() const { return lines_; }
    // The lines from `time` ms on.
    std::vector<std::string> since(std::int64_t time) const {
        std::vector<std::string> found;
        for (const std::string& line : lines_) {
            if (std::stoll(line.substr(0, 6)) >= time) {
                found.push_back(line);
            }
        }
        return found;
    }
    // The lines whose text (after the stamp) starts with `prefix`.
    std::vector<std::string> linesOf(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const std::string& line : lines_) {
            if (line.compare(7, prefix.size(), prefix) == 0) {
                found.push_back(line);
            }
        }
        return found;
    }

  private:
    const platform::EventLoop& loop_;
    std::vector<std::string> lines_;
};

inline std::string Joined(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& line : lines) {
        all += line + "\n";
    }
    return all;
}

inline std::string ColourName(const platform::Colour& c) {
    namespace colours = platform::colours;
    return c == colours::Green    ? "green"
           : c == colours::Blue   ? "blue"
           : c == colours::Maroon ? "maroon"
           : c == colours::Red    ? "red"
                                  : "other";
}

// A port that records what the program does with it.
class RecordingPort : public platform::SerialPort {
  public:
    RecordingPort(std::unique_ptr<platform::SerialPort> port, TesterTranscript& transcript)
        : port_(std::move(port)), t_(transcript) {}
    ~RecordingPort() override { close(); }

    void setName(const std::string& name) override { port_->setName(name); }
    std::string name() const override { return port_->name(); }
    void setSpeed(int baud) override { port_->setSpeed(baud); }
    int speed() const override { return port_->speed(); }
    bool open() override {
        const bool opened = port_->open();
        t_.add(name() + (opened ? " open " + std::to_string(speed()) : " open failed"));
        return opened;
    }
    void close() override {
        if (port_->isOpen()) {
            t_.add(name() + " close");
        }
        port_->close();
    }
    bool isOpen() const override { return port_->isOpen(); }
    std::string lastError() const override { return port_->lastError(); }
    std::size_t write(const std::string& bytes) override {
        const std::size_t written = port_->write(bytes);
        t_.add(name() + " <- " + shared::BytesToHexText(bytes.substr(0, written)) +
               (written < bytes.size()
                    ? "(" + std::to_string(written) + " of " + std::to_string(bytes.size()) + ")"
                    : ""));
        return written;
    }
    std::string readAll() override { return recordRead(port_->readAll()); }
    std::string read(std::size_t count) override { return recordRead(port_->read(count)); }
    std::size_t bytesAvailable() const override { return port_->bytesAvailable(); }
    void setDtr(bool on) override {
        t_.add(name() + (on ? " DTR on" : " DTR off"));
        port_->setDtr(on);
    }
    void setRts(bool on) override {
        t_.add(name() + (on ? " RTS on" : " RTS off"));
        port_->setRts(on);
    }
    void onDataReceived(std::function<void()> handler) override {
        port_->onDataReceived(std::move(handler));
    }

  private:
    std::string recordRead(const std::string& bytes) {
        t_.add(name() + " -> " + shared::BytesToHexText(bytes));
        return bytes;
    }

    std::unique_ptr<platform::SerialPort> port_;
    TesterTranscript& t_;
};

// Ports whose every port records; probes are not recorded (a scan makes a hundred).
class RecordingPorts : public platform::SerialPorts {
  public:
    RecordingPorts(platform::SerialPorts& ports, TesterTranscript& transcript)
        : ports_(ports), t_(transcript) {}
    std::unique_ptr<platform::SerialPort> create() override {
        return std::make_unique<RecordingPort>(ports_.create(), t_);
    }
    platform::PortPresence probe(const std::string& name) override { return ports_.probe(name); }

  private:
    platform::SerialPorts& ports_;
    TesterTranscript& t_;
};

// Records the watched properties of a control: texts, log lines, checks, enabling and items.
class ControlRecorder : public platform::ControlView {
  public:
    explicit ControlRecorder(TesterTranscript& transcript) : t_(transcript) {}

    void watch(platform::Control& control) { control.setView(this); }

    void propertyChanged(platform::Control& c, platform::Property property) override {
        using platform::Property;
        switch (property) {
            case Property::Text:
                t_.add(c.name() + " \"" + c.text() + "\"");
                break;
            case Property::LineAppended:
                t_.add(c.name() + " " + ColourName(c.lines().back().colour) + " \"" +
                       c.lines().back().text + "\"");
                break;
            case Property::LinesCleared:
                t_.add(c.name() + " cleared");
                break;
            case Property::Checked:
                t_.add(c.name() + (c.checked() ? " on" : " off"));
                break;
            case Property::Enabled:
                t_.add(c.name() + (c.enabled() ? " enabled" : " disabled"));
                break;
            case Property::ItemIndex:
                t_.add(c.name() + " choice " + std::to_string(c.itemIndex()));
                break;
            case Property::Items: {
                std::string items;
                for (const std::string& item : c.items()) {
                    items += " " + item;
                }
                t_.add(c.name() + " items" + items);
                break;
            }
            default:
                break;
        }
    }
    void controlDestroyed(platform::Control&) override {}

  private:
    TesterTranscript& t_;
};

// Records boxes, windows, documents and programs, then hands them to the desktop underneath.
class RecordingDesktop : public platform::Desktop {
  public:
    RecordingDesktop(platform::Desktop& desktop, TesterTranscript& transcript)
        : desktop_(desktop), t_(transcript) {}

    // Called with each window just before it is shown.
    std::function<void(platform::Form&)> onShow;

    void setApplicationTitle(const std::string& title) override {
        t_.add("title \"" + title + "\"");
        desktop_.setApplicationTitle(title);
    }
    platform::BoxAnswer messageBox(platform::BoxIcon icon, const std::string& text,
                                   platform::BoxButtons buttons) override {
        t_.add(std::string(icon == platform::BoxIcon::Error     ? "error"
                           : icon == platform::BoxIcon::Warning ? "warning"
                                                                : "information") +
               " box \"" + text + "\"");
        const platform::BoxAnswer answer = desktop_.messageBox(icon, text, buttons);
        t_.add("box answered");
        return answer;
    }
    void show(platform::Form& form) override {
        shown(form, "show ");
        desktop_.show(form);
    }
    void showModal(platform::Form& form) override {
        shown(form, "show modal ");
        desktop_.showModal(form);
        t_.add("closed " + form.name());
    }
    void repaint(platform::Form& form) override { desktop_.repaint(form); }
    bool openDocument(const std::filesystem::path& path) override {
        t_.add("open document " + path.filename().string());
        return desktop_.openDocument(path);
    }
    bool startProgram(const std::filesystem::path& path) override {
        t_.add("start program " + path.string());
        return desktop_.startProgram(path);
    }
    platform::ScreenSize screenSize() const override { return desktop_.screenSize(); }
    std::unique_ptr<platform::InstanceLock> lockInstance(const std::string& name) override {
        return desktop_.lockInstance(name);
    }
    void reportError(const std::string& message) override {
        t_.add("error report");
        desktop_.reportError(message);
    }
    std::filesystem::path programFolder() const override { return desktop_.programFolder(); }
    void writeRegionalFormats() override { desktop_.writeRegionalFormats(); }

  private:
    void shown(platform::Form& form, const std::string& how) {
        t_.add(how + form.name());
        if (onShow) {
            onShow(form);
        }
    }

    platform::Desktop& desktop_;
    TesterTranscript& t_;
};

}  // namespace testing_support
