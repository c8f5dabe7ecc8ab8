// The settings file on a real Windows file system (under Wine), in both code pages.

#include "frontend/settings/settings_win32.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace nuvrel {
namespace {

const wchar_t* Wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

std::u16string U16(const wchar_t* text) {
    return reinterpret_cast<const char16_t*>(text);
}

class settings_win32_test : public ::testing::Test {
  protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder_ = U16(temp) + u"nuvrel-settings-" + Number(GetCurrentProcessId());
        CreateDirectoryW(Wide(folder_), nullptr);
        platform_ = Win32SettingsPlatform(folder_);
    }
    void TearDown() override {
        for (const std::u16string& file : created_) {
            DeleteFileW(Wide(file));
        }
        DeleteFileW(Wide(IniPath()));
        RemoveDirectoryW(Wide(folder_));
    }

    static std::u16string Number(unsigned long value) {
        const std::string text = std::to_string(value);
        return std::u16string(text.begin(), text.end());
    }
    std::u16string IniPath() const { return folder_ + u"\\Nuvrel.ini"; }
    std::u16string MakeFile(const std::u16string& name) {
        const std::u16string path = folder_ + u"\\" + name;
        const HANDLE file = ::CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
        created_.push_back(path);
        return path;
    }
    std::string IniBytes() const {
        std::ifstream file(Wide(IniPath()), std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }

    std::u16string folder_;
    std::vector<std::u16string> created_;
    Win32SettingsPlatform platform_;
};

TEST_F(settings_win32_test, runs_in_the_code_page_it_was_given) {
    if (const char* expected = std::getenv("NUVREL_EXPECTED_ACP")) {
        EXPECT_EQ(GetACP(), static_cast<UINT>(std::atoi(expected)));
    }
}

TEST_F(settings_win32_test, keys_and_values_are_code_page_932_bytes_on_every_system) {
    Settings settings;
    settings.BgmKind = 2;
    settings.BgmRepeat = 3;
    settings.BgmFile = MakeFile(u"ソ表の曲.mp3");  // trail bytes 0x5C
    ASSERT_TRUE(SaveSettings(settings, platform_));

    std::string expected =
        "[Section]\r\nBGM\x8B\xE6\x95\xAA=2\r\nBGM\xD8\xCB\xDF\xB0\xC4=3\r\n"
        "BGM\xCC\xA7\xB2\xD9=";
    expected += *EncodeForSettingsFile(folder_) + "\\\x83\x5C\x95\x5C\x82\xCC\x8B\xC8.mp3\r\n";
    EXPECT_EQ(IniBytes(), expected);

    Settings loaded;
    LoadSettings(loaded, platform_);
    EXPECT_EQ(loaded.BgmKind, 2);
    EXPECT_EQ(loaded.BgmRepeat, 3);
    EXPECT_EQ(loaded.BgmFile, settings.BgmFile);
    EXPECT_EQ(loaded.BgmFolder, folder_);
}

TEST_F(settings_win32_test, a_path_outside_code_page_932_is_stored_as_the_same_file) {
    Settings settings;
    settings.BgmKind = 2;
    settings.BgmFile = MakeFile(u"Überlänge – song.wav");
    ASSERT_TRUE(SaveSettings(settings, platform_));

    Settings loaded;
    LoadSettings(loaded, platform_);
    EXPECT_EQ(loaded.BgmKind, 2);
    ASSERT_FALSE(loaded.BgmFile.empty());
    wchar_t longPath[MAX_PATH] = {};
    GetLongPathNameW(Wide(loaded.BgmFile), longPath, MAX_PATH);
    EXPECT_EQ(U16(longPath), settings.BgmFile);
}

TEST_F(settings_win32_test, values_are_read_through_255_characters) {
    const std::u16string value(300, u'x');
    ASSERT_NE(platform_.WriteIniString("Section", "key", value, IniPath()), 0);
    EXPECT_EQ(platform_.ReadIniString("Section", "key", IniPath()), value.substr(0, 255));
    EXPECT_EQ(platform_.ReadIniString("Section", "other", IniPath()), u"");
    EXPECT_EQ(platform_.ReadIniString("Section", "key", folder_ + u"\\missing.ini"), u"");
}

TEST_F(settings_win32_test, file_exists_only_for_files_that_open_for_reading) {
    const std::u16string file = MakeFile(u"song.mp3");
    EXPECT_TRUE(platform_.FileExists(file));
    EXPECT_TRUE(platform_.FileExists(file + u"\\"));
    EXPECT_FALSE(platform_.FileExists(folder_));
    EXPECT_FALSE(platform_.FileExists(folder_ + u"\\"));
    EXPECT_FALSE(platform_.FileExists(folder_ + u"\\missing.mp3"));
    EXPECT_FALSE(platform_.FileExists(u""));
    EXPECT_FALSE(platform_.FileExists(u"C:\\a|b.mp3"));
    EXPECT_FALSE(platform_.FileExists(folder_ + u"\\" + std::u16string(300, u'a') + u".mp3"));

    const HANDLE locked = CreateFileW(Wide(file), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(platform_.FileExists(file));
    CloseHandle(locked);
}

TEST_F(settings_win32_test, a_file_that_cannot_be_read_is_not_written_over) {
    ASSERT_NE(platform_.WriteIniString("Section", "a", u"1", IniPath()), 0);
    const std::string before = IniBytes();
    const HANDLE locked = ::CreateFileW(Wide(IniPath()), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    EXPECT_EQ(platform_.WriteIniString("Section", "b", u"2", IniPath()), 0);
    CloseHandle(locked);
    EXPECT_EQ(IniBytes(), before);
}

TEST_F(settings_win32_test, a_folder_with_a_trailing_backslash_is_forgotten) {
    platform_.WriteIniString("Section", "BGM\x8B\xE6\x95\xAA", u"2", IniPath());
    platform_.WriteIniString("Section", "BGM\xCC\xA7\xB2\xD9", folder_ + u"\\", IniPath());
    Settings loaded;
    LoadSettings(loaded, platform_);
    EXPECT_EQ(loaded.BgmKind, 0);
    EXPECT_EQ(loaded.BgmFile, u"");
    EXPECT_EQ(loaded.BgmFolder, folder_);
}

TEST_F(settings_win32_test, program_folder_is_the_running_program_s_own) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    EXPECT_EQ(Win32SettingsPlatform().ProgramFolder(), FolderOf(U16(path)));
    EXPECT_NE(Win32SettingsPlatform().ProgramFolder().back(), u'\\');
}

}  // namespace
}  // namespace nuvrel
