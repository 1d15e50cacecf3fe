#include "Transcript.h"

#include <algorithm>
#include <cstdio>

#include "platform/core/Form.h"

namespace testing_support {

namespace {

std::string Quoted(std::string_view text) {
    return "\"" + Escaped(text) + "\"";
}

const char* IconName(platform::BoxIcon icon) {
    switch (icon) {
        case platform::BoxIcon::None:
            return "plain";
        case platform::BoxIcon::Information:
            return "information";
        case platform::BoxIcon::Warning:
            return "warning";
        case platform::BoxIcon::Error:
            return "error";
        case platform::BoxIcon::Question:
            return "question";
    }
    return "?";
}

std::string ColourName(const platform::Colour& colour) {
    namespace colours = platform::colours;
    const std::pair<platform::Colour, const char*> names[] = {
        {colours::Black, "black"},   {colours::Green, "green"},   {colours::Red, "red"},
        {colours::Blue, "blue"},     {colours::Maroon, "maroon"}, {colours::Navy, "navy"},
        {colours::Purple, "purple"}, {colours::Silver, "silver"}};
    for (const auto& [c, name] : names) {
        if (c == colour) {
            return name;
        }
    }
    char rgb[24];
    std::snprintf(rgb, sizeof rgb, "rgb(%d,%d,%d)", colour.r, colour.g, colour.b);
    return rgb;
}

}  // namespace

std::string Escaped(std::string_view bytes) {
    std::string out;
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (b >= 0x20 && b < 0x7F) {
            out += c;
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", b);
            out += hex;
        }
    }
    return out;
}

// The desktop the program is given: hands everything to the virtual desktop, and watches the
// controls of each form before it is shown.
class Transcript::RecordingDesktop : public platform::Desktop {
  public:
    RecordingDesktop(Transcript& transcript, platform::Desktop& inner)
        : transcript_(transcript), inner_(inner) {}

    void setApplicationTitle(const std::string& title) override {
        inner_.setApplicationTitle(title);
    }
    platform::BoxAnswer messageBox(platform::BoxIcon icon, const std::string& text,
                                   platform::BoxButtons buttons) override {
        return inner_.messageBox(icon, text, buttons);
    }
    void show(platform::Form& form) override {
        transcript_.watchForm(form);
        inner_.show(form);
    }
    void showModal(platform::Form& form) override {
        transcript_.watchForm(form);
        inner_.showModal(form);
    }
    void repaint(platform::Form& form) override { inner_.repaint(form); }
    bool openDocument(const std::filesystem::path& path) override {
        return inner_.openDocument(path);
    }
    bool startProgram(const std::filesystem::path& path) override {
        return inner_.startProgram(path);
    }
    platform::ScreenSize screenSize() const override { return inner_.screenSize(); }
    platform::InstanceLockAttempt lockInstance(const std::string& name) override {
        return inner_.lockInstance(name);
    }
    void setTerminationHandler(std::function<void()> handler) override {
        inner_.setTerminationHandler(std::move(handler));
    }
    void reportError(const std::string& message) override { inner_.reportError(message); }
    std::filesystem::path programFolder() const override { return inner_.programFolder(); }
    void writeRegionalFormats() override { inner_.writeRegionalFormats(); }

  private:
    Transcript& transcript_;
    platform::Desktop& inner_;
};

namespace {

// One port of the program: every open, close, speed, line change, write and read is a line.
class RecordingPort : public platform::SerialPort {
  public:
    RecordingPort(Transcript& transcript, std::unique_ptr<platform::SerialPort> inner)
        : transcript_(transcript), inner_(std::move(inner)) {}
    // A port released open closes with it.
    ~RecordingPort() override { close(); }

    void setName(const std::string& name) override { inner_->setName(name); }
    std::string name() const override { return inner_->name(); }
    void setSpeed(int baud) override {
        const bool changes = inner_->isOpen() && baud != inner_->speed();
        inner_->setSpeed(baud);
        if (changes) {
            add("speed " + std::to_string(baud));
        }
    }
    int speed() const override { return inner_->speed(); }

    bool open() override {
        if (inner_->isOpen()) {
            return true;
        }
        const bool opened = inner_->open();
        add("open " + std::to_string(inner_->speed()) + (opened ? "" : " failed"));
        return opened;
    }
    void close() override {
        if (inner_->isOpen()) {
            inner_->close();
            add("close");
        }
    }
    bool isOpen() const override { return inner_->isOpen(); }
    std::string lastError() const override { return inner_->lastError(); }

    std::size_t write(const std::string& bytes) override {
        const std::size_t count = inner_->write(bytes);
        add("<- " + Quoted(bytes.substr(0, count)) +
            (count < bytes.size() ? " short " + std::to_string(bytes.size()) : ""));
        return count;
    }
    std::string readAll() override { return received(inner_->readAll()); }
    std::string read(std::size_t count) override { return received(inner_->read(count)); }
    std::size_t bytesAvailable() const override { return inner_->bytesAvailable(); }

    void setDtr(bool on) override {
        inner_->setDtr(on);
        line("DTR", on);
    }
    void setRts(bool on) override {
        inner_->setRts(on);
        line("RTS", on);
    }
    void onDataReceived(std::function<void()> handler) override {
        inner_->onDataReceived(std::move(handler));
    }

  private:
    void add(const std::string& what) { transcript_.add(inner_->name(), what); }
    void line(const char* name, bool on) {
        if (inner_->isOpen()) {
            add(std::string(name) + (on ? " on" : " off"));
        }
    }
    std::string received(std::string bytes) {
        if (!bytes.empty()) {
            add("-> " + Quoted(bytes));
        }
        return bytes;
    }

    Transcript& transcript_;
    std::unique_ptr<platform::SerialPort> inner_;
};

}  // namespace

class Transcript::RecordingPorts : public platform::SerialPorts {
  public:
    RecordingPorts(Transcript& transcript, platform::SerialPorts& inner)
        : transcript_(transcript), inner_(inner) {}

    std::unique_ptr<platform::SerialPort> create() override {
        return std::make_unique<RecordingPort>(transcript_, inner_.create());
    }
    platform::PortPresence probe(const std::string& name) override { return inner_.probe(name); }

  private:
    Transcript& transcript_;
    platform::SerialPorts& inner_;
};

Transcript::Transcript(platform::EventLoop& loop, platform::VirtualDesktop& desktop,
                       platform::SerialPorts& ports)
    : loop_(loop),
      virtualDesktop_(desktop),
      watchedNames_{"sStartServ", "sConn_SERV",  "sConn_CSD_GPRS",
                    "sConnWin",   "stPhoneRing", "lErr_Power"},
      desktop_(std::make_unique<RecordingDesktop>(*this, desktop)),
      ports_(std::make_unique<RecordingPorts>(*this, ports)) {}

Transcript::~Transcript() {
    for (platform::Control* control : watched_) {
        control->setView(nullptr);
    }
}

platform::Desktop& Transcript::desktop() {
    return *desktop_;
}

platform::SerialPorts& Transcript::ports() {
    return *ports_;
}

void Transcript::watch(const std::string& controlName) {
    watchedNames_.insert(controlName);
}

void Transcript::watchForm(platform::Form& form) {
    for (const std::string& name : watchedNames_) {
        platform::Control* control = form.find(name);
        // A control that has a view of its own is mirrored by a backend: leave it alone.
        if (control != nullptr && control != &form && control->view() == nullptr) {
            control->setView(this);
            watched_.insert(control);
        }
    }
}

void Transcript::propertyChanged(platform::Control& control, platform::Property property) {
    using platform::Property;
    switch (property) {
        case Property::Text:
            add(control.name(), Quoted(control.text()));
            break;
        case Property::Visible:
            add(control.name(), control.visible() ? "shown" : "hidden");
            break;
        case Property::Enabled:
            add(control.name(), control.enabled() ? "enabled" : "disabled");
            break;
        case Property::Checked:
            add(control.name(), control.checked() ? "on" : "off");
            break;
        case Property::Items: {
            std::string items = "items";
            for (const std::string& item : control.items()) {
                items += " " + Quoted(item);
            }
            add(control.name(), items);
            break;
        }
        case Property::ItemIndex:
            add(control.name(), "choice " + std::to_string(control.itemIndex()));
            break;
        case Property::LineAppended:
            add(control.name(), ColourName(control.lines().back().colour) + " " +
                                    Quoted(control.lines().back().text));
            break;
        case Property::LinesCleared:
            add(control.name(), "cleared");
            break;
        default:
            break;
    }
}

void Transcript::controlDestroyed(platform::Control& control) {
    watched_.erase(&control);
}

void Transcript::takeDesktopRecords() {
    using Kind = platform::DesktopRecord::Kind;
    const auto& records = virtualDesktop_.records();
    for (; desktopRecordsTaken_ < records.size(); ++desktopRecordsTaken_) {
        const platform::DesktopRecord& r = records[desktopRecordsTaken_];
        std::string subject;
        std::string what;
        switch (r.kind) {
            case Kind::Box:
                subject = "box";
                what = std::string(IconName(r.icon)) +
                       (r.buttons == platform::BoxButtons::YesNo ? " yes/no " : " ") +
                       Quoted(r.text);
                break;
            case Kind::Shown:
                subject = "window";
                what = r.text + " opened";
                break;
            case Kind::Closed:
                subject = "window";
                what = r.text + " closed";
                break;
            case Kind::Document:
                subject = "document";
                what = Quoted(r.text);
                break;
            case Kind::Program:
                subject = "program";
                what = Quoted(r.text);
                break;
            case Kind::Error:
                subject = "error";
                what = Quoted(r.text);
                break;
            case Kind::Title:
                continue;
        }
        lines_.push_back({r.time, subject, what});
    }
}

void Transcript::add(const std::string& subject, const std::string& what) {
    takeDesktopRecords();
    lines_.push_back({loop_.now(), subject, what});
}

template <typename Keep>
std::string Transcript::lines(Keep keep) {
    takeDesktopRecords();
    std::string text;
    for (const Line& line : lines_) {
        if (keep(line)) {
            char stamp[24];
            std::snprintf(stamp, sizeof stamp, "%05lld ", static_cast<long long>(line.time));
            text += stamp + line.subject + " " + line.what + "\n";
        }
    }
    return text;
}

std::string Transcript::text() {
    return lines([](const Line&) { return true; });
}

std::string Transcript::between(std::int64_t from, std::int64_t to) {
    return lines([&](const Line& line) { return line.time >= from && line.time < to; });
}

std::string Transcript::of(std::initializer_list<std::string_view> subjects) {
    return lines([&](const Line& line) {
        return std::find(subjects.begin(), subjects.end(), line.subject) != subjects.end();
    });
}

std::string Transcript::between(std::int64_t from, std::int64_t to,
                                std::initializer_list<std::string_view> subjects) {
    return lines([&](const Line& line) {
        return line.time >= from && line.time < to &&
               std::find(subjects.begin(), subjects.end(), line.subject) != subjects.end();
    });
}

}  // namespace testing_support
