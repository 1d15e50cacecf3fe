#include "RepWren.h"

#include "PloverApp.h"

namespace plover {

TfMenu::TfMenu(PloverApp& app) : Form("fMenu"), tInit(app.loop, 150, true) {
    setText("Plover");
    setBounds({0, 0, 240, 80});
    setPosition(platform::Position::ScreenCentre);
    tInit.onTick([&app] { app.ShowTester(); });
    onClose = [&app] { app.loop.quit(); };
}

}  // namespace plover
