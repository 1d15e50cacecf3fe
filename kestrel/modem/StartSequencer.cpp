#include "StartSequencer.h"

namespace kestrel {

StartSequencer::StartSequencer(ComModem& modem, platform::Timer& tWaitNetComMod, bool sorrelModem)
    : modem_(modem), tWaitNetComMod_(tWaitNetComMod), sorrelModem_(sorrelModem) {}

bool StartSequencer::TakeNextCommand() {
    const ModemCommand command = SequenceEntry(sequenceNo_, stepIndex_);
    ++stepIndex_;
    if (command == ModemCommand::None) {
        return false;
    }
    pauseLength_ = CommandRow(command).pause;
    pauseCounter_ = 0;
    modem_.SendModemCommand(command);
    return true;
}

void StartSequencer::ReplyAndPauseStep() {
    if (step_ == StartStep::AwaitReply && modem_.CommandDone) {
        modem_.PendingCommand = ModemCommand::None;
        tWaitNetComMod_.setEnabled(true);
        step_ = StartStep::AwaitPause;
    } else if (step_ == StartStep::AwaitPause && pauseCounter_ >= pauseLength_) {
        tWaitNetComMod_.setEnabled(false);
        step_ = StartStep::TakeNext;
    }
}

bool StartSequencer::ModemControlStep() {
    if (modem_.ErrorFlagged()) {
        tWaitNetComMod_.setEnabled(false);
        return true;
    }
    switch (step_) {
        case StartStep::Begin:
            // The modem kind with power control was just switched on: no status query.
            sequenceNo_ = sorrelModem_ ? 2 : 1;
            stepIndex_ = 0;
            step_ = StartStep::TakeNext;
            break;
        case StartStep::TakeNext:
            if (TakeNextCommand()) {
                step_ = StartStep::AwaitReply;
            } else {
                tWaitNetComMod_.setEnabled(false);
                step_ = StartStep::BeginLinkCheck;
            }
            break;
        case StartStep::AwaitReply:
        case StartStep::AwaitPause:
            ReplyAndPauseStep();
            break;
        case StartStep::BeginLinkCheck:
            step_ = StartStep::CheckLink;
            break;
        case StartStep::CheckLink:
            if (modem_.LinkState != SocketState::Connected) {
                return true;
            }
            modem_.SendModemCommand(ModemCommand::TcpClose);
            step_ = StartStep::AwaitClose;
            break;
        case StartStep::AwaitClose:
            if (modem_.CommandDone) {
                step_ = StartStep::QueryStatusAgain;
            }
            break;
        case StartStep::QueryStatusAgain:
            modem_.SendModemCommand(ModemCommand::IpStatus);
            step_ = StartStep::AwaitStatus;
            break;
        case StartStep::AwaitStatus:
            return modem_.CommandDone;
    }
    return false;
}

bool StartSequencer::ServerStartStep() {
    if (modem_.ErrorFlagged()) {
        modem_.ClearLineTable();
        modem_.StopResponseTimer();
        tWaitNetComMod_.setEnabled(false);
        return true;
    }
    switch (step_) {
        case StartStep::Begin:
            stepIndex_ = 0;
            // A freshly powered modem has no GPRS yet, whatever an earlier query showed.
            if (sorrelModem_) {
                modem_.ModemIpState = IpState::IpInitial;
            }
            switch (modem_.ModemIpState) {
                case IpState::IpStart:
                    sequenceNo_ = 4;
                    break;
                case IpState::IpGprsAct:
                    sequenceNo_ = 5;
                    break;
                case IpState::IpStatus:
                    sequenceNo_ = 6;
                    break;
                default:
                    sequenceNo_ = 3;
                    break;
            }
            step_ = StartStep::TakeNext;
            break;
        case StartStep::TakeNext:
            if (!TakeNextCommand()) {
                tWaitNetComMod_.setEnabled(false);
                return true;
            }
            step_ = StartStep::AwaitReply;
            break;
        case StartStep::AwaitReply:
        case StartStep::AwaitPause:
            ReplyAndPauseStep();
            break;
        default:
            break;
    }
    return false;
}

}  // namespace kestrel
