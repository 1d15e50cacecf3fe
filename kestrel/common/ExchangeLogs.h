#pragma once

#include <string>

#include "ExchangeLogFile.h"
#include "ProgramValues.h"
#include "WorkWindowIntents.h"
#include "platform/core/Control.h"
#include "platform/core/Timer.h"

namespace kestrel {

// The entry kinds of the log panes, each with its colour.
enum class LogKind {
    ReceivedHex = 1,   // green
    ReceivedText = 2,  // blue; also received RING lines
    Red3 = 3,          // red; no caller
    SentRing = 4,      // maroon
    Step = 5,          // black: modem service steps, emulator answers
    Red6 = 6,          // red; no caller
    SentServer = 7,    // blue
};

inline constexpr std::size_t kPaneLineLimit = 5000;
// The most bytes one pane entry shows; the rest of a longer run is only counted. Bounded
// entries keep a burst on a port from stalling the pane; the file keeps every byte.
inline constexpr std::size_t kPaneEntryBytes = 1024;

// The colour of an entry kind 1..7; false for other kinds.
bool KindColour(LogKind kind, platform::Colour& colour);

// The exchange logs: the coloured entries of the work window's SERVER, WIN and RING panes, and
// the deferred log of received bytes, which collects each port's receptions for 250 ms and then
// writes them to the panes and the exchange log file in one batch.
class ExchangeLogs {
  public:
    ExchangeLogs(platform::EventLoop& loop, const ProgramValues& values, WorkWindowIntents& work);

    // One entry: the pane is cleared past 5000 lines, then the purple stamp, then the text in the
    // colour of its kind. The SERVER and WIN panes take entries only while the monitor is on.
    void LogServer(LogKind kind, const std::string& text, bool stamp);
    void LogWin(LogKind kind, const std::string& text, bool stamp);
    void LogRing(LogKind kind, const std::string& text, bool stamp);
    // What the WIN port writer sent: the bytes as hexadecimal, then as text, both of `kind`.
    void LogWinBytes(LogKind kind, const std::string& bytes);

    // Called by the receive handlers with each chunk.
    void NoteServerReceived(const std::string& bytes);
    void NoteWinReceived(const std::string& bytes);

    // Ticks of the log timers: the batch goes to the file and the panes.
    void ServerLogTick();
    void WinLogTick();

    // Receptions still waiting for their tick go into the file, then it closes.
    void CloseExchangeLogFile();

    // Held open for a server run, by the SERVER item and the work window's exit.
    kestrel::ExchangeLogFile ExchangeLogFile;
    // The deferred logs, running only while a batch is pending.
    platform::Timer tWaitWrRs_Serv;
    platform::Timer tWaitWrRs_WinPh;

  private:
    void LogEntry(LogPaneId pane, LogKind kind, const std::string& text, bool stamp);
    // The hexadecimal and the text entry of received or sent bytes, at most kPaneEntryBytes shown.
    void LogBytes(LogPaneId pane, LogKind hexKind, LogKind textKind, const std::string& bytes);
    void NoteReceived(std::string& buffer, platform::Timer& timer, const std::string& bytes);
    void LogTick(std::string& buffer, platform::Timer& timer, const char* header, LogPaneId pane);

    platform::EventLoop& loop_;
    const ProgramValues& values_;
    WorkWindowIntents& work_;
    std::string ServerLogBuffer_;
    std::string WinLogBuffer_;
};

}  // namespace kestrel
