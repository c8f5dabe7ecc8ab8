// The settings dialog moved to a monitor of another DPI. Wine has one DPI for all its
// monitors, so the system's WM_DPICHANGED is sent here as Windows sends it, to a dialog
// shown in this process.

#include <gtest/gtest.h>

#include <windows.h>

#include <thread>

#include "frontend/controls/dpi_scale.h"
#include "frontend/settings/settings_dialog.h"
#include "frontend/settings/settings_win32.h"
#include "tests/support/desktop.h"

namespace nuvrel {
namespace {

using namespace nuvrel::testing;

RECT InClient(HWND dialog, HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

HWND ButtonCaptioned(HWND dialog, const wchar_t* caption) {
    return FindWindowExW(dialog, nullptr, L"NuvrelCommand", caption);
}

TEST(settings_dialog_dpi_change_test, lays_itself_out_again_at_the_new_dpi) {
    const std::string folder = MakeTestFolder("nuvrel-dpi-change");
    Settings settings;
    settings.BgmKind = 1;
    Win32SettingsPlatform platform(std::u16string(folder.begin(), folder.end()));
    std::thread shown([&] { ShowSettingsDialog(settings, platform); });
    const HWND dialog = WaitForWindow("<Nuvrel>");
    ASSERT_NE(dialog, nullptr);
    Pause(500);

    RECT client{};
    GetClientRect(dialog, &client);
    const int dpi = client.right * 1440 / 7440;
    const int newDpi = dpi * 3 / 2;
    RECT suggested{40, 30, 40 + 900, 30 + 500};
    SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(newDpi, newDpi),
                 reinterpret_cast<LPARAM>(&suggested));
    Pause(300);

    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, PixelsOfTwips(7440, newDpi));
    EXPECT_EQ(client.bottom, PixelsOfTwips(3690, newDpi));
    RECT window{};
    GetWindowRect(dialog, &window);
    EXPECT_EQ(window.left, 40);
    EXPECT_EQ(window.top, 30);

    const HWND set = ButtonCaptioned(dialog, L"設定");
    ASSERT_NE(set, nullptr);
    const RECT setPlace = InClient(dialog, set);
    EXPECT_EQ(setPlace.left, PixelsOfTwips(4860, newDpi));
    EXPECT_EQ(setPlace.top, PixelsOfTwips(3000, newDpi));
    EXPECT_EQ(setPlace.right, PixelsOfTwips(4860 + 1155, newDpi));
    EXPECT_EQ(setPlace.bottom, PixelsOfTwips(3000 + 375, newDpi));
    const HWND file = ButtonCaptioned(dialog, L"...");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(InClient(dialog, file).left, PixelsOfTwips(180 + 420, newDpi));

    const HWND combo = FindWindowExW(dialog, nullptr, L"ComboBox", nullptr);
    ASSERT_NE(combo, nullptr);
    const RECT box = InClient(dialog, combo);
    EXPECT_EQ(box.left, PixelsOfTwips(180 + 1680, newDpi));
    EXPECT_EQ(box.right, PixelsOfTwips(180 + 1680 + 615, newDpi));
    LOGFONTW font{};
    ASSERT_TRUE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(combo, WM_GETFONT, 0, 0)),
                           sizeof font, &font));
    EXPECT_EQ(font.lfHeight, -FontPixelsOfPoints(8.25, newDpi)) << "the track box's font";

    PostMessageW(dialog, WM_CLOSE, 0, 0);
    shown.join();
    RemoveFolder(folder);
}

}  // namespace
}  // namespace nuvrel
