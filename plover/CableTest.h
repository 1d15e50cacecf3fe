#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "TestFrames.h"
#include "TesterTexts.h"
#include "platform/core/Control.h"
#include "platform/core/Desktop.h"
#include "platform/core/SerialPort.h"
#include "platform/core/Timer.h"

namespace plover {

// What the cable test needs of the tester window. Sides are 1 (RS-01) and 2 (RS-02).
class CableTestView {
  public:
    virtual ~CableTestView() = default;

    // Refills both port lists.
    virtual void showPortLists(const std::vector<std::string>& names) = 0;
    // The port chosen in a side's list without its new-port mark; empty when none is chosen.
    virtual std::string selectedPort(int side) const = 0;
    virtual void showPortName(int side, const std::string& name) = 0;
    virtual void showErrorCount(std::uint16_t errors) = 0;
    // The number of cycles of a run, as the operator has set it now.
    virtual int cycles() const = 0;
    virtual bool monitoringOn() const = 0;
    virtual void enableMonitoring(bool enabled) = 0;
    virtual void enableTest(bool enabled) = 0;
    // Turns the test switch off, which ends the run as the operator's switching off does.
    virtual void switchTestOff() = 0;
    virtual void clearLog() = 0;
    virtual void logLine(const platform::Colour& colour, const std::string& text) = 0;
};

// Port monitoring and the data test: RS-01 sends FrameA to RS-02, RS-02 sends FrameB back, for
// the chosen number of cycles, counting failed exchanges.
class CableTest {
  public:
    enum class TestDirection { Rs01ToRs02 = 1, Rs02ToRs01 = 2 };

    static constexpr int kTestSpeed = 115200;
    static constexpr int kFirstPort = 1;
    static constexpr int kLastPort = 100;
    // As much as a port's input buffer holds; more received in one exchange is dropped.
    static constexpr std::size_t kRxBufferLimit = 2048;

    CableTest(platform::EventLoop& loop, platform::SerialPorts& ports, platform::Desktop& desktop,
              const TesterLanguage& language, CableTestView& view);

    void StartMonitoring();
    void StopMonitoring();
    void ScanPorts();
    void StartTest();
    void EndTest();

    std::unique_ptr<platform::SerialPort> XComm1;
    std::unique_ptr<platform::SerialPort> XComm2;
    platform::Timer tStepContrRS;
    platform::Timer tWr_DataRS;
    platform::Timer tRd_DataRS;

    std::vector<std::string> KnownPorts;
    bool FirstScanDone = false;
    TestDirection Direction = TestDirection::Rs01ToRs02;
    std::uint16_t CycleCount = 0;
    std::uint16_t ErrorCount = 0;
    CompareResult LastCompare = CompareResult::Good;
    bool TestAborted = false;
    bool TestPassed = false;
    std::string SentFrame1;
    std::string SentFrame2;
    std::string RxBuffer1;
    std::string RxBuffer2;

  private:
    struct Side {
        platform::SerialPort& port;
        std::string& name;
        std::string& sentFrame;
        std::string& rxBuffer;
    };
    Side side(int number);

    void tStepContrRSTimer();
    // Opens a side's port on its chosen name; false, after the box, when the port is not present.
    bool OpenTestPort(int number);
    void CloseTestPort(int number);
    void WriteTick();
    void SendFrame(int number, const std::string& frame);
    void Receive(int number);
    void ReadTick();
    void AbortTest();
    void ErrorBox(const std::string& text);

    platform::EventLoop& loop_;
    platform::SerialPorts& ports_;
    platform::Desktop& desktop_;
    const TesterLanguage& language_;
    CableTestView& view_;
    std::string portName1_;
    std::string portName2_;
};

}  // namespace plover
