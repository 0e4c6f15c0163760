// shell/sxThreadLink.cpp -- TsxThreadLink
#include "sxThreadLink.h"

#include "desktop/SysUtils.h"
#include "desktop/Thread.h"

namespace {

// Lives on the worker's stack while the worker blocks in Synchronize.
struct TDelivery {
    const TsxThreadLink* Link;
    TThreadMethod Handler;
    void Run() {
        // Checked on the GUI thread, where stops are asked for: once the owner stopped the
        // monitor (it may be freeing its window right now), nothing more reaches the handler.
        if (Link->StopRequested()) return;
        try {
            Handler();
        } catch (...) {
            HandleCallbackException();
        }
    }
};

}  // namespace

TsxThreadLink::TsxThreadLink() : FWake(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    if (!FWake.IsValid()) throw EWin32Error("TsxThreadLink: CreateEventA", GetLastError());
}

void TsxThreadLink::RequestStop() noexcept {
    FStopRequested = true;
    SetEvent(FWake.Get());
}

void TsxThreadLink::Deliver(const TThreadMethod& handler) {
    if (!handler || FStopRequested) return;
    TDelivery delivery{this, handler};
    TThread::Synchronize(TThreadMethod(&delivery, &TDelivery::Run));
}
