// The settings dialog as a user meets it: "Nuvrel.scr /c" from a folder of its own, real
// clicks and key presses, and the settings file's bytes read back.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
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

class settings_dialog_program_test : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = MakeTestFolder("nuvrel-dialog");
        for (const char* file : {"Nuvrel.scr", "Nuvrel.dll"}) {
            ASSERT_TRUE(CopyFileA((ProgramFolder() + "\\" + file).c_str(),
                                  (folder_ + "\\" + file).c_str(), FALSE));
        }
        ASSERT_TRUE(WindowsTitled(DialogTitle).empty());
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
    void TypeTrack(const std::string& text) {
        SendMessageW(RepeatBox(), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(std::wstring(text.begin(), text.end()).c_str()));
    }
    void ExpectClosed() {
        EXPECT_EQ(frontEnd_->WaitForExit(10000), std::optional<DWORD>(0));
        EXPECT_TRUE(WindowsTitled(DialogTitle).empty());
    }
    void Screenshot(const std::string& name) {
        RunUnixCommand("import -window root " + std::string(NUVREL_ARTEFACT_DIR) + "/" + name);
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
    // The buttons in their looks: the pointer over 設定, the focus on ｷｬﾝｾﾙ.
    const std::vector<HWND> buttons = Buttons();
    ASSERT_EQ(buttons.size(), 3u);
    SetFocus(buttons[2]);
    Xdotool("key Tab");
    RECT set{};
    GetWindowRect(buttons[1], &set);
    Xdotool("mousemove " + std::to_string(set.left + 10) + " " + std::to_string(set.top + 10));
    Pause(500);
    Screenshot("settings-dialog.png");
    Press(buttons[1]);
    ExpectClosed();
    EXPECT_EQ(IniBytes(), Ini("1", "45", ""));
}

TEST_F(settings_dialog_program_test, a_kind_out_of_range_shows_no_choice_and_is_kept) {
    WriteIni(Ini("7", "", ""));
    ASSERT_NE(Open(), nullptr);
    EXPECT_FALSE(IsWindowEnabled(RepeatBox()));
    Screenshot("settings-dialog-kind-7.png");
    Press(Buttons()[1]);
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
    Press(Buttons()[1]);
    Pause(1500);
    Screenshot("settings-dialog-write-failed.png");
    EXPECT_FALSE(frontEnd_->WaitForExit(0).has_value());
    EXPECT_EQ(FindWindowA(nullptr, DialogTitle), dialog_);
    ASSERT_TRUE(RemoveDirectoryA(IniPath().c_str()));
    Press(Buttons()[1]);
    ExpectClosed();
    EXPECT_EQ(IniBytes(), Ini("1", "0", ""));
}

}  // namespace
}  // namespace nuvrel
