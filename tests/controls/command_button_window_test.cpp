// The Command button on a real window under Wine, as a user meets it: the pointer and the
// mouse buttons are the X server's, driven by xdotool.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "frontend/controls/button_face.h"
#include "frontend/controls/command_button.h"
#include "tests/support/desktop.h"

namespace nuvrel {
namespace {

using namespace nuvrel::testing;

constexpr wchar_t Title[] = L"Nuvrel button test";
constexpr wchar_t TestClass[] = L"NuvrelButtonTestWindow";
constexpr int ButtonWidth = 100;
constexpr int ButtonHeight = 30;

enum ButtonId { SettingsId = 101, CancelId, BrowseId, DisabledId };

std::map<int, int> clicksReceived;

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        ++clicksReceived[LOWORD(wParam)];
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

Font NamedFont(const char16_t* name, double size, std::int16_t charset) {
    Font font;
    font.Name = name;
    font.Size = size;
    font.Charset = charset;
    return font;
}

PropertyBag Description(const char16_t* caption, const Font& font) {
    PropertyBag stored;
    stored.Write("Caption", std::u16string(caption));
    stored.Write("Font", font);
    return stored;
}

bool WaitUntil(const std::function<bool()>& done, DWORD milliseconds = 1500) {
    const DWORD deadline = GetTickCount() + milliseconds;
    while (!done()) {
        if (static_cast<LONG>(deadline - GetTickCount()) <= 0) {
            return false;
        }
        Pause(10);
    }
    return true;
}

class command_button_window_test : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Xdotool("mousemove 20 20"));
        clicksReceived.clear();
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = TestWindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.lpszClassName = TestClass;
        RegisterClassExW(&windowClass);
        dialog =
            CreateWindowExW(0, TestClass, Title, WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 100, 100,
                            520, 160, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(dialog, nullptr);
        settings =
            Add(SettingsId, 0, Description(u"設定", NamedFont(u"ＭＳ Ｐゴシック", 9.75, 128)));
        cancel = Add(CancelId, 1, Description(u"Cancel", NamedFont(u"Tahoma", 8.25, 0)));
        PropertyBag browse;
        browse.Write("Caption", std::u16string(u"参照..."));
        this->browse = Add(BrowseId, 2, browse);
        PropertyBag off = Description(u"Disabled", NamedFont(u"Tahoma", 8.25, 0));
        off.Write("Enabled", false);
        disabled = Add(DisabledId, 3, off);
        Pause(500);
    }

    void TearDown() override {
        DestroyWindow(dialog);
        Pause(100);
    }

    HWND Add(int id, int column, const PropertyBag& stored) {
        const int left = 20 + column * (ButtonWidth + 20);
        const RECT bounds{left, 30, left + ButtonWidth, 30 + ButtonHeight};
        HWND button = CreateCommandButton(dialog, id, bounds, stored);
        EXPECT_NE(button, nullptr);
        return button;
    }

    static POINT CentreOf(HWND window) {
        RECT rect{};
        GetWindowRect(window, &rect);
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }

    // A place on the dialog beside no button.
    POINT EmptySpot() const {
        RECT rect{};
        GetWindowRect(dialog, &rect);
        return {rect.left + 260, rect.bottom - 25};
    }

    static void MoveTo(POINT point) {
        ASSERT_TRUE(
            Xdotool("mousemove " + std::to_string(point.x) + " " + std::to_string(point.y)));
    }

    static CommandLook LookOf(HWND button) {
        const auto look = InspectCommand(button);
        EXPECT_TRUE(look.has_value());
        return look.value_or(CommandLook{});
    }

    static bool IsIn(HWND button, ButtonState state) { return LookOf(button).State == state; }

    void Hover(HWND button) {
        MoveTo(CentreOf(button));
        ASSERT_TRUE(WaitUntil([&] { return IsIn(button, ButtonState::HighLight); }));
    }

    HWND dialog = nullptr;
    HWND settings = nullptr;
    HWND cancel = nullptr;
    HWND browse = nullptr;
    HWND disabled = nullptr;
};

TEST_F(command_button_window_test, buttons_start_normal_and_the_disabled_one_greyed) {
    for (HWND button : {settings, cancel, browse}) {
        const CommandLook look = LookOf(button);
        EXPECT_TRUE(look.Enabled);
        EXPECT_TRUE(look.Painted);
        EXPECT_EQ(look.State, ButtonState::Normal);
        EXPECT_EQ(look.Face, FaceImage::Normal);
    }
    EXPECT_EQ(LookOf(disabled).Face, FaceImage::Disable);
    EXPECT_EQ(GetCommandCaption(settings), u"設定");
    EXPECT_EQ(GetCommandCaption(browse), u"参照...");
    EXPECT_EQ(GetCommandFont(browse)->Name, u"ＭＳ Ｐゴシック")
        << "the dialog has no font of its own";
    wchar_t text[32] = {};
    GetWindowTextW(settings, text, 32);
    EXPECT_EQ(std::wstring(text), L"設定");
}

TEST_F(command_button_window_test, caption_fonts_have_every_character_of_their_captions) {
    for (HWND button : {settings, cancel, browse}) {
        const std::u16string caption = GetCommandCaption(button);
        const std::wstring text(caption.begin(), caption.end());
        HDC dc = GetDC(button);
        const HGDIOBJ original =
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)));
        std::vector<WORD> glyphs(text.size());
        GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                         GGI_MARK_NONEXISTING_GLYPHS);
        SelectObject(dc, original);
        ReleaseDC(button, dc);
        EXPECT_EQ(std::count(glyphs.begin(), glyphs.end(), 0xFFFF), 0)
            << "missing glyphs in " << std::string(text.begin(), text.end()).size()
            << " characters of caption " << GetDlgCtrlID(button);
    }
}

TEST_F(command_button_window_test, hover_lights_the_button_and_leaving_ends_it_within_the_timer) {
    Hover(settings);
    EXPECT_EQ(LookOf(settings).Face, FaceImage::HighLight);
    EXPECT_TRUE(LookOf(settings).GradientInverted);
    MoveTo(EmptySpot());
    const DWORD left = GetTickCount();
    ASSERT_TRUE(WaitUntil([&] { return IsIn(settings, ButtonState::Normal); }));
    EXPECT_LE(GetTickCount() - left, 300u);
    EXPECT_EQ(LookOf(settings).Face, FaceImage::Normal);
}

TEST_F(command_button_window_test, moving_straight_to_another_button_moves_the_hover) {
    Hover(settings);
    Hover(cancel);
    EXPECT_TRUE(WaitUntil([&] { return IsIn(settings, ButtonState::Normal); }, 500));
}

TEST_F(command_button_window_test, left_click_takes_the_focus_and_clicks_once) {
    Hover(settings);
    ASSERT_TRUE(Xdotool("click 1"));
    ASSERT_TRUE(WaitUntil([] { return clicksReceived[SettingsId] == 1; }));
    Pause(200);
    EXPECT_EQ(clicksReceived[SettingsId], 1);
    EXPECT_EQ(GetFocus(), settings);
    EXPECT_EQ(LookOf(settings).State, ButtonState::HighLightSelect);
    EXPECT_EQ(LookOf(settings).Face, FaceImage::HighLightSelect);

    MoveTo(EmptySpot());
    ASSERT_TRUE(WaitUntil([&] { return IsIn(settings, ButtonState::Selected); }, 500));
    EXPECT_EQ(LookOf(settings).Face, FaceImage::Selected);
}

TEST_F(command_button_window_test, clicking_another_button_takes_the_focus_from_the_first) {
    Hover(settings);
    ASSERT_TRUE(Xdotool("click 1"));
    Hover(cancel);
    ASSERT_TRUE(Xdotool("click 1"));
    ASSERT_TRUE(WaitUntil([] { return clicksReceived[CancelId] == 1; }));
    EXPECT_EQ(GetFocus(), cancel);
    EXPECT_EQ(LookOf(settings).State, ButtonState::Normal);
    EXPECT_EQ(LookOf(settings).Face, FaceImage::Normal);
    EXPECT_EQ(clicksReceived[SettingsId], 1);
}

TEST_F(command_button_window_test, right_click_over_a_hovered_button_clicks_without_a_new_face) {
    Hover(cancel);
    ASSERT_TRUE(Xdotool("mousedown 3"));
    Pause(200);
    EXPECT_EQ(LookOf(cancel).Face, FaceImage::HighLight);
    ASSERT_TRUE(Xdotool("mouseup 3"));
    ASSERT_TRUE(WaitUntil([] { return clicksReceived[CancelId] == 1; }));
    EXPECT_EQ(LookOf(cancel).State, ButtonState::HighLight);
    EXPECT_EQ(LookOf(cancel).Face, FaceImage::HighLight);
    EXPECT_NE(GetFocus(), cancel);
}

TEST_F(command_button_window_test, pressing_dragging_off_and_releasing_raises_nothing) {
    Hover(browse);
    ASSERT_TRUE(Xdotool("mousedown 1"));
    ASSERT_TRUE(WaitUntil([&] { return LookOf(browse).MouseIsDown; }));
    EXPECT_EQ(LookOf(browse).Face, FaceImage::Pressed);
    EXPECT_EQ(LookOf(browse).State, ButtonState::HighLightSelect);
    MoveTo(EmptySpot());
    ASSERT_TRUE(WaitUntil([&] { return IsIn(browse, ButtonState::Selected); }, 500));
    EXPECT_EQ(LookOf(browse).Face, FaceImage::Selected);
    ASSERT_TRUE(Xdotool("mouseup 1"));
    ASSERT_TRUE(WaitUntil([&] { return !LookOf(browse).MouseIsDown; }));
    Pause(200);
    EXPECT_EQ(clicksReceived[BrowseId], 0);
    EXPECT_EQ(LookOf(browse).State, ButtonState::Selected);
}

// The test window does not keep the mouse, so the release reaches the button: the button
// itself must see that the press was not its own.
TEST_F(command_button_window_test, a_release_of_a_press_begun_elsewhere_is_no_click) {
    MoveTo(EmptySpot());
    Pause(150);
    ASSERT_TRUE(Xdotool("mousedown 1"));
    Pause(150);
    const POINT from = EmptySpot();
    const POINT to = CentreOf(settings);
    for (int step = 1; step <= 4; ++step) {
        MoveTo({from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4});
        Pause(80);
    }
    ASSERT_TRUE(WaitUntil([&] { return IsIn(settings, ButtonState::HighLight); }));
    ASSERT_TRUE(Xdotool("mouseup 1"));
    Pause(300);
    EXPECT_EQ(clicksReceived[SettingsId], 0);
    EXPECT_EQ(LookOf(settings).Face, FaceImage::HighLight) << "the release repaints nothing";
    // A press and release on it still clicks.
    ASSERT_TRUE(Xdotool("click 1"));
    ASSERT_TRUE(WaitUntil([&] { return clicksReceived[SettingsId] == 1; }));
}

TEST_F(command_button_window_test, left_release_in_hover_without_focus_shows_normal) {
    // The dialog keeps the focus for itself, as when focus is refused.
    Hover(cancel);
    SendMessageW(cancel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SetFocus(dialog);
    SendMessageW(cancel, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(clicksReceived[CancelId], 1);
    EXPECT_EQ(LookOf(cancel).State, ButtonState::Normal) << "losing the focus ended the hover";
}

TEST_F(command_button_window_test, a_disabled_button_ignores_the_mouse) {
    MoveTo(CentreOf(disabled));
    Pause(300);
    ASSERT_TRUE(Xdotool("click 1"));
    ASSERT_TRUE(Xdotool("click 3"));
    Pause(300);
    EXPECT_EQ(clicksReceived[DisabledId], 0);
    EXPECT_EQ(LookOf(disabled).State, ButtonState::Normal);
    EXPECT_EQ(LookOf(disabled).Face, FaceImage::Disable);
    EXPECT_NE(GetFocus(), disabled);

    SetCommandEnabled(disabled, true);
    EXPECT_EQ(LookOf(disabled).Face, FaceImage::Normal);
    ASSERT_TRUE(Xdotool("mousemove_relative 1 0"));
    ASSERT_TRUE(WaitUntil([&] { return IsIn(disabled, ButtonState::HighLight); }));
}

TEST_F(command_button_window_test, a_button_created_without_a_description_waits_for_enabled) {
    HWND late =
        CreateWindowExW(0, CommandClassName, L"Later", WS_CHILD | WS_VISIBLE, 20, 75, ButtonWidth,
                        ButtonHeight, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(105)),
                        GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(late, nullptr);
    EXPECT_FALSE(LookOf(late).Enabled);
    EXPECT_EQ(LookOf(late).Face, FaceImage::Disable);
    EXPECT_EQ(GetCommandCaption(late), u"Later");
    MoveTo(CentreOf(late));
    Pause(300);
    EXPECT_EQ(LookOf(late).State, ButtonState::Normal);

    EXPECT_TRUE(GetCommandEnabled(late));
    EXPECT_EQ(LookOf(late).Face, FaceImage::Normal);
    ASSERT_TRUE(Xdotool("mousemove_relative 1 0"));
    EXPECT_TRUE(WaitUntil([&] { return IsIn(late, ButtonState::HighLight); }));
}

TEST_F(command_button_window_test, properties_save_and_change_through_the_window) {
    SetCommandCaption(cancel, u"Command");
    SetCommandFontColour(cancel, 0x0000FF);
    EXPECT_EQ(GetCommandFontColour(cancel), 0x0000FFu);
    PropertyBag saved;
    SaveCommandProperties(cancel, saved);
    ASSERT_EQ(saved.Entries().size(), 2u);
    EXPECT_EQ(saved.Entries()[0].first, "Font");
    EXPECT_EQ(saved.Entries()[1].first, "FontColour");

    SetWindowTextW(cancel, L"閉じる");
    EXPECT_EQ(GetCommandCaption(cancel), u"閉じる");
    SetCommandVisible(cancel, false);
    EXPECT_FALSE(GetCommandVisible(cancel));
    SetCommandVisible(cancel, true);
    EXPECT_TRUE(GetCommandVisible(cancel));
}

// A binary PPM screenshot of the whole X screen.
struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;

    Rgb At(int x, int y) const {
        const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
        return {rgb[i], rgb[i + 1], rgb[i + 2]};
    }
};

Screenshot TakeScreenshot(const std::string& name) {
    const std::string shot = std::string(NUVREL_ARTEFACT_DIR) + "/" + name;
    if (RunUnixCommand("import -window root -depth 8 " + shot + ".ppm") != 0) {
        return {};
    }
    RunUnixCommand("convert " + shot + ".ppm " + shot + ".png");
    std::ifstream file(WindowsPathOf(shot + ".ppm"), std::ios::binary);
    std::string magic;
    Screenshot image;
    int maxValue = 0;
    file >> magic >> image.width >> image.height >> maxValue;
    file.get();
    image.rgb.assign(std::istreambuf_iterator<char>(file), {});
    if (magic != "P6" || maxValue != 255 ||
        image.rgb.size() != static_cast<std::size_t>(image.width) * image.height * 3) {
        return {};
    }
    return image;
}

void ExpectTopRings(const Screenshot& shot, HWND button, std::array<std::uint32_t, 4> rings) {
    RECT rect{};
    GetWindowRect(button, &rect);
    for (int ring = 0; ring < 4; ++ring) {
        EXPECT_EQ(shot.At(rect.left + 10, rect.top + ring), RgbOf(rings[ring])) << "ring " << ring;
    }
}

int Brightness(Rgb colour) {
    return colour.R + colour.G + colour.B;
}

// How much lighter the face is just under the frame than just above the bottom frame.
int GradientFall(const Screenshot& shot, HWND button) {
    RECT rect{};
    GetWindowRect(button, &rect);
    return Brightness(shot.At(rect.left + 10, rect.top + FrameWidth)) -
           Brightness(shot.At(rect.left + 10, rect.bottom - FrameWidth - 1));
}

int DarkPixelsIn(const Screenshot& shot, HWND button) {
    RECT rect{};
    GetWindowRect(button, &rect);
    int dark = 0;
    for (int y = rect.top + FrameWidth; y < rect.bottom - FrameWidth; ++y) {
        for (int x = rect.left + FrameWidth; x < rect.right - FrameWidth; ++x) {
            const Rgb pixel = shot.At(x, y);
            dark += std::max({pixel.R, pixel.G, pixel.B}) < 110;
        }
    }
    return dark;
}

TEST_F(command_button_window_test, screen_shows_focused_hovered_normal_and_disabled_faces) {
    Hover(settings);
    ASSERT_TRUE(Xdotool("click 1"));
    Hover(cancel);
    ASSERT_TRUE(WaitUntil([&] { return IsIn(settings, ButtonState::Selected); }));
    Pause(300);

    const Screenshot shot = TakeScreenshot("controls-screenshot");
    ASSERT_GT(shot.width, 0);
    ExpectTopRings(shot, settings, {0xDCD6C2, 0x003C74, 0xCEE7FF, 0xCEE7FF});
    ExpectTopRings(shot, cancel, {0xDCD6C2, 0x003C74, 0xFFF0CF, 0xFDD889});
    ExpectTopRings(shot, browse, {0xDCD6C2, 0x003C74, 0xF3F3EE, 0xF3F3EE});
    ExpectTopRings(shot, disabled, {0xECE9D8, 0xC9C7BA, 0xF5F4EA, 0xF5F4EA});

    EXPECT_GT(GradientFall(shot, browse), 90) << "white at the top, lavender at the bottom";
    EXPECT_GT(GradientFall(shot, settings), 90);
    EXPECT_LT(GradientFall(shot, cancel), -90) << "hover turns the gradient over";

    for (HWND button : {settings, cancel, browse}) {
        EXPECT_GT(DarkPixelsIn(shot, button), 20) << "the caption is drawn in black";
    }
    EXPECT_EQ(DarkPixelsIn(shot, disabled), 0) << "a disabled caption is grey";
}

}  // namespace
}  // namespace nuvrel
