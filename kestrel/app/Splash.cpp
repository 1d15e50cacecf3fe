#include "Splash.h"

namespace kestrel {

using platform::ControlKind;

TSplashForm::TSplashForm() : Form("SplashForm") {
    setBounds({0, 0, 230, 85});
    setBorderStyle(platform::BorderStyle::None);
    platform::Control& panel = add(ControlKind::Panel, "Panel1");
    panel.setAlign(platform::Align::Client);
    panel.setBackground(platform::colours::Silver);
    platform::Control& title = panel.add(ControlKind::Label, "Label1");
    title.setBounds({20, 10, 200, 24});
    title.setText("ПО \"KESTREL\"   ");
    title.setFont({"Times New Roman", 14, false, true, true});
    platform::Control& line = panel.add(ControlKind::Panel, "Bevel1");
    line.setBounds({10, 38, 210, 2});
    platform::Control& loading = panel.add(ControlKind::Label, "Label2");
    loading.setBounds({20, 48, 200, 20});
    loading.setText("Загрузка...");
}

}  // namespace kestrel
