#include "WaitWindow.h"

namespace shared {

TfWaitPDF::TfWaitPDF(platform::EventLoop& loop, std::string waitText,
                     std::function<void()> openDocument)
    : Form("fWaitPDF"),
      pBaza(add(platform::ControlKind::Panel, "pBaza")),
      tInit(loop, 50, true),
      TimerClose(loop, 1500, false),
      waitText_(std::move(waitText)),
      openDocument_(std::move(openDocument)) {
    setBounds({0, 0, 259, 81});
    setBorderStyle(platform::BorderStyle::None);
    pBaza.setAlign(platform::Align::Client);
    pBaza.setText("ОЖИДАЙТЕ");
    pBaza.setColour(platform::colours::Maroon);
    pBaza.setFont({"", 16, true, true, false});
    tInit.onTick([this] { tInitTimer(); });
    TimerClose.onTick([this] { TimerCloseTimer(); });
}

void TfWaitPDF::tInitTimer() {
    tInit.setEnabled(false);
    pBaza.setText(waitText_);
    openDocument_();
    TimerClose.setEnabled(true);
}

void TfWaitPDF::TimerCloseTimer() {
    TimerClose.setEnabled(false);
    close();
}

}  // namespace shared
