#pragma once

#include <string>

#include "ExchangeLogFile.h"
#include "platform/core/Control.h"
#include "platform/core/Timer.h"

namespace kestrel {

class KestrelApp;

// Received bytes of one port waiting for the deferred log of its 250 ms timer.
struct ReceiveLog {
    std::string buffer;
    bool busy = false;  // on while a receive handler appends
};

// The state of the exchange logs: the two receive batches and the file.
struct ExchangeLogs {
    ReceiveLog server;
    ReceiveLog win;
    ExchangeLogFile file;
};

inline constexpr std::size_t kPaneLineLimit = 5000;

// The colour of an entry kind 1..7; false for other kinds.
bool KindColour(int kind, platform::Colour& colour);

// One entry: the pane is cleared past 5000 lines, then the purple stamp, then the text in the
// colour of its kind. The SERVER and WIN panes take entries only while the monitor is on.
void LogServer(KestrelApp& app, int kind, const std::string& text, bool stamp);
void LogWin(KestrelApp& app, int kind, const std::string& text, bool stamp);
void LogRing(KestrelApp& app, int kind, const std::string& text, bool stamp);

// Called by the receive handlers with each chunk.
void NoteServerReceived(KestrelApp& app, const std::string& bytes);
void NoteWinReceived(KestrelApp& app, const std::string& bytes);

// Ticks of the log timers: the batch goes to the file and the panes.
void ServerLogTick(KestrelApp& app);
void WinLogTick(KestrelApp& app);

}  // namespace kestrel
