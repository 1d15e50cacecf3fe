#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "gui/GuiSupport.h"
#include "kestrel/settings/In_RS232.h"

TEST(SettingsWindow, RendersInEachLanguageWithItsVisibleControls) {
    for (const char* code : {"UA", "RU", "EN"}) {
        testing_support::TempFolder folder;
        folder.writeBytes("Type_Leng.000", std::string(code) + "\r\n");
        testing_support::QtKestrel k(folder);
        k.app.start();
        kestrel::TInRS232& settings = *k.app.InRS232;
        k.operatorScript.after(300, [&] {
            platform::FormRenderer* renderer = k.desktop.rendererFor(settings);
            ASSERT_NE(renderer, nullptr);
            EXPECT_TRUE(renderer->window()->isVisible());
            auto* banner = qobject_cast<QLabel*>(renderer->widgetFor(settings.lBaner));
            EXPECT_EQ(banner->text().toStdString(), settings.lBaner.text());
            EXPECT_TRUE(renderer->widgetFor(settings.cbRS232_SERV)->isVisible());
            EXPECT_TRUE(renderer->widgetFor(settings.lAPN_Serv)->isVisible());
            EXPECT_FALSE(renderer->widgetFor(settings.chSORREL)->isVisible());
            EXPECT_FALSE(renderer->widgetFor(settings.seTmOut_Conn)->isVisible());
            auto* speeds = qobject_cast<QComboBox*>(renderer->widgetFor(settings.cbSpeedServ));
            EXPECT_EQ(speeds->count(), 12);
            EXPECT_EQ(speeds->currentText(), "115200");
            EXPECT_TRUE(testing_support::SaveReviewPicture(renderer->window(),
                                                           std::string("settings-window-") + code));
            settings.mExit.click();
        });
        k.app.fKestrel->mSetPar.click();
        EXPECT_FALSE(settings.isShown());
        k.app.fKestrel->close();
    }
}
