// The settings dialog as a user meets it: "Nuvrel.scr /c" from a folder of its own, real
// clicks and key presses, and the settings file's bytes read back.

#include <gtest/gtest.h>

#include <windows.h>

#include <oleacc.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/desktop.h"

namespace nuvrel {
namespace {

using namespace nuvrel::testing;

constexpr char DialogTitle[] = "<Nuvrel>";
const std::string KindKey = "BGM\x8B\xE6\x95\xAA";
const std::string RepeatKey = "BGM\xD8\xCB\xDF\xB0\xC4";
const std::string FileKey = "BGM\xCC\xA7\xB2\xD9";

// Positions in the dialog's client area, in twips.
struct Spot {
    int x;
    int y;
};
constexpr Spot NoneLabel{180 + 660 + 100, 240 + 1140 + 90};
constexpr Spot CdLabel{180 + 660 + 200, 240 + 840 + 90};
constexpr Spot FileLabel{180 + 660 + 200, 240 + 1440 + 90};
constexpr Spot CdPicture{180 + 420 + 97, 240 + 840 + 97};
constexpr Spot NonePicture{180 + 420 + 97, 240 + 1140 + 97};
constexpr Spot FilePicture{180 + 420 + 97, 240 + 1440 + 97};
constexpr Spot RepeatEdit{180 + 1680 + 150, 240 + 780 + 150};
constexpr Spot Background{4200, 3180};  // shaded, between the link and 設定
constexpr Spot FailureLine{180 + 420, 240 + 2250};
constexpr Spot FailureLineSize{6435, 195};

constexpr ScreenImage::Colour ChosenDot{0x21, 0xA1, 0x21};
constexpr ScreenImage::Colour White{0xFF, 0xFF, 0xFF};
constexpr ScreenImage::Colour Rgb(std::uint32_t rgb) {
    return {static_cast<int>(rgb >> 16), static_cast<int>((rgb >> 8) & 0xFF),
            static_cast<int>(rgb & 0xFF)};
}
using Rings = std::array<ScreenImage::Colour, 4>;
constexpr Rings FocusRings{Rgb(0xDCD6C2), Rgb(0x003C74), Rgb(0xCEE7FF), Rgb(0xCEE7FF)};
constexpr Rings HoverRings{Rgb(0xDCD6C2), Rgb(0x003C74), Rgb(0xFFF0CF), Rgb(0xFDD889)};
constexpr Rings NormalRings{Rgb(0xDCD6C2), Rgb(0x003C74), Rgb(0xF3F3EE), Rgb(0xF3F3EE)};
constexpr Rings PressedRings{Rgb(0xECE9D8), Rgb(0xDCD6C2), Rgb(0x003C74), Rgb(0xD1CCC1)};

// What a screen reader is told of a window, through the system's accessibility proxy.
struct Announced {
    std::wstring name;
    LONG role = 0;
    LONG state = 0;
};
std::optional<Announced> AnnouncedOf(HWND window) {
    using FromWindow = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
    static const HMODULE oleacc = LoadLibraryW(L"oleacc.dll");
    const auto fromWindow = reinterpret_cast<FromWindow>(
        reinterpret_cast<void*>(GetProcAddress(oleacc, "AccessibleObjectFromWindow")));
    IAccessible* object = nullptr;
    if (fromWindow == nullptr ||
        FAILED(fromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                          reinterpret_cast<void**>(&object)))) {
        return std::nullopt;
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    Announced announced;
    BSTR name = nullptr;
    if (object->get_accName(self, &name) == S_OK && name != nullptr) {
        announced.name = name;
        SysFreeString(name);
    }
    VARIANT role{};
    if (object->get_accRole(self, &role) == S_OK && role.vt == VT_I4) {
        announced.role = role.lVal;
    }
    VARIANT state{};
    if (object->get_accState(self, &state) == S_OK && state.vt == VT_I4) {
        announced.state = state.lVal;
    }
    object->Release();
    return announced;
}

class settings_dialog_program_test : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = MakeTestFolder("nuvrel-dialog");
        for (const char* file : {"Nuvrel.scr", "Nuvrel.dll"}) {
            ASSERT_TRUE(CopyFileA((ProgramFolder() + "\\" + file).c_str(),
                                  (folder_ + "\\" + file).c_str(), FALSE));
        }
        ASSERT_TRUE(WindowsTitled(DialogTitle).empty());
        // The pointer rests away from where the dialog opens.
        ASSERT_TRUE(Xdotool("mousemove 5 5"));
    }
    void TearDown() override {
        EndProgramsWithWindowsTitled(DialogTitle);
        Pause(300);
        RemoveFolder(folder_);
    }

    std::string IniPath() const { return folder_ + "\\Nuvrel.ini"; }
    std::string IniBytes() const {
        std::ifstream file(IniPath(), std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }
    void WriteIni(const std::string& bytes) const {
        std::ofstream(IniPath(), std::ios::binary) << bytes;
    }
    static std::string Ini(const std::string& kind, const std::string& repeat,
                           const std::string& file) {
        return "[Section]\r\n" + KindKey + "=" + kind + "\r\n" + RepeatKey + "=" + repeat + "\r\n" +
               FileKey + "=" + file + "\r\n";
    }

    HWND Open() {
        frontEnd_ = std::make_unique<Program>(folder_ + "\\Nuvrel.scr", "/c");
        dialog_ = WaitForWindow(DialogTitle);
        if (dialog_ != nullptr) {
            Pause(1000);
        }
        return dialog_;
    }

    void ClickAt(Spot spot, int button = 1) {
        POINT point{MulDiv(spot.x, 96, 1440), MulDiv(spot.y, 96, 1440)};
        ClientToScreen(dialog_, &point);
        ASSERT_TRUE(
            Xdotool("mousemove " + std::to_string(point.x) + " " + std::to_string(point.y)));
        ASSERT_TRUE(Xdotool("click " + std::to_string(button)));
        Pause(300);
    }

    // The Command buttons of the dialog, left to right and top to bottom: "...", 設定, ｷｬﾝｾﾙ.
    std::vector<HWND> Buttons() const {
        std::vector<HWND> buttons;
        for (HWND child = FindWindowExW(dialog_, nullptr, L"NuvrelCommand", nullptr);
             child != nullptr; child = FindWindowExW(dialog_, child, L"NuvrelCommand", nullptr)) {
            buttons.push_back(child);
        }
        std::sort(buttons.begin(), buttons.end(), [](HWND a, HWND b) {
            RECT ra{}, rb{};
            GetWindowRect(a, &ra);
            GetWindowRect(b, &rb);
            return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
        });
        return buttons;
    }
    // As a user does: the pointer moves onto the button, then clicks.
    void Press(HWND button) {
        RECT rect{};
        GetWindowRect(button, &rect);
        const int x = (rect.left + rect.right) / 2;
        const int y = (rect.top + rect.bottom) / 2;
        ASSERT_TRUE(Xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y - 4)));
        Pause(150);
        ASSERT_TRUE(Xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y)));
        Pause(300);
        ASSERT_TRUE(Xdotool("click 1"));
    }
    HWND RepeatBox() const { return FindWindowExW(dialog_, nullptr, L"ComboBox", nullptr); }
    std::wstring RepeatText() const {
        // Another process's control: its text comes by message, not from its caption.
        wchar_t text[64] = {};
        SendMessageW(RepeatBox(), WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
        return text;
    }
    // Into the edit field of the track box, key by key.
    void TypeTrack(const std::string& text) {
        ClickAt(RepeatEdit);
        ASSERT_TRUE(Xdotool("type --delay 60 '" + text + "'"));
        Pause(300);
    }
    // Presses the left button at one place and releases it at another, moving in steps.
    void Drag(POINT from, POINT to) {
        MoveTo(from);
        Pause(150);
        ASSERT_TRUE(Xdotool("mousedown 1"));
        Pause(150);
        for (int step = 1; step <= 4; ++step) {
            MoveTo({from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4});
            Pause(100);
        }
        Pause(300);
        ASSERT_TRUE(Xdotool("mouseup 1"));
        Pause(1000);
    }
    static void MoveTo(POINT point) {
        ASSERT_TRUE(
            Xdotool("mousemove " + std::to_string(point.x) + " " + std::to_string(point.y)));
    }
    POINT OnScreen(Spot spot) const {
        POINT point{MulDiv(spot.x, 96, 1440), MulDiv(spot.y, 96, 1440)};
        ClientToScreen(dialog_, &point);
        return point;
    }
    static POINT CentreOf(HWND window) {
        RECT rect{};
        GetWindowRect(window, &rect);
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    RECT OnScreen(Spot topLeft, Spot size) const {
        const POINT a = OnScreen(topLeft);
        const POINT b = OnScreen({topLeft.x + size.x, topLeft.y + size.y});
        return {a.x, a.y, b.x, b.y};
    }
    // The window with the keyboard focus in the dialog's thread.
    HWND Focused() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        const DWORD thread = GetWindowThreadProcessId(dialog_, nullptr);
        return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
    }
    static std::wstring TextOf(HWND window) {
        wchar_t text[64] = {};
        SendMessageW(window, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
        return text;
    }
    // The music kinds' radio buttons, by kind.
    std::array<HWND, 3> KindButtons() const {
        std::array<HWND, 3> kinds{};
        for (HWND child = FindWindowExW(dialog_, nullptr, L"NuvrelKind", nullptr); child != nullptr;
             child = FindWindowExW(dialog_, child, L"NuvrelKind", nullptr)) {
            const int kind = GetDlgCtrlID(child) - 110;
            if (kind >= 0 && kind < 3) {
                kinds[kind] = child;
            }
        }
        return kinds;
    }
    // Without a window manager the X server gives the keys to the window under the pointer:
    // it rests on the dialog's shaded background, where it touches nothing.
    void KeysToTheDialog() {
        MoveTo(OnScreen(Background));
        Pause(300);
    }
    // The dots of a focus rectangle (the panel's grey inverted) around a kind's label.
    int FocusDots(const ScreenImage& shot, Spot label) const {
        const POINT centre = OnScreen(label);
        const RECT around{centre.x - 40, centre.y - 9, centre.x + 60, centre.y + 9};
        return shot.CountIn(around, [](ScreenImage::Colour c) {
            return c == ScreenImage::Colour{0x1F, 0x1F, 0x1F};
        });
    }
    static void Key(const std::string& keys) {
        ASSERT_TRUE(Xdotool("key " + keys));
        Pause(300);
    }
    bool StillOpen() {
        return !frontEnd_->WaitForExit(0).has_value() &&
               FindWindowA(nullptr, DialogTitle) == dialog_;
    }
    void ExpectClosed() {
        EXPECT_EQ(frontEnd_->WaitForExit(10000), std::optional<DWORD>(0));
        EXPECT_TRUE(WindowsTitled(DialogTitle).empty());
    }
    static ScreenImage Screenshot(const std::string& name) {
        return CaptureScreen(NUVREL_ARTEFACT_DIR, name);
    }
    // The colour at the centre of a kind's radio picture: the green dot when it is chosen.
    ScreenImage::Colour RadioCentre(const ScreenImage& shot, Spot picture) const {
        const POINT centre = OnScreen(picture);
        return shot.At(centre.x, centre.y);
    }
    // The four outer pixel rings along the middle of a button's top edge.
    static std::array<ScreenImage::Colour, 4> TopRings(const ScreenImage& shot, HWND button) {
        RECT rect{};
        GetWindowRect(button, &rect);
        const int x = (rect.left + rect.right) / 2;
        return {shot.At(x, rect.top), shot.At(x, rect.top + 1), shot.At(x, rect.top + 2),
                shot.At(x, rect.top + 3)};
    }

    std::string folder_;
    std::unique_ptr<Program> frontEnd_;
    HWND dialog_ = nullptr;
};

TEST_F(settings_dialog_program_test, set_stores_the_kind_chosen_by_clicks_and_the_typed_track) {
    ASSERT_NE(Open(), nullptr);
    EXPECT_FALSE(IsWindowEnabled(RepeatBox()));
    ClickAt(CdLabel);
    EXPECT_TRUE(IsWindowEnabled(RepeatBox()));
    ClickAt(NoneLabel, 3);  // any mouse button chooses
    EXPECT_FALSE(IsWindowEnabled(RepeatBox()));
    ClickAt(CdPicture);
    EXPECT_TRUE(IsWindowEnabled(RepeatBox()));
    TypeTrack("3.5");
    const std::vector<HWND> buttons = Buttons();
    ASSERT_EQ(buttons.size(), 3u);
    Press(buttons[1]);
    ExpectClosed();
    EXPECT_EQ(IniBytes(), Ini("1", "4", ""));
}

TEST_F(settings_dialog_program_test, track_text_that_is_no_number_stores_zero) {
    ASSERT_NE(Open(), nullptr);
    ClickAt(CdLabel);
    TypeTrack("abc");
    Press(Buttons()[1]);
    ExpectClosed();
    EXPECT_EQ(IniBytes(), Ini("1", "0", ""));
}

TEST_F(settings_dialog_program_test, cancel_and_the_close_box_store_nothing) {
    const std::string before = Ini("1", "5", "");
    WriteIni(before);
    ASSERT_NE(Open(), nullptr);
    ClickAt(FileLabel);
    Press(Buttons()[2]);
    ExpectClosed();
    EXPECT_EQ(IniBytes(), before);

    ASSERT_NE(Open(), nullptr);
    ClickAt(NoneLabel);
    PostMessageW(dialog_, WM_CLOSE, 0, 0);
    ExpectClosed();
    EXPECT_EQ(IniBytes(), before);
}

TEST_F(settings_dialog_program_test, shows_the_stored_choice_and_keeps_it) {
    WriteIni(Ini("1", "45", ""));
    ASSERT_NE(Open(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(RepeatBox()));
    EXPECT_EQ(RepeatText(), L"45");
    EXPECT_EQ(SendMessageW(RepeatBox(), CB_GETCOUNT, 0, 0), 31);
    EXPECT_EQ(SendMessageW(RepeatBox(), CB_GETLBTEXTLEN, 0, 0), 0);
    EXPECT_EQ(SendMessageW(RepeatBox(), CB_GETLBTEXTLEN, 30, 0), 2);
    // The buttons in their looks: the focus moved by Tab from the track box onto 設定, the
    // pointer over ｷｬﾝｾﾙ, the file button untouched.
    const std::vector<HWND> buttons = Buttons();
    ASSERT_EQ(buttons.size(), 3u);
    ClickAt(RepeatEdit);
    ASSERT_TRUE(Xdotool("key Tab"));
    MoveTo({CentreOf(buttons[2]).x, CentreOf(buttons[2]).y - 4});
    Pause(150);
    MoveTo(CentreOf(buttons[2]));
    Pause(500);
    const ScreenImage shot = Screenshot("settings-dialog");
    ASSERT_FALSE(shot.Empty());
    EXPECT_EQ(RadioCentre(shot, CdPicture), ChosenDot);
    EXPECT_EQ(RadioCentre(shot, NonePicture), White);
    EXPECT_EQ(RadioCentre(shot, FilePicture), White);
    EXPECT_EQ(TopRings(shot, buttons[1]), FocusRings) << "設定 has the focus";
    EXPECT_EQ(TopRings(shot, buttons[2]), HoverRings) << "the pointer is over ｷｬﾝｾﾙ";
    Press(buttons[1]);
    ExpectClosed();
    EXPECT_EQ(IniBytes(), Ini("1", "45", ""));
}

TEST_F(settings_dialog_program_test, a_kind_out_of_range_shows_no_choice_and_is_kept) {
    WriteIni(Ini("7", "", ""));
    ASSERT_NE(Open(), nullptr);
    EXPECT_FALSE(IsWindowEnabled(RepeatBox()));
    const ScreenImage shot = Screenshot("settings-dialog-kind-7");
    ASSERT_FALSE(shot.Empty());
    for (Spot picture : {NonePicture, CdPicture, FilePicture}) {
        EXPECT_EQ(RadioCentre(shot, picture), White);
    }
    const std::vector<HWND> buttons = Buttons();
    ASSERT_EQ(buttons.size(), 3u);
    EXPECT_EQ(TopRings(shot, buttons[1]), NormalRings);
    Press(buttons[1]);
    ExpectClosed();
    EXPECT_EQ(IniBytes(), Ini("7", "0", ""));
}

// A settings file that cannot be written (here a folder stands in its place; tests run as
// root, for whom a read-only folder is no obstacle): the dialog says so and stays, and Set
// works once the file can be written.
TEST_F(settings_dialog_program_test, a_failed_write_is_told_and_the_dialog_stays) {
    ASSERT_TRUE(CreateDirectoryA(IniPath().c_str(), nullptr));
    ASSERT_NE(Open(), nullptr);
    ClickAt(CdLabel);
    const auto redPixels = [this](const ScreenImage& shot) {
        return shot.CountIn(OnScreen(FailureLine, FailureLineSize), [](ScreenImage::Colour c) {
            return c.red > 150 && c.green < 70 && c.blue < 70;
        });
    };
    EXPECT_EQ(redPixels(Screenshot("settings-dialog-before-failure")), 0);
    Press(Buttons()[1]);
    Pause(1500);
    EXPECT_GT(redPixels(Screenshot("settings-dialog-write-failed")), 40)
        << "the failure is told in a red line in the panel";
    EXPECT_TRUE(StillOpen());
    ASSERT_TRUE(RemoveDirectoryA(IniPath().c_str()));
    Press(Buttons()[1]);
    ExpectClosed();
    EXPECT_EQ(IniBytes(), Ini("1", "0", ""));
}

// Whatever is typed reaches Set's rules, however long: the box never refuses a character.
TEST_F(settings_dialog_program_test, the_track_box_takes_any_typed_text) {
    const std::pair<const char*, const char*> cases[] = {
        {"12345", "12345"}, {"abc", "0"}, {"2.5", "2"}, {"40000", "0"}};
    for (const auto& [typed, stored] : cases) {
        SCOPED_TRACE(typed);
        DeleteFileA(IniPath().c_str());
        ASSERT_NE(Open(), nullptr);
        ClickAt(CdLabel);
        TypeTrack(typed);
        const std::string text(typed);
        EXPECT_EQ(RepeatText(), std::wstring(text.begin(), text.end()));
        Press(Buttons()[1]);
        ExpectClosed();
        EXPECT_EQ(IniBytes(), Ini("1", stored, ""));
    }
}

// The window that takes a press keeps the mouse until its release: a press on the shaded
// background released over 設定 or ｷｬﾝｾﾙ clicks neither.
TEST_F(settings_dialog_program_test, a_press_begun_on_the_background_clicks_no_button) {
    ASSERT_NE(Open(), nullptr);
    ClickAt(CdLabel);
    const std::vector<HWND> buttons = Buttons();
    ASSERT_EQ(buttons.size(), 3u);
    Drag(OnScreen(Background), CentreOf(buttons[1]));
    EXPECT_TRUE(StillOpen()) << "released over 設定";
    EXPECT_EQ(GetFileAttributesA(IniPath().c_str()), INVALID_FILE_ATTRIBUTES);
    Drag(OnScreen(Background), CentreOf(buttons[2]));
    EXPECT_TRUE(StillOpen()) << "released over ｷｬﾝｾﾙ";
    // A press and release on the same button still clicks.
    Press(buttons[1]);
    ExpectClosed();
    EXPECT_EQ(IniBytes(), Ini("1", "0", ""));
}

// A double-click on a file in the file-open dialog closes it on the second press; the
// release that follows lands on whatever lies beneath, here 設定, and clicks nothing.
TEST_F(settings_dialog_program_test,
       the_release_after_a_double_click_in_the_file_dialog_is_no_click) {
    const std::string tune = folder_ + "\\tune.mp3";
    std::ofstream(tune, std::ios::binary) << "ID3";
    WriteIni(Ini("0", "", ""));
    ASSERT_NE(Open(), nullptr);
    const std::vector<HWND> buttons = Buttons();
    ASSERT_EQ(buttons.size(), 3u);
    ClickAt(FileLabel);  // the music file kind: the file button is enabled
    Press(buttons[0]);
    const HWND files = [] {
        for (int attempt = 0; attempt < 100; ++attempt) {
            if (HWND window = FindWindowTitledW(L"ﾌｧｲﾙを開く")) {
                return window;
            }
            Pause(100);
        }
        return HWND{};
    }();
    ASSERT_NE(files, nullptr);
    Pause(1500);  // it opens in the program's folder, where the tune lies
    const HWND list = FindDescendant(files, L"SysListView32");
    ASSERT_NE(list, nullptr);
    // Move the file dialog so that the first entry of its list (the only file) lies over 設定.
    POINT entry{24, 8};
    ClientToScreen(list, &entry);
    RECT frame{};
    GetWindowRect(files, &frame);
    const POINT set = CentreOf(buttons[1]);
    SetWindowPos(files, nullptr, frame.left + set.x - entry.x, frame.top + set.y - entry.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pause(500);
    for (int attempt = 0; attempt < 50; ++attempt) {
        const HWND under = WindowFromPoint(set);
        if (under == list || IsChild(list, under)) {
            break;
        }
        Pause(100);
    }
    const HWND under = WindowFromPoint(set);
    ASSERT_TRUE(under == list || IsChild(list, under)) << "the file list lies over 設定";
    MoveTo(set);
    Pause(800);
    // One run of xdotool, so that the two clicks are close enough to make a double-click.
    // The second press closes the file dialog; the button is let go once it has gone.
    ASSERT_TRUE(Xdotool("click 1 sleep 0.1 mousedown 1"));
    for (int attempt = 0; attempt < 100 && FindWindowTitledW(L"ﾌｧｲﾙを開く"); ++attempt) {
        Pause(100);
    }
    EXPECT_EQ(FindWindowTitledW(L"ﾌｧｲﾙを開く"), nullptr) << "the double-click chose the file";
    Pause(500);
    ASSERT_TRUE(Xdotool("mouseup 1"));
    Pause(1000);
    EXPECT_TRUE(StillOpen()) << "the stray release clicked 設定";
    EXPECT_EQ(IniBytes(), Ini("0", "", "")) << "nothing was stored";
    Press(buttons[1]);
    ExpectClosed();
    EXPECT_EQ(IniBytes(), Ini("2", "0", tune));
}

// A keyboard-only session: the focus starts on the chosen kind, the arrows choose another, Tab
// walks on in reading order past the disabled track box, and Space on 設定 stores the choice.
TEST_F(settings_dialog_program_test, the_keyboard_alone_chooses_a_kind_and_sets_it) {
    WriteIni(Ini("0", "", ""));
    ASSERT_NE(Open(), nullptr);
    KeysToTheDialog();
    const std::array<HWND, 3> kinds = KindButtons();
    const std::vector<HWND> buttons = Buttons();
    ASSERT_EQ(buttons.size(), 3u);
    EXPECT_EQ(Focused(), kinds[0]) << "the dialog opens with the focus on the chosen kind";
    // Focus rectangles show once the keyboard is used, or at once where the system always
    // shows keyboard cues (as Wine does).
    BOOL cuesAlways = FALSE;
    SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &cuesAlways, 0);
    EXPECT_EQ(FocusDots(Screenshot("settings-dialog-opened"), NoneLabel) > 20, cuesAlways != FALSE);
    Key("Up");
    EXPECT_EQ(Focused(), kinds[1]);
    const ScreenImage cdFocused = Screenshot("settings-dialog-cd-focused");
    EXPECT_GT(FocusDots(cdFocused, CdLabel), 20) << "a focus rectangle around the chosen label";
    EXPECT_EQ(FocusDots(cdFocused, NoneLabel), 0);
    EXPECT_TRUE(IsWindowEnabled(RepeatBox())) << "the CD kind, as a click chooses it";
    Key("Down Down");
    EXPECT_EQ(Focused(), kinds[2]);
    EXPECT_FALSE(IsWindowEnabled(RepeatBox()));
    Key("Tab");
    EXPECT_EQ(Focused(), buttons[0]) << "the file button, past the disabled track box";
    Key("Tab");
    EXPECT_EQ(Focused(), buttons[1]);
    ASSERT_TRUE(Xdotool("keydown space"));
    Pause(500);
    const ScreenImage shot = Screenshot("settings-dialog-space-down");
    EXPECT_EQ(TopRings(shot, buttons[1]), PressedRings) << "Space down shows 設定 pressed";
    EXPECT_EQ(RadioCentre(shot, FilePicture), ChosenDot);
    EXPECT_TRUE(StillOpen());
    ASSERT_TRUE(Xdotool("keyup space"));
    ExpectClosed();
    EXPECT_EQ(IniBytes(), Ini("2", "0", ""));
}

// Esc is Cancel; Enter on a focused ｷｬﾝｾﾙ clicks it, not the default 設定.
TEST_F(settings_dialog_program_test, escape_and_enter_on_cancel_store_nothing) {
    const std::string before = Ini("1", "5", "");
    WriteIni(before);
    ASSERT_NE(Open(), nullptr);
    KeysToTheDialog();
    Key("Down");
    EXPECT_FALSE(IsWindowEnabled(RepeatBox())) << "the kind none is chosen";
    Key("Escape");
    ExpectClosed();
    EXPECT_EQ(IniBytes(), before);

    ASSERT_NE(Open(), nullptr);
    KeysToTheDialog();
    Key("Down shift+Tab");
    EXPECT_EQ(Focused(), Buttons()[2]);
    Key("Return");
    ExpectClosed();
    EXPECT_EQ(IniBytes(), before);
}

TEST_F(settings_dialog_program_test, enter_anywhere_is_set) {
    ASSERT_NE(Open(), nullptr);
    KeysToTheDialog();
    Key("Return");
    ExpectClosed();
    EXPECT_EQ(IniBytes(), Ini("0", "0", ""));
}

// Enter in the open list of the track box picks the track; the next Enter is Set.
TEST_F(settings_dialog_program_test, enter_in_the_open_track_list_picks_the_track) {
    WriteIni(Ini("1", "", ""));
    ASSERT_NE(Open(), nullptr);
    KeysToTheDialog();
    Key("Tab");
    EXPECT_TRUE(IsChild(RepeatBox(), Focused()));
    Key("alt+Down");
    EXPECT_EQ(SendMessageW(RepeatBox(), CB_GETDROPPEDSTATE, 0, 0), TRUE);
    Key("Down Down Down");
    Key("Return");
    Pause(500);
    EXPECT_TRUE(StillOpen());
    EXPECT_EQ(SendMessageW(RepeatBox(), CB_GETDROPPEDSTATE, 0, 0), FALSE);
    const std::wstring track = RepeatText();
    EXPECT_FALSE(track.empty());
    Key("Return");
    ExpectClosed();
    EXPECT_EQ(IniBytes(), Ini("1", std::string(track.begin(), track.end()), ""));
}

// Each Command button's caption is its name, and each kind's label; the roles are those of a
// push button and of radio buttons where the system's annotation service answers (Windows
// Vista and later), a plain client area where it does not (Wine).
TEST_F(settings_dialog_program_test, screen_readers_hear_names_roles_and_the_chosen_kind) {
    WriteIni(Ini("1", "", ""));
    ASSERT_NE(Open(), nullptr);
    const std::vector<HWND> buttons = Buttons();
    ASSERT_EQ(buttons.size(), 3u);
    const std::array<std::wstring, 3> captions{L"...", L"設定", L"ｷｬﾝｾﾙ"};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const std::optional<Announced> announced = AnnouncedOf(buttons[i]);
        ASSERT_TRUE(announced.has_value());
        EXPECT_EQ(announced->name, captions[i]);
        EXPECT_TRUE(announced->role == ROLE_SYSTEM_PUSHBUTTON ||
                    announced->role == ROLE_SYSTEM_CLIENT)
            << announced->role;
        RecordProperty("role_" + std::to_string(i), static_cast<int>(announced->role));
    }
    const std::array<HWND, 3> kinds = KindButtons();
    const std::array<std::wstring, 3> labels{L"なし", L"音楽CD", L"MP3、WAV"};
    for (int kind = 0; kind < 3; ++kind) {
        const std::optional<Announced> announced = AnnouncedOf(kinds[kind]);
        ASSERT_TRUE(announced.has_value());
        EXPECT_EQ(announced->name, labels[kind]);
        if (announced->role == ROLE_SYSTEM_RADIOBUTTON) {
            EXPECT_EQ((announced->state & STATE_SYSTEM_CHECKED) != 0, kind == 1);
        } else {
            EXPECT_EQ(announced->role, ROLE_SYSTEM_CLIENT);
        }
        RecordProperty("kind_role_" + std::to_string(kind), static_cast<int>(announced->role));
    }
    KeysToTheDialog();
    Key("Escape");
    ExpectClosed();
}

}  // namespace
}  // namespace nuvrel
