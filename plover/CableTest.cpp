#include "CableTest.h"

#include <algorithm>

#include "shared/Helpers.h"
#include "shared/PortProbe.h"

namespace plover {

namespace {

constexpr int kScanIntervalMs = 1000;
constexpr int kExchangeStepMs = 500;
constexpr int kReopenPauseMs = 100;
constexpr const char* kNewPortMark = "==>";

}  // namespace

CableTest::CableTest(platform::EventLoop& loop, platform::SerialPorts& ports,
                     platform::Desktop& desktop, const TesterLanguage& language,
                     CableTestView& view)
    : XComm1(ports.create()),
      XComm2(ports.create()),
      tStepContrRS(loop, kScanIntervalMs, false),
      tWr_DataRS(loop, kExchangeStepMs, false),
      tRd_DataRS(loop, kExchangeStepMs, false),
      loop_(loop),
      ports_(ports),
      desktop_(desktop),
      language_(language),
      view_(view) {
    XComm1->setSpeed(9600);
    XComm2->setSpeed(9600);
    XComm1->onDataReceived([this] { Receive(1); });
    XComm2->onDataReceived([this] { Receive(2); });
    tStepContrRS.onTick([this] { tStepContrRSTimer(); });
    tWr_DataRS.onTick([this] { WriteTick(); });
    tRd_DataRS.onTick([this] { ReadTick(); });
}

CableTest::Side CableTest::side(int number) {
    return number == 1 ? Side{*XComm1, portName1_, SentFrame1, RxBuffer1}
                       : Side{*XComm2, portName2_, SentFrame2, RxBuffer2};
}

void CableTest::StartMonitoring() {
    view_.enableTest(false);
    KnownPorts.clear();
    FirstScanDone = false;
    tStepContrRS.setEnabled(true);
}

void CableTest::tStepContrRSTimer() {
    tStepContrRS.setEnabled(false);
    ScanPorts();
    if (view_.monitoringOn()) {
        tStepContrRS.setEnabled(true);
    }
}

void CableTest::ScanPorts() {
    std::vector<std::string> names;
    for (int n = kFirstPort; n <= kLastPort; ++n) {
        const std::string name = "COM" + std::to_string(n);
        if (!shared::ProbePort(ports_, name)) {
            continue;
        }
        if (!FirstScanDone) {
            KnownPorts.push_back(name);
            names.push_back(name);
        } else if (std::find(KnownPorts.begin(), KnownPorts.end(), name) == KnownPorts.end()) {
            names.push_back(kNewPortMark + name);
        } else {
            names.push_back(name);
        }
    }
    view_.showPortLists(names);
    FirstScanDone = true;
}

void CableTest::StopMonitoring() {
    view_.enableTest(true);
    tStepContrRS.setEnabled(false);
}

void CableTest::StartTest() {
    view_.clearLog();
    view_.enableMonitoring(false);
    TestAborted = false;
    TestPassed = false;

    for (int number : {1, 2}) {
        const std::string port = view_.selectedPort(number);
        if (port.empty()) {
            view_.switchTestOff();
            ErrorBox((number == 1 ? "RS-01 " : "RS-02 ") +
                     language_.text(TesterText::PortNotAssigned));
            return;
        }
        side(number).name = port;
        view_.showPortName(number, port);
    }
    if (portName1_ == portName2_) {
        view_.switchTestOff();
        ErrorBox("RS-01 = RS-2");
        return;
    }
    // A port that is gone leaves the switch on with nothing running; switching it off closes
    // what was opened.
    if (!OpenTestPort(1) || !OpenTestPort(2)) {
        return;
    }
    RxBuffer1.clear();
    RxBuffer2.clear();
    CycleCount = 0;
    ErrorCount = 0;
    view_.showErrorCount(0);
    Direction = TestDirection::Rs01ToRs02;
    tWr_DataRS.setEnabled(true);
}

bool CableTest::OpenTestPort(int number) {
    platform::SerialPort& port = side(number).port;
    const std::string& name = side(number).name;
    if (port.isOpen()) {
        port.close();
    }
    loop_.sleep(kReopenPauseMs);
    port.setSpeed(kTestSpeed);
    port.setName(name);
    // A port that does not open is found closed by the first send.
    if (!port.isOpen() && port.open()) {
        port.setDtr(false);
        port.setRts(false);
    }
    if (!shared::ProbePort(ports_, name)) {
        ErrorBox(language_.text(TesterText::PortMissing) + name);
        return false;
    }
    return true;
}

void CableTest::CloseTestPort(int number) {
    side(number).port.close();
}

void CableTest::WriteTick() {
    tWr_DataRS.setEnabled(false);
    if (TestAborted) {
        return;
    }
    // Bytes that arrived outside an exchange do not count.
    SentFrame1.clear();
    SentFrame2.clear();
    RxBuffer1.clear();
    RxBuffer2.clear();
    const int sender = Direction == TestDirection::Rs01ToRs02 ? 1 : 2;
    view_.logLine(platform::colours::Green,
                  language_.text(TesterText::LogSend) + side(sender).name);
    SendFrame(sender, sender == 1 ? FrameA() : FrameB());
    tRd_DataRS.setEnabled(true);
}

void CableTest::SendFrame(int number, const std::string& frame) {
    Side s = side(number);
    s.sentFrame = frame;
    if (!s.port.isOpen()) {
        AbortTest();
        ErrorBox(language_.text(TesterText::PortNotOpen) + s.name);
        return;
    }
    if (s.port.write(frame) != frame.size()) {
        AbortTest();
        ErrorBox(language_.text(TesterText::WriteFailed) + s.name);
        return;
    }
    view_.logLine(platform::colours::Blue, shared::BytesToHexText(frame));
}

void CableTest::Receive(int number) {
    Side s = side(number);
    const std::string bytes = s.port.readAll();
    s.rxBuffer.append(bytes, 0, kRxBufferLimit - std::min(kRxBufferLimit, s.rxBuffer.size()));
}

void CableTest::ReadTick() {
    tRd_DataRS.setEnabled(false);
    if (TestAborted) {
        return;
    }
    if (Direction == TestDirection::Rs02ToRs01) {
        ++CycleCount;
    }
    const int sender = Direction == TestDirection::Rs01ToRs02 ? 1 : 2;
    const int receiver = 3 - sender;
    Side in = side(receiver);
    view_.logLine(platform::colours::Green, language_.text(TesterText::LogReceive) + in.name);
    view_.logLine(platform::colours::Maroon, shared::BytesToHexText(in.rxBuffer));
    LastCompare = CompareFrame(side(sender).sentFrame, in.rxBuffer);
    if (LastCompare != CompareResult::Good) {
        ++ErrorCount;
    }
    Direction = Direction == TestDirection::Rs01ToRs02 ? TestDirection::Rs02ToRs01
                                                       : TestDirection::Rs01ToRs02;

    if (LastCompare != CompareResult::Good) {
        view_.showErrorCount(ErrorCount);
        view_.logLine(platform::colours::Red,
                      language_.text(LastCompare == CompareResult::NothingReceived
                                         ? TesterText::LogNothingReceived
                                         : TesterText::LogWrongData));
    }
    if (CycleCount < view_.cycles()) {
        tWr_DataRS.setEnabled(true);
        return;
    }
    if (ErrorCount == 0 && !TestAborted) {
        TestPassed = true;
    }
    view_.switchTestOff();
}

void CableTest::AbortTest() {
    TestAborted = true;
    view_.switchTestOff();
    tWr_DataRS.setEnabled(false);
    tRd_DataRS.setEnabled(false);
    CloseTestPort(1);
    CloseTestPort(2);
}

void CableTest::EndTest() {
    view_.enableMonitoring(true);
    tWr_DataRS.setEnabled(false);
    tRd_DataRS.setEnabled(false);
    CloseTestPort(1);
    CloseTestPort(2);
    if (TestPassed) {
        desktop_.messageBox(platform::BoxIcon::Warning, language_.text(TesterText::RunPassed),
                            platform::BoxButtons::Ok);
    }
}

void CableTest::ErrorBox(const std::string& text) {
    desktop_.messageBox(platform::BoxIcon::Error, text, platform::BoxButtons::Ok);
}

}  // namespace plover
