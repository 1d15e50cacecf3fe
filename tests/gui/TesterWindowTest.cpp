#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <fstream>

#include "InProcessPlover.h"
#include "gui/GuiSupport.h"
#include "plover/pRs_Wren.h"

TEST(TesterWindow, RendersInEachLanguage) {
    const struct {
        const char* code;
        const char* caption;
        const char* monitoring;
        const char* errors;
    } cases[] = {
        {"UA", "контроль нуль-модемного кабелю", "Контроль портів", "Кіл-сть\nпомилок"},
        {"RU", "контроль нуль-модемного кабеля", "Контроль портов", "Кол-во\nошибок"},
        {"EN", "null modem cable control", "Port control", "Number\nof errors"},
    };
    for (const auto& c : cases) {
        testing_support::TempFolder folder;
        std::ofstream(folder.path() / "Type_Leng.000", std::ios::binary) << c.code << "\r\n";
        tools::InProcessPlover p(folder.path());
        p.operatorScript.after(400, [&] {
            plover::TfRS_Wren& w = *p.app.fRS_Wren;
            const platform::FormRenderer* renderer = p.desktop.rendererFor(w);
            ASSERT_NE(renderer, nullptr);
            EXPECT_TRUE(renderer->window()->isVisible());
            EXPECT_EQ(renderer->window()->windowTitle().toStdString(), c.caption);
            EXPECT_EQ(
                qobject_cast<QCheckBox*>(p.desktop.widget(w, w.rxStart))->text().toStdString(),
                c.monitoring);
            EXPECT_FALSE(p.desktop.widget(w, w.rxControl_Data)->isEnabled());
            EXPECT_EQ(qobject_cast<QLabel*>(p.desktop.widget(w, w.lError))->text().toStdString(),
                      c.errors);
            EXPECT_EQ(qobject_cast<QComboBox*>(p.desktop.widget(w, w.CB_LANGUAGE))
                          ->currentText()
                          .toStdString(),
                      c.code);
            EXPECT_EQ(
                qobject_cast<QGroupBox*>(p.desktop.widget(w, w.rgRS_02))->title().toStdString(),
                "RS-02");
            EXPECT_TRUE(testing_support::SaveReviewPicture(renderer->window(),
                                                           std::string("tester-window-") + c.code));
            p.desktop.click(w, w.mExit);
        });
        p.app.start();
        p.app.run();
        EXPECT_EQ(p.app.fRS_Wren, nullptr) << c.code;
    }
}
