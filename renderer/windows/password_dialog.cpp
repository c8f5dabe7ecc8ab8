#include "renderer/windows/password_dialog.h"

namespace nuvrel {

bool Win9xPasswordDialog::IsWindows9xFamily() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    return version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

bool Win9xPasswordDialog::LoadPasswordLibrary() {
    library_ = LoadLibraryA("PASSWORD.CPL");
    return library_ != nullptr;
}

bool Win9xPasswordDialog::FindVerifyExport() {
    verify_ = reinterpret_cast<VerifyFunction>(
        reinterpret_cast<void*>(GetProcAddress(library_, "VerifyScreenSavePwd")));
    return verify_ != nullptr;
}

void Win9xPasswordDialog::FreePasswordLibrary() {
    FreeLibrary(library_);
    library_ = nullptr;
    verify_ = nullptr;
}

void Win9xPasswordDialog::SetScreenSaverRunning(bool running) {
    BOOL previous = FALSE;
    SystemParametersInfoA(SPI_SCREENSAVERRUNNING, running ? TRUE : FALSE, &previous, 0);
}

bool Win9xPasswordDialog::RunPasswordDialog() {
    return verify_(owner_) != FALSE;
}

}  // namespace nuvrel
