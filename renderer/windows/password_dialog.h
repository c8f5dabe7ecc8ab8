#pragma once

#include <windows.h>

#include "renderer/windows/closing_rules.h"

namespace nuvrel {

// The screen-saver password dialog of the Windows 9x family: "PASSWORD.CPL", loaded anew
// for every close attempt and freed after it.
class Win9xPasswordDialog final : public PasswordSystem {
  public:
    explicit Win9xPasswordDialog(HWND owner) : owner_(owner) {}

    bool IsWindows9xFamily() override;
    bool LoadPasswordLibrary() override;
    bool FindVerifyExport() override;
    void FreePasswordLibrary() override;
    void SetScreenSaverRunning(bool running) override;
    bool RunPasswordDialog() override;

  private:
    using VerifyFunction = BOOL(WINAPI*)(HWND);

    HWND owner_;
    HMODULE library_ = nullptr;
    VerifyFunction verify_ = nullptr;
};

}  // namespace nuvrel
