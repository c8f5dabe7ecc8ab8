#include "renderer/windows/frame_wait.h"

#include <windows.h>

namespace nuvrel {

void WaitForMessageOrTimeout(PaceClock::duration timeout) {
    const auto milliseconds = std::chrono::ceil<std::chrono::milliseconds>(timeout).count();
    if (milliseconds <= 0) {
        return;
    }
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(milliseconds), QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
}

void FineTimerResolution::Hold(bool fine) {
    if (fine == raised_) {
        return;
    }
    if (fine) {
        raised_ = timeBeginPeriod(1) == TIMERR_NOERROR;
    } else {
        timeEndPeriod(1);
        raised_ = false;
    }
}

}  // namespace nuvrel
