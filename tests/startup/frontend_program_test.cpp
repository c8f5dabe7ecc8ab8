// The front end as a user and the system meet it: Nuvrel.scr started with its command line
// from a folder of its own, its windows found by title, the renderer ended by a real key.

#include <gtest/gtest.h>

#include <fstream>

#include <windows.h>

#include <memory>
#include <string>

#include "frontend/settings/settings_win32.h"
#include "tests/support/desktop.h"

namespace nuvrel {
namespace {

using namespace nuvrel::testing;

class frontend_program_test : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Xdotool("mousemove 300 300"));
        folder_ = MakeTestFolder("nuvrel-frontend");
        ASSERT_TRUE(WindowsTitled("Nuvrel_Main").empty());
        ASSERT_TRUE(WindowsTitled("Nuvrel_VC").empty());
    }
    void TearDown() override {
        // Whatever a failed test left running goes first.
        EndProgramsWithWindowsTitled("Nuvrel_VC");
        EndProgramsWithWindowsTitled("Nuvrel_Main");
        Pause(300);
        RemoveFolder(folder_);
    }

    void Install(const std::string& folder, bool withRenderer = true,
                 const char* renderer = "Nuvrel.dll") {
        CreateDirectoryA(folder.c_str(), nullptr);
        const std::string built = ProgramFolder();
        ASSERT_TRUE(
            CopyFileA((built + "\\Nuvrel.scr").c_str(), (folder + "\\Nuvrel.scr").c_str(), FALSE));
        if (withRenderer) {
            ASSERT_TRUE(CopyFileA((built + "\\" + renderer).c_str(),
                                  (folder + "\\Nuvrel.dll").c_str(), FALSE));
        }
    }
    void Install(bool withRenderer = true) { Install(folder_, withRenderer); }

    void ChooseMusic(std::int16_t kind, const std::u16string& file) {
        Settings settings;
        settings.BgmKind = kind;
        settings.BgmFile = file;
        Win32SettingsPlatform platform(std::u16string(folder_.begin(), folder_.end()));
        ASSERT_TRUE(SaveSettings(settings, platform));
    }

    std::unique_ptr<Program> StartFrontEnd(const std::string& arguments) {
        return StartFrontEndIn(folder_, arguments);
    }
    static std::unique_ptr<Program> StartFrontEndIn(const std::string& folder,
                                                    const std::string& arguments) {
        auto program = std::make_unique<Program>(folder + "\\Nuvrel.scr", arguments);
        EXPECT_TRUE(program->Started());
        return program;
    }

    // Runs the screensaver until the renderer shows, ends it with a key, and requires both
    // programs to be gone soon after.
    void RunAndEndWithKey(Program& frontEnd) {
        const HWND supervisor = WaitForWindow("Nuvrel_Main");
        ASSERT_NE(supervisor, nullptr);
        EXPECT_FALSE(IsWindowVisible(supervisor));
        const HWND renderer = WaitForWindow("Nuvrel_VC");
        ASSERT_NE(renderer, nullptr);
        DWORD rendererId = 0;
        GetWindowThreadProcessId(renderer, &rendererId);
        const HANDLE rendererProcess = OpenProcess(SYNCHRONIZE, FALSE, rendererId);
        Pause(1500);
        ASSERT_TRUE(Xdotool("key space"));
        // Without a window manager Wine waits up to two seconds for the X window to be
        // withdrawn, so the time is counted from the renderer window's end.
        const DWORD pressed = GetTickCount();
        while (IsWindow(renderer) && GetTickCount() - pressed < 5000) {
            Pause(10);
        }
        EXPECT_FALSE(IsWindow(renderer));
        const DWORD rendererGone = GetTickCount();
        EXPECT_EQ(frontEnd.WaitForExit(5000), std::optional<DWORD>(0));
        const DWORD ended = GetTickCount() - rendererGone;
        EXPECT_LT(ended, 1000u) << "the front end ended " << ended << " ms after the renderer";
        EXPECT_EQ(WaitForSingleObject(rendererProcess, 1000), WAIT_OBJECT_0);
        CloseHandle(rendererProcess);
        EXPECT_TRUE(WindowsTitled("Nuvrel_Main").empty());
        EXPECT_TRUE(WindowsTitled("Nuvrel_VC").empty());
    }

    std::string folder_;
};

TEST_F(frontend_program_test, run_mode_without_music_ends_with_the_renderer) {
    Install();
    auto frontEnd = StartFrontEnd("/s");
    RunAndEndWithKey(*frontEnd);
}

// A damaged settings file of 50 MB (code page 932 text) is no settings file: the dialog opens
// with the defaults and run mode starts.
TEST_F(frontend_program_test, a_huge_settings_file_lets_every_start_go_on) {
    Install();
    {
        std::ofstream file(folder_ + "\\Nuvrel.ini", std::ios::binary);
        file << "[Section]\r\nBGM\x8B\xE6\x95\xAA=1\r\n";
        const std::string line = "\x83\x5C\x95\x5C=" + std::string(90, 'x') + "\r\n";
        for (std::size_t size = 0; size < 50u << 20; size += line.size()) {
            file << line;
        }
    }
    auto dialog = StartFrontEnd("/c");
    const HWND window = WaitForWindow("<Nuvrel>");
    EXPECT_NE(window, nullptr) << "the settings dialog opens";
    if (window) {
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    EXPECT_EQ(dialog->WaitForExit(10000), std::optional<DWORD>(0));

    auto frontEnd = StartFrontEnd("/s");
    RunAndEndWithKey(*frontEnd);
}

TEST_F(frontend_program_test, a_cancelled_shutdown_leaves_run_mode_running) {
    Install();
    auto frontEnd = StartFrontEnd("/s");
    const HWND supervisor = WaitForWindow("Nuvrel_Main");
    ASSERT_NE(supervisor, nullptr);
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(supervisor, WM_ENDSESSION, FALSE, 0, SMTO_ABORTIFHUNG, 2000, &answer);
    EXPECT_EQ(frontEnd->WaitForExit(1000), std::nullopt);
    RunAndEndWithKey(*frontEnd);
}

TEST_F(frontend_program_test, an_empty_command_line_runs_the_screensaver) {
    Install();
    auto frontEnd = StartFrontEnd("");
    RunAndEndWithKey(*frontEnd);
}

// A second of silence.
void WriteWav(const std::string& path) {
    const DWORD rate = 8000;
    const DWORD samples = rate;
    std::string bytes = "RIFF";
    const auto put32 = [&bytes](DWORD v) {
        for (int i = 0; i < 4; ++i)
            bytes += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    const auto put16 = [&bytes](WORD v) {
        bytes += static_cast<char>(v & 0xFF);
        bytes += static_cast<char>(v >> 8);
    };
    put32(36 + samples);
    bytes += "WAVEfmt ";
    put32(16);
    put16(1);
    put16(1);
    put32(rate);
    put32(rate);
    put16(1);
    put16(8);
    bytes += "data";
    put32(samples);
    bytes += std::string(samples, '\x80');
    FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

TEST_F(frontend_program_test, each_kind_of_music_runs_and_ends_cleanly) {
    Install();
    const std::string wav = folder_ + "\\loop.WAV";
    WriteWav(wav);
    const std::string mp3 = folder_ + "\\not really.mp3";
    WriteWav(mp3);
    struct Choice {
        std::int16_t kind;
        std::string file;
    };
    for (const Choice& choice : {Choice{2, wav}, Choice{2, mp3}, Choice{1, ""}}) {
        SCOPED_TRACE(choice.file.empty() ? "audio CD" : choice.file);
        ChooseMusic(choice.kind, std::u16string(choice.file.begin(), choice.file.end()));
        auto frontEnd = StartFrontEnd("/s");
        RunAndEndWithKey(*frontEnd);
    }
}

// The display control panel's preview box: a window of the test's own.
class PreviewBox {
  public:
    PreviewBox(int width, int height) {
        window_ = CreateWindowExW(0, L"STATIC", L"Nuvrel test: preview box", WS_POPUP | WS_VISIBLE,
                                  100, 100, width, height, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    }
    ~PreviewBox() { Destroy(); }
    void Destroy() {
        if (window_ != nullptr) {
            DestroyWindow(window_);
            window_ = nullptr;
        }
    }
    HWND Handle() const { return window_; }
    std::string Argument() const {
        return std::to_string(reinterpret_cast<std::intptr_t>(window_));
    }

  private:
    HWND window_ = nullptr;
};

TEST_F(frontend_program_test, a_second_copy_ends_at_once) {
    Install();
    // The control panel's box is there before the screensaver starts: a window shown later
    // would take the activation from the renderer, which then ends.
    PreviewBox box(152, 112);
    auto first = StartFrontEnd("/s");
    ASSERT_NE(WaitForWindow("Nuvrel_Main"), nullptr);
    for (const char* arguments : {"/s", "/c"}) {
        SCOPED_TRACE(arguments);
        auto second = StartFrontEnd(arguments);
        EXPECT_EQ(second->WaitForExit(5000), std::optional<DWORD>(0));
        EXPECT_EQ(WindowsTitled("Nuvrel_Main").size(), 1u);
        EXPECT_TRUE(WindowsTitled("<Nuvrel>").empty());
    }
    {
        SCOPED_TRACE("/p into a real preview box");
        auto second = StartFrontEnd("/p " + box.Argument());
        EXPECT_EQ(second->WaitForExit(5000), std::optional<DWORD>(0))
            << "a preview ran beside the screensaver";
        EXPECT_EQ(FindWindowExW(box.Handle(), nullptr, nullptr, L"Preview Window"), nullptr);
    }
    RunAndEndWithKey(*first);
}

TEST_F(frontend_program_test, an_unknown_switch_ends_without_a_word) {
    Install();
    for (const char* arguments : {"/a", "s"}) {
        SCOPED_TRACE(arguments);
        auto frontEnd = StartFrontEnd(arguments);
        EXPECT_EQ(frontEnd->WaitForExit(5000), std::optional<DWORD>(0));
        EXPECT_TRUE(WindowsTitled("Nuvrel").empty());
        EXPECT_TRUE(WindowsTitled("Nuvrel_VC").empty());
    }
}

BOOL CALLBACK TakeStaticText(HWND child, LPARAM data) {
    wchar_t className[32] = {};
    GetClassNameW(child, className, 32);
    if (lstrcmpiW(className, L"Static") == 0) {
        wchar_t buffer[256] = {};
        GetWindowTextW(child, buffer, 256);
        if (buffer[0] != L'\0') {
            *reinterpret_cast<std::wstring*>(data) = buffer;
            return FALSE;
        }
    }
    return TRUE;
}

// The text of the message box's static control.
std::wstring MessageTextOf(HWND box) {
    std::wstring text;
    EnumChildWindows(box, TakeStaticText, reinterpret_cast<LPARAM>(&text));
    return text;
}

TEST_F(frontend_program_test, a_missing_renderer_is_reported_until_dismissed) {
    Install(false);
    for (const char* arguments : {"/s", "/a", "/c"}) {
        SCOPED_TRACE(arguments);
        auto frontEnd = StartFrontEnd(arguments);
        const HWND box = WaitForWindow("Nuvrel", 10000);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(MessageTextOf(box), L"Nuvrel.dll が同じﾌｫﾙﾀﾞに見つかりません！");
        EXPECT_NE(GetDlgItem(box, IDOK), nullptr) << "no OK button";
        EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr) << "a Cancel button beside OK";
        Pause(500);
        EXPECT_FALSE(frontEnd->WaitForExit(0).has_value()) << "ended before the box was dismissed";
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(frontEnd->WaitForExit(5000), std::optional<DWORD>(0));
    }
}

HWND WaitForPreview(HWND box) {
    for (int tries = 0; tries < 200; ++tries) {
        if (HWND preview = FindWindowExW(box, nullptr, nullptr, L"Preview Window")) {
            return preview;
        }
        Pause(50);
    }
    return nullptr;
}

TEST_F(frontend_program_test, preview_fills_the_box_and_ends_with_it) {
    Install(false);  // the preview needs neither the renderer nor a settings file
    for (const auto& [width, height] : {std::pair{152, 112}, std::pair{300, 200}}) {
        PreviewBox box(width, height);
        auto frontEnd = StartFrontEnd("/p " + box.Argument());
        const HWND preview = WaitForPreview(box.Handle());
        ASSERT_NE(preview, nullptr);
        for (int tries = 0; tries < 100 && !IsWindowVisible(preview); ++tries) {
            Pause(50);
        }
        EXPECT_EQ(GetParent(preview), box.Handle());
        EXPECT_EQ(GetWindowLongW(preview, GWL_STYLE) & WS_POPUP, 0);
        EXPECT_NE(GetWindowLongW(preview, GWL_STYLE) & WS_CHILD, 0);
        EXPECT_TRUE(IsWindowVisible(preview));
        RECT boxRect{};
        RECT previewRect{};
        GetWindowRect(box.Handle(), &boxRect);
        GetWindowRect(preview, &previewRect);
        EXPECT_EQ(previewRect.left, boxRect.left);
        EXPECT_EQ(previewRect.top, boxRect.top);
        EXPECT_EQ(previewRect.right - previewRect.left, width);
        EXPECT_EQ(previewRect.bottom - previewRect.top, height);
        Pause(500);
        EXPECT_FALSE(frontEnd->WaitForExit(0).has_value());
        box.Destroy();
        EXPECT_EQ(frontEnd->WaitForExit(5000), std::optional<DWORD>(0));
    }
}

TEST_F(frontend_program_test, preview_of_a_box_that_is_no_window_ends) {
    Install(false);
    auto frontEnd = StartFrontEnd("/p 0");
    EXPECT_EQ(frontEnd->WaitForExit(5000), std::optional<DWORD>(0));
}

TEST_F(frontend_program_test, a_renderer_that_ends_at_once_ends_run_mode) {
    Install(folder_, true, "exits_at_once.exe");
    ChooseMusic(1, u"");
    auto frontEnd = StartFrontEnd("/s");
    EXPECT_EQ(frontEnd->WaitForExit(10000), std::optional<DWORD>(0));
    EXPECT_TRUE(WindowsTitled("Nuvrel_Main").empty());
}

// "C:\...\Nuvrel Folder\Nuvrel.dll" read as a command line would start "C:\...\Nuvrel.exe".
TEST_F(frontend_program_test, a_folder_with_a_blank_starts_the_real_renderer) {
    const std::string decoy = folder_ + "\\Nuvrel.exe";
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "\\exits_at_once.exe").c_str(), decoy.c_str(), FALSE));
    const std::string installed = folder_ + "\\Nuvrel Folder";
    Install(installed);
    auto frontEnd = StartFrontEndIn(installed, "/s");
    RunAndEndWithKey(*frontEnd);
}

}  // namespace
}  // namespace nuvrel
