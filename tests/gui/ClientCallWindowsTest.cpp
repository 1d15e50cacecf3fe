#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QTest>

#include "PtyEndpoint.h"
#include "gui/GuiSupport.h"
#include "kestrel/ringcall/ClientCall.h"
#include "kestrel/ringcall/EditAM.h"
#include "kestrel/ringcall/Modem.h"
#include "kestrel/ringcall/pRING_Cl.h"
#include "shared/Cp1251.h"
#include "sim/DialOutModemSim.h"

namespace {

// The client call on the Qt backend with its RING port (COM5) on a pseudo-terminal and a
// dial-out modem that never answers the dial; the work window is not there.
struct QtClientCall : kestrel::CallWorkWindow, kestrel::PortSettingsSource {
    QtClientCall(const testing_support::TempFolder& folder, std::uint8_t language) : k(folder) {
        values.program.LanguageIndex = language;
        values.program.ProgramFolder = folder.path();
        folder.writeBytes("ComPorts.000", "COM5=" + ringLine.devicePath() + "\r\n");
        folder.writeBytes("FlInPh.000", shared::Utf8ToCp1251("//справочник телефонов\r\n012345 // "
                                                             "office\r\n067 000 11 22\r\n"));
    }

    void LogRing(kestrel::LogKind, const std::string&) override {}
    void ClearRingLog() override {}
    std::string DialledNumber() const override { return "-\"\"-"; }
    void ShowDialledNumber(const std::string&) override {}
    void ShowCallBusy() override {}
    void ShowModemFault(const std::string&) override {}
    kestrel::PortSettings ServerPortSettings() const override { return {}; }
    kestrel::PortSettings WinPortSettings() const override { return {}; }
    kestrel::RingPortSetting RingPortSettings() const override { return {"COM5", "9600"}; }

    QWidget* widget(const platform::Form& form, const platform::Control& control) {
        return k.widget(form, control);
    }

    testing_support::QtKestrel k;
    tools::PtyEndpoint ringLine{k.loop};
    sim::DialOutModemSim modem{k.loop, ringLine, {.dialResult = ""}};
    kestrel::ProgramValues values;
    kestrel::ClientCall call{{k.platform, *this, values, *this}};
};

const std::pair<std::uint8_t, const char*> kLanguages[] = {{1, "UA"}, {2, "RU"}, {3, "EN"}};

}  // namespace

TEST(ClientCallWindows, ModemAndCallWindowsRenderInEachLanguageAndSpaceStopsTheCall) {
    for (const auto& [language, code] : kLanguages) {
        SCOPED_TRACE(code);
        testing_support::TempFolder folder;
        QtClientCall c(folder, language);
        ASSERT_TRUE(c.ringLine.ok());
        c.k.operatorScript.after(400, [&, code = code] {
            kestrel::TModC& modem = *c.call.windows.fModC;
            QWidget* window = c.k.desktop.rendererFor(modem)->window();
            EXPECT_EQ(window->windowTitle().toStdString(), modem.text());
            auto* numbers = qobject_cast<QComboBox*>(c.widget(modem, modem.ComboBox1));
            ASSERT_NE(numbers, nullptr);
            EXPECT_EQ(numbers->count(), 2);
            QAction* start = c.k.action(modem, modem.CONNECT1);
            ASSERT_NE(start, nullptr);
            EXPECT_EQ(start->text().toStdString(), modem.CONNECT1.text());
            EXPECT_FALSE(c.widget(modem, modem.Panel2)->isVisible());
            EXPECT_TRUE(
                testing_support::SaveReviewPicture(window, std::string("modem-window-") + code));
            numbers->setCurrentIndex(0);
            emit numbers->activated(0);
            start->trigger();
        });
        c.k.operatorScript.after(1000, [&, code = code] {
            kestrel::TfRING_Cl* call = c.call.windows.fRING_Cl;
            ASSERT_NE(call, nullptr);
            QWidget* window = c.k.desktop.rendererFor(*call)->window();
            auto* banner = qobject_cast<QLabel*>(c.widget(*call, call->lBaner));
            EXPECT_NE(banner->text().toStdString().find("012345 // office"), std::string::npos);
            EXPECT_NE(qobject_cast<QProgressBar*>(c.widget(*call, call->ProgBar_PHONE)), nullptr);
            EXPECT_TRUE(
                testing_support::SaveReviewPicture(window, std::string("call-window-") + code));
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus != nullptr ? focus : window, Qt::Key_Space);
        });
        c.call.ShowModemWindow();  // ends when the hang-up has closed it
        EXPECT_EQ(c.call.windows.fModC, nullptr);
        EXPECT_NE(c.modem.received().all().find("ATH0\r"), std::string::npos);
    }
}

TEST(ClientCallWindows, EditorRendersInEachLanguage) {
    for (const auto& [language, code] : kLanguages) {
        SCOPED_TRACE(code);
        testing_support::TempFolder folder;
        QtClientCall c(folder, language);
        c.k.operatorScript.after(400, [&] {
            kestrel::TEditorAdrM& editor = *c.call.windows.EditorAdrM;
            QWidget* window = c.k.desktop.rendererFor(editor)->window();
            EXPECT_EQ(window->windowTitle().toStdString(), editor.text());
            auto* rows = qobject_cast<QListWidget*>(c.widget(editor, editor.ListBox1));
            ASSERT_NE(rows, nullptr);
            EXPECT_EQ(rows->count(), 4);
            EXPECT_EQ(rows->currentRow(), 0);
            rows->setCurrentRow(1);
        });
        c.k.operatorScript.after(600, [&, code = code] {
            kestrel::TEditorAdrM& editor = *c.call.windows.EditorAdrM;
            EXPECT_EQ(editor.LabeledEdit1.text(), "012345");
            EXPECT_EQ(editor.LabeledEdit2.text(), "office");
            QWidget* window = c.k.desktop.rendererFor(editor)->window();
            EXPECT_TRUE(
                testing_support::SaveReviewPicture(window, std::string("editor-window-") + code));
            c.k.click(editor, editor.BitBtn2);
        });
        c.call.ShowPhoneEditor();
        EXPECT_EQ(c.call.windows.EditorAdrM, nullptr);
    }
}
