#pragma once

#include <cstdint>

namespace nuvrel {

struct ScreenPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// The messages that matter to the closing rules, as the window procedure sees them.
enum class ClosingEvent {
    Close,            // WM_CLOSE
    ShowWindow,       // WM_SHOWWINDOW; flag: being shown
    ActivateApp,      // WM_ACTIVATEAPP; flag: becoming active
    KeyOrButtonDown,  // WM_KEYDOWN, WM_SYSKEYDOWN, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN
    SetCursor,        // WM_SETCURSOR
    MouseMove,        // WM_MOUSEMOVE
    DisplayChange,    // WM_DISPLAYCHANGE
    Other,
};

// How the window procedure finishes a message.
enum class ClosingResult { DefaultProcessing, ReturnZero, ReturnOne };

// What the rules ask of the window and the cursor.
class ClosingPlatform {
  public:
    virtual ~ClosingPlatform() = default;
    virtual ScreenPoint CursorPosition() = 0;
    virtual void PostClose() = 0;  // post WM_CLOSE to the window
    virtual void HideCursor() = 0;
};

// The system's screen-saver password dialog of the Windows 9x family, loaded at run time.
class PasswordSystem {
  public:
    virtual ~PasswordSystem() = default;
    virtual bool IsWindows9xFamily() = 0;
    virtual bool LoadPasswordLibrary() = 0;
    virtual bool FindVerifyExport() = 0;
    virtual void FreePasswordLibrary() = 0;
    virtual void SetScreenSaverRunning(bool running) = 0;
    virtual bool RunPasswordDialog() = 0;  // true: the user may leave the screen saver
};

// Which input ends the renderer. Input sets CloseRequested and posts WM_CLOSE; a WM_CLOSE
// closes the window only once CloseRequested is set and the password check has passed.
// The very first mouse move only arms the movement rule: a window gets one at creation
// without any movement. So does the first after a display change, which takes the cursor's
// position as the new reference point: the system moves the cursor off a monitor that goes
// away, and a window placed again gets a mouse move without any movement.
struct ClosingRules {
    static constexpr int MoveThreshold = 4;  // largest travel in pixels that does not close

    bool CloseRequested = false;
    bool FirstMoveSeen = false;
    bool TakeNextMoveAsReference = false;
    ScreenPoint ReferencePoint;
    bool PasswordCheckActive = false;

    ClosingResult Handle(ClosingEvent event, bool flag, ClosingPlatform& platform,
                         PasswordSystem& passwords);

  private:
    void OnMouseMove(ClosingPlatform& platform);
};

// True when the window may close: outside the Windows 9x family, without the password
// library or its export, or when the dialog accepts.
bool VerifyPassword(PasswordSystem& passwords, bool& passwordCheckActive);

}  // namespace nuvrel
