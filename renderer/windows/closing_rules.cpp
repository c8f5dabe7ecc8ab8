#include "renderer/windows/closing_rules.h"

#include <cstdlib>

namespace nuvrel {

ClosingResult ClosingRules::Handle(ClosingEvent event, bool flag, ClosingPlatform& platform,
                                   PasswordSystem& passwords) {
    if (event == ClosingEvent::Close) {
        if (!CloseRequested) {
            return ClosingResult::ReturnZero;
        }
        if (!VerifyPassword(passwords, PasswordCheckActive)) {
            ReferencePoint = platform.CursorPosition();
            return ClosingResult::ReturnZero;
        }
        return ClosingResult::DefaultProcessing;
    }
    if (event == ClosingEvent::DisplayChange) {
        TakeNextMoveAsReference = true;
        return ClosingResult::DefaultProcessing;
    }
    // The password dialog's own message loop still dispatches to this window.
    if (PasswordCheckActive) {
        return ClosingResult::DefaultProcessing;
    }
    switch (event) {
        case ClosingEvent::ShowWindow:
            if (flag) {
                platform.HideCursor();
            }
            break;
        case ClosingEvent::ActivateApp:
            if (!flag) {
                CloseRequested = true;
                platform.PostClose();
            }
            break;
        case ClosingEvent::KeyOrButtonDown:
            CloseRequested = true;
            platform.PostClose();
            break;
        case ClosingEvent::SetCursor:
            platform.HideCursor();
            return ClosingResult::ReturnOne;
        case ClosingEvent::MouseMove:
            OnMouseMove(platform);
            break;
        case ClosingEvent::Close:
        case ClosingEvent::DisplayChange:
        case ClosingEvent::Other:
            break;
    }
    return ClosingResult::DefaultProcessing;
}

// Travel is measured from the reference point, which follows every small move, so slow
// creeping never adds up to a close.
void ClosingRules::OnMouseMove(ClosingPlatform& platform) {
    if (TakeNextMoveAsReference) {
        TakeNextMoveAsReference = false;
        FirstMoveSeen = true;
        ReferencePoint = platform.CursorPosition();
        return;
    }
    if (FirstMoveSeen) {
        CloseRequested = true;
    } else {
        FirstMoveSeen = true;
    }
    const ScreenPoint cursor = platform.CursorPosition();
    const std::int64_t travel = std::llabs(std::int64_t{ReferencePoint.x} - cursor.x) +
                                std::llabs(std::int64_t{ReferencePoint.y} - cursor.y);
    if (travel > MoveThreshold) {
        platform.PostClose();
    } else {
        ReferencePoint = cursor;
    }
}

bool VerifyPassword(PasswordSystem& passwords, bool& passwordCheckActive) {
    if (!passwords.IsWindows9xFamily() || !passwords.LoadPasswordLibrary()) {
        return true;
    }
    if (!passwords.FindVerifyExport()) {
        passwords.FreePasswordLibrary();
        return true;
    }
    passwords.SetScreenSaverRunning(true);
    passwordCheckActive = true;
    const bool accepted = passwords.RunPasswordDialog();
    passwordCheckActive = false;
    passwords.SetScreenSaverRunning(false);
    passwords.FreePasswordLibrary();
    return accepted;
}

}  // namespace nuvrel
