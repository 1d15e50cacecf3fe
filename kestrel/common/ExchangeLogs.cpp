#include "ExchangeLogs.h"

#include "shared/ColouredLine.h"
#include "shared/Cp1251.h"
#include "shared/Helpers.h"

namespace kestrel {

namespace {
constexpr std::size_t kHexLineBytes = 32;
constexpr int kBatchMs = 250;
}  // namespace

bool KindColour(LogKind kind, platform::Colour& colour) {
    using namespace platform::colours;
    static const platform::Colour kColours[] = {Green, Blue, Red, Maroon, Black, Red, Blue};
    const int n = static_cast<int>(kind);
    if (n < 1 || n > 7) {
        return false;
    }
    colour = kColours[n - 1];
    return true;
}

ExchangeLogs::ExchangeLogs(platform::EventLoop& loop, const ProgramValues& values,
                           WorkWindowIntents& work)
    : tWaitWrRs_Serv(loop, kBatchMs, false),
      tWaitWrRs_WinPh(loop, kBatchMs, false),
      loop_(loop),
      values_(values),
      work_(work) {
    tWaitWrRs_Serv.onTick([this] { ServerLogTick(); });
    tWaitWrRs_WinPh.onTick([this] { WinLogTick(); });
}

void ExchangeLogs::LogEntry(LogPaneId paneId, LogKind kind, const std::string& text, bool stamp) {
    platform::Control* pane = work_.LogPane(paneId);
    if (pane == nullptr) {
        return;
    }
    if (pane->lines().size() > kPaneLineLimit) {
        pane->clearLines();
    }
    if (stamp) {
        shared::AppendColoured(*pane, shared::TodayText(loop_) + " " + shared::NowTimeText(loop_),
                               platform::colours::Purple);
    }
    platform::Colour colour;
    if (KindColour(kind, colour)) {
        shared::AppendColoured(*pane, text, colour);
    }
}

void ExchangeLogs::LogServer(LogKind kind, const std::string& text, bool stamp) {
    if (values_.debug.DebugMonitor) {
        LogEntry(LogPaneId::Server, kind, text, stamp);
    }
}

void ExchangeLogs::LogWin(LogKind kind, const std::string& text, bool stamp) {
    if (values_.debug.DebugMonitor) {
        LogEntry(LogPaneId::Win, kind, text, stamp);
    }
}

void ExchangeLogs::LogRing(LogKind kind, const std::string& text, bool stamp) {
    LogEntry(LogPaneId::Ring, kind, text, stamp);
}

void ExchangeLogs::LogBytes(LogPaneId pane, LogKind hexKind, LogKind textKind,
                            const std::string& bytes) {
    const std::string_view shown = std::string_view(bytes).substr(0, kPaneEntryBytes);
    const std::string leftOut =
        bytes.size() > shown.size()
            ? " ... +" + std::to_string(bytes.size() - shown.size()) + " bytes"
            : "";
    LogEntry(pane, hexKind, shared::BytesToHexText(shown) + leftOut, true);
    LogEntry(pane, textKind, shared::Cp1251ToUtf8(shared::StripLineControls(shown)) + leftOut,
             true);
}

void ExchangeLogs::LogWinBytes(LogKind kind, const std::string& bytes) {
    if (values_.debug.DebugMonitor) {
        LogBytes(LogPaneId::Win, kind, kind, bytes);
    }
}

void ExchangeLogs::NoteReceived(std::string& buffer, platform::Timer& timer,
                                const std::string& bytes) {
    if (!values_.debug.DebugMonitor && !values_.debug.DebugFile) {
        return;
    }
    buffer += bytes;
    if (!timer.enabled()) {
        timer.setEnabled(true);
    }
}

void ExchangeLogs::NoteServerReceived(const std::string& bytes) {
    NoteReceived(ServerLogBuffer_, tWaitWrRs_Serv, bytes);
}

void ExchangeLogs::NoteWinReceived(const std::string& bytes) {
    NoteReceived(WinLogBuffer_, tWaitWrRs_WinPh, bytes);
}

void ExchangeLogs::LogTick(std::string& buffer, platform::Timer& timer, const char* header,
                           LogPaneId pane) {
    const std::string batch = std::move(buffer);
    buffer.clear();
    if (values_.debug.DebugFile) {
        std::vector<std::string> lines = {header + shared::TodayText(loop_) + " " +
                                          shared::NowTimeText(loop_)};
        std::size_t offset = 0;
        do {
            lines.push_back(
                shared::BytesToHexText(std::string_view(batch).substr(offset, kHexLineBytes)));
            offset += kHexLineBytes;
        } while (offset < batch.size());
        ExchangeLogFile.writeLines(lines);
    }
    if (values_.debug.DebugMonitor) {
        LogBytes(pane, LogKind::ReceivedHex, LogKind::ReceivedText, batch);
    }
    timer.setEnabled(false);
}

void ExchangeLogs::CloseExchangeLogFile() {
    if (tWaitWrRs_Serv.enabled()) {
        ServerLogTick();
    }
    if (tWaitWrRs_WinPh.enabled()) {
        WinLogTick();
    }
    ExchangeLogFile.close();
}

void ExchangeLogs::ServerLogTick() {
    LogTick(ServerLogBuffer_, tWaitWrRs_Serv, "ser: ", LogPaneId::Server);
}

void ExchangeLogs::WinLogTick() {
    LogTick(WinLogBuffer_, tWaitWrRs_WinPh, "win: ", LogPaneId::Win);
}

}  // namespace kestrel
