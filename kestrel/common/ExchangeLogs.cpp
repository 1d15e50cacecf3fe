#include "ExchangeLogs.h"

#include "kestrel/app/KestrelApp.h"
#include "kestrel/settings/In_RS232.h"
#include "kestrel/work/pWinServ.h"
#include "shared/ColouredLine.h"
#include "shared/Cp1251.h"
#include "shared/Helpers.h"

namespace kestrel {

namespace {

constexpr std::size_t kHexLineBytes = 32;

void LogEntry(KestrelApp& app, platform::Control& pane, int kind, const std::string& text,
              bool stamp) {
    if (pane.lines().size() > kPaneLineLimit) {
        pane.clearLines();
    }
    if (stamp) {
        shared::AppendColoured(pane, shared::TodayText(app.loop) + " " + shared::NowTimeText(app.loop),
                       platform::colours::Purple);
    }
    platform::Colour colour;
    if (KindColour(kind, colour)) {
        shared::AppendColoured(pane, text, colour);
    }
}

void NoteReceived(KestrelApp& app, ReceiveLog& log, platform::Timer& timer,
                  const std::string& bytes) {
    const bool logging = app.values.DebugMonitor || app.values.DebugFile;
    log.busy = true;
    if (logging) {
        log.buffer += bytes;
    }
    log.busy = false;
    if (logging && !timer.enabled()) {
        timer.setEnabled(true);
    }
}

void LogTick(KestrelApp& app, ReceiveLog& log, platform::Timer& timer, const char* header,
             void (*logPane)(KestrelApp&, int, const std::string&, bool)) {
    while (log.busy) {
        shared::WaitWithEvents(app.loop, 1);
    }
    const std::string batch = std::move(log.buffer);
    log.buffer.clear();
    if (app.values.DebugFile) {
        ExchangeLogFile& file = app.logs.file;
        file.writeLine(header + shared::TodayText(app.loop) + " " + shared::NowTimeText(app.loop));
        std::size_t offset = 0;
        do {
            file.writeLine(
                shared::BytesToHexText(std::string_view(batch).substr(offset, kHexLineBytes)));
            offset += kHexLineBytes;
        } while (offset < batch.size());
    }
    if (app.values.DebugMonitor) {
        logPane(app, 1, shared::BytesToHexText(batch), true);
        logPane(app, 2, shared::Cp1251ToUtf8(shared::StripLineControls(batch)), true);
    }
    timer.setEnabled(false);
}

}  // namespace

bool KindColour(int kind, platform::Colour& colour) {
    using namespace platform::colours;
    static const platform::Colour kColours[] = {Green, Blue, Red, Maroon, Black, Red, Blue};
    if (kind < 1 || kind > 7) {
        return false;
    }
    colour = kColours[kind - 1];
    return true;
}

void LogServer(KestrelApp& app, int kind, const std::string& text, bool stamp) {
    if (app.values.DebugMonitor && app.fWinServ != nullptr) {
        LogEntry(app, app.fWinServ->reLogDeb_Serv, kind, text, stamp);
    }
}

void LogWin(KestrelApp& app, int kind, const std::string& text, bool stamp) {
    if (app.values.DebugMonitor && app.fWinServ != nullptr) {
        LogEntry(app, app.fWinServ->reLogDeb_WinPh, kind, text, stamp);
    }
}

void LogRing(KestrelApp& app, int kind, const std::string& text, bool stamp) {
    if (app.fWinServ != nullptr) {
        LogEntry(app, app.fWinServ->reLogDeb_Phone, kind, text, stamp);
    }
}

void NoteServerReceived(KestrelApp& app, const std::string& bytes) {
    NoteReceived(app, app.logs.server, app.InRS232->tWaitWrRs_Serv, bytes);
}

void NoteWinReceived(KestrelApp& app, const std::string& bytes) {
    NoteReceived(app, app.logs.win, app.InRS232->tWaitWrRs_WinPh, bytes);
}

void ServerLogTick(KestrelApp& app) {
    LogTick(app, app.logs.server, app.InRS232->tWaitWrRs_Serv, "ser: ", LogServer);
}

void WinLogTick(KestrelApp& app) {
    LogTick(app, app.logs.win, app.InRS232->tWaitWrRs_WinPh, "win: ", LogWin);
}

}  // namespace kestrel
