#include "AboutBox.h"

namespace shared {

using platform::Control;
using platform::ControlKind;

namespace {

Control& AboutLabel(platform::Form& form, const char* name, int top, const std::string& text) {
    Control& label = form.add(ControlKind::Label, name);
    label.setBounds({110, top, 190, 20});
    label.setText(text);
    label.setColour(platform::colours::Purple);
    label.setFont({"", 10, true, true, false});
    return label;
}

}  // namespace

TAboutForm::TAboutForm(platform::EventLoop& loop, AboutTexts texts)
    : Form("AboutForm"),
      Label5(AboutLabel(*this, "Label5", 20, "Программное обеспечение")),
      lNameFack(AboutLabel(*this, "lNameFack", 45, "")),
      Label_versPr(AboutLabel(*this, "Label_versPr", 70, "Версия")),
      Label1(AboutLabel(*this, "Label1", 95, "WinXP, Win7,Win8,Win10")),
      lMail(AboutLabel(*this, "lMail", 130, "support@kestrel-server.example")),
      lWeb(AboutLabel(*this, "lWeb", 152, "www.kestrel-server.example")),
      OKButton(add(ControlKind::Button, "OKButton")),
      tInit(loop, 50, true),
      texts_(std::move(texts)) {
    setBounds({0, 0, 306, 244});
    setBorderStyle(platform::BorderStyle::None);
    setPosition(platform::Position::ScreenCentre);
    Control& image = add(ControlKind::Image, "Image1");
    image.setBounds({10, 10, 90, 90});
    image.setPicture(texts_.picture);
    lMail.setHint(lMail.text());
    lWeb.setHint(lWeb.text());
    OKButton.setBounds({113, 196, 80, 28});
    OKButton.setText("ДА");
    OKButton.onClick = [this] { close(); };
    OKButton.onKeyUp = [this](int key) { OKButtonKeyUp(key); };
    tInit.onTick([this] { tInitTimer(); });
}

void TAboutForm::tInitTimer() {
    tInit.setEnabled(false);
    lNameFack.setText("\"" + texts_.programName + "\"");
    setText(texts_.title);
    Label5.setText(texts_.software);
    Label_versPr.setText(texts_.version);
    OKButton.setText(texts_.yes);
}

void TAboutForm::OKButtonKeyUp(int key) {
    if (key == platform::keys::Escape || key == platform::keys::Return) {
        close();
    }
}

}  // namespace shared
