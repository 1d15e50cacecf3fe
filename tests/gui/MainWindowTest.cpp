#include <gtest/gtest.h>

#include <QAction>
#include <QMenuBar>
#include <QWidget>

#include "gui/GuiSupport.h"

namespace {

using testing_support::QtKestrel;

QStringList MenuBarCaptions(QWidget* window) {
    QStringList captions;
    for (QAction* action : window->findChild<QMenuBar*>()->actions()) {
        captions << action->text();
    }
    return captions;
}

}  // namespace

TEST(MainWindow, RendersWithItsMenuInEachLanguage) {
    const std::pair<const char*, QStringList> languages[] = {
        {"UA", {"СЕРВЕР", "НАЛАШТУВАННЯ", "ДОВІДКА", "ВИХІД"}},
        {"RU", {"СЕРВЕР", "УСТАНОВКИ", "СПРАВКА", "ВЫХОД"}},
        {"EN", {"SERVER", "SETTINGS", "HELP", "EXIT"}},
    };
    for (const auto& [code, captions] : languages) {
        testing_support::TempFolder folder;
        folder.writeBytes("Type_Leng.000", std::string(code) + "\r\n");
        QtKestrel k(folder);
        k.app.start();
        platform::FormRenderer* renderer = k.desktop.rendererFor(*k.app.fKestrel);
        ASSERT_NE(renderer, nullptr);
        k.loop.processEvents();
        EXPECT_TRUE(renderer->window()->isVisible());
        EXPECT_EQ(renderer->window()->size(), QSize(396, 326));
        EXPECT_EQ(MenuBarCaptions(renderer->window()), captions) << code;
        EXPECT_TRUE(testing_support::SaveReviewPicture(renderer->window(),
                                                       std::string("main-window-") + code));
        k.app.fKestrel->close();
    }
}

TEST(MainWindow, MenuClickArrivesAsTheItemsEvent) {
    testing_support::TempFolder folder;
    QtKestrel k(folder);
    k.app.start();
    platform::FormRenderer* renderer = k.desktop.rendererFor(*k.app.fKestrel);
    QAction* exit = renderer->actionFor(k.app.fKestrel->mExit);
    ASSERT_NE(exit, nullptr);
    exit->trigger();
    k.app.run();  // the exit item closes the main window, which ends the loop
    EXPECT_TRUE(k.loop.quitRequested());
    EXPECT_FALSE(renderer->window()->isVisible());
}
