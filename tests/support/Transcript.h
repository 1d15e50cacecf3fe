#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/Control.h"
#include "platform/core/Desktop.h"
#include "platform/core/EventLoop.h"
#include "platform/core/SerialPort.h"
#include "platform/virtual/VirtualDesktop.h"

namespace testing_support {

// Bytes as the transcript quotes them: printable ASCII as it is, CR LF TAB as \r \n \t, quote and
// backslash escaped, every other byte as \xHH.
std::string Escaped(std::string_view bytes);

// Everything that crosses the program's edge, one line each, stamped with the virtual time in
// milliseconds, in the order it happened:
//
//   00800 COM4 open 115200        the program opened the port at that speed ("open 9600 failed")
//   00800 COM4 <- "U"             the program wrote these bytes to the port
//   01000 COM3 <- "t" short 3     ... of a write of 3 bytes only these went out
//   01300 COM4 -> "AT\r"          the program read these bytes from the port
//   01500 COM4 speed 9600         the speed of an open port changed
//   02000 COM3 DTR on             a control line of an open port changed
//   02100 COM3 close
//   00010 window fWinServ opened  a window was shown, or closed
//   00510 box error "text"        a message box with its icon and text ("box question yes/no ...")
//   01300 sConnWin "YES"          a watched control shows a new text, or is shown or hidden;
//                                 also its enabling, check, items, choice and log lines:
//   02500 reWin green "text"      a line appended to a log pane in that colour ("reWin cleared")
//   00900 document "path"         a document or program was opened; "error" for the default report
//
// The program is given `desktop()` and `ports()`, which record and hand everything on.
class Transcript : private platform::ControlView {
  public:
    Transcript(platform::EventLoop& loop, platform::VirtualDesktop& desktop,
               platform::SerialPorts& ports);
    ~Transcript() override;
    Transcript(const Transcript&) = delete;
    Transcript& operator=(const Transcript&) = delete;

    platform::Desktop& desktop();
    platform::SerialPorts& ports();

    // Controls (by name, in every window the program shows) whose text and visibility are lines.
    // The link indicators, the dialled number and the modem fault line are watched from the start.
    void watch(const std::string& controlName);

    // Every line so far, each ended by a newline.
    std::string text();
    // The lines stamped from `from` up to, not including, `to`.
    std::string between(std::int64_t from, std::int64_t to);
    // The lines about these subjects: port names, control names, "window", "box".
    std::string of(std::initializer_list<std::string_view> subjects);
    // The lines of that time span about these subjects.
    std::string between(std::int64_t from, std::int64_t to,
                        std::initializer_list<std::string_view> subjects);

    // Adds one line about `subject` now (used by the recording desktop and ports).
    void add(const std::string& subject, const std::string& what);
    // Starts watching the controls of a form about to be shown.
    void watchForm(platform::Form& form);

  private:
    struct Line {
        std::int64_t time;
        std::string subject;
        std::string what;
    };
    class RecordingDesktop;
    class RecordingPorts;

    void propertyChanged(platform::Control& control, platform::Property property) override;
    void controlDestroyed(platform::Control& control) override;
    // Takes the windows and boxes the virtual desktop recorded since the last look.
    void takeDesktopRecords();
    template <typename Keep>
    std::string lines(Keep keep);

    platform::EventLoop& loop_;
    platform::VirtualDesktop& virtualDesktop_;
    std::size_t desktopRecordsTaken_ = 0;
    std::vector<Line> lines_;
    std::set<std::string> watchedNames_;
    std::set<platform::Control*> watched_;
    std::unique_ptr<RecordingDesktop> desktop_;
    std::unique_ptr<RecordingPorts> ports_;
};

}  // namespace testing_support
