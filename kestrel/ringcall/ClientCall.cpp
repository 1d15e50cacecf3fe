#include "ClientCall.h"

#include <memory>

#include "EditAM.h"
#include "Modem.h"
#include "pRING_Cl.h"

namespace kestrel {

namespace {

// Creates a window, shows it modally with its reference set, and releases it.
template <typename Window>
void ShowModal(ClientCall& call, Window*& reference) {
    auto window = std::make_unique<Window>(call);
    reference = window.get();
    call.links.host.desktop.showModal(*window);
    reference = nullptr;
}

}  // namespace

ClientCall::ClientCall(const ClientCallLinks& links)
    : links(links), dRING(this->links, windows), sequence(this->links, dRING, windows) {}

void ClientCall::ShowModemWindow() {
    if (windows.fModC == nullptr) {
        ShowModal(*this, windows.fModC);
    }
}

void ClientCall::ShowClientCall() {
    ShowModal(*this, windows.fRING_Cl);
}

void ClientCall::ShowPhoneEditor() {
    ShowModal(*this, windows.EditorAdrM);
}

}  // namespace kestrel
