// The settings file on a real Windows file system (under Wine), in both code pages.

#include "frontend/settings/settings_win32.h"

#include "frontend/settings/ini_file.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

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
        // Wine gives process numbers again soon: the time tells runs apart, so that nothing
        // one run leaves (such as the link that Wine cannot remove) reaches another.
        folder_ = U16(temp) + u"nuvrel-settings-" + Number(GetCurrentProcessId()) + u"-" +
                  Number(GetTickCount());
        CreateDirectoryW(Wide(folder_), nullptr);
        platform_ = Win32SettingsPlatform(folder_);
    }
    void TearDown() override {
        for (const std::u16string& file : created_) {
            DeleteFileW(Wide(file));
        }
        DeleteFileW(Wide(IniPath()));
        for (const std::u16string& folder : createdFolders_) {
            RemoveDirectoryW(Wide(folder));
        }
        DeleteFileW(Wide(IniPath() + u".new"));
        RemoveDirectoryW(Wide(IniPath() + u".new"));
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
    void WriteIni(const std::string& bytes) const {
        std::ofstream(Wide(IniPath()), std::ios::binary) << bytes;
    }
    std::string IniBytes() const {
        std::ifstream file(Wide(IniPath()), std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }

    std::u16string folder_;
    std::vector<std::u16string> created_;
    std::vector<std::u16string> createdFolders_;
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
    ASSERT_NE(WriteIniString(platform_, u"Section", u"key", value, IniPath()), 0);
    EXPECT_EQ(ReadIniString(platform_, u"Section", u"key", IniPath()), value.substr(0, 255));
    EXPECT_EQ(ReadIniString(platform_, u"Section", u"other", IniPath()), u"");
    EXPECT_EQ(ReadIniString(platform_, u"Section", u"key", folder_ + u"\\missing.ini"), u"");
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
    ASSERT_NE(WriteIniString(platform_, u"Section", u"a", u"1", IniPath()), 0);
    const std::string before = IniBytes();
    const HANDLE locked = ::CreateFileW(Wide(IniPath()), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    EXPECT_EQ(WriteIniString(platform_, u"Section", u"b", u"2", IniPath()), 0);
    CloseHandle(locked);
    EXPECT_EQ(IniBytes(), before);
}

// An old file that a failed Set must leave as it was, byte for byte.
const std::string OldFile =
    "; mine\r\n[Section]\r\nBGM\x8B\xE6\x95\xAA = 1\r\nBGM\xD8\xCB\xDF\xB0\xC4=4\r\n"
    "BGM\xCC\xA7\xB2\xD9=C:\\\x83\x5C.mp3\r\n[Other]\r\nx=1\r\n";

Settings NewSettings(std::u16string file) {
    Settings settings;
    settings.BgmKind = 2;
    settings.BgmRepeat = 9;
    settings.BgmFile = std::move(file);
    settings.ApiResult = 1;
    return settings;
}

TEST_F(settings_win32_test, a_path_that_cannot_be_stored_changes_nothing) {
    WriteIni(OldFile);
    // No code page 932 form and, as the file does not exist, no short name either.
    Settings settings = NewSettings(folder_ + u"\\missing Überlänge.mp3");
    EXPECT_FALSE(SaveSettings(settings, platform_));
    EXPECT_EQ(settings.ApiResult, 0);
    EXPECT_EQ(IniBytes(), OldFile);
}

void ExpectLoads(Win32SettingsPlatform& platform, const Settings& settings) {
    Settings loaded;
    LoadSettings(loaded, platform);
    EXPECT_EQ(loaded.BgmKind, settings.BgmKind);
    EXPECT_EQ(loaded.BgmRepeat, settings.BgmRepeat);
    EXPECT_EQ(loaded.BgmFile, settings.BgmFile);
}

// A folder where no new file can be made, but whose settings file may be written: here the
// new file's name is taken by a folder.
TEST_F(settings_win32_test, a_file_whose_folder_takes_no_new_file_is_written_in_place) {
    WriteIni(OldFile);
    Settings settings = NewSettings(MakeFile(u"song.mp3"));
    ASSERT_TRUE(CreateDirectoryW(Wide(IniPath() + u".new"), nullptr));
    EXPECT_TRUE(SaveSettings(settings, platform_));
    EXPECT_NE(settings.ApiResult, 0);
    ExpectLoads(platform_, settings);
    EXPECT_EQ(IniBytes().substr(0, 8), "; mine\r\n");
}

TEST_F(settings_win32_test, a_file_open_elsewhere_is_left_whole) {
    WriteIni(OldFile);
    Settings settings = NewSettings(MakeFile(u"song.mp3"));
    const HANDLE open = CreateFileW(Wide(IniPath()), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(open, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(SaveSettings(settings, platform_));
    EXPECT_EQ(settings.ApiResult, 0);
    CloseHandle(open);
    EXPECT_EQ(IniBytes(), OldFile);
    EXPECT_EQ(GetFileAttributesW(Wide(IniPath() + u".new")), INVALID_FILE_ATTRIBUTES);

    ASSERT_TRUE(SaveSettings(settings, platform_));
    EXPECT_EQ(GetFileAttributesW(Wide(IniPath() + u".new")), INVALID_FILE_ATTRIBUTES);
    ExpectLoads(platform_, settings);
}

TEST_F(settings_win32_test, a_hidden_file_stays_hidden) {
    WriteIni(OldFile);
    ASSERT_TRUE(SetFileAttributesW(Wide(IniPath()), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_NE(GetFileAttributesW(Wide(IniPath())) & FILE_ATTRIBUTE_HIDDEN, 0u);
    Settings settings = NewSettings(MakeFile(u"song.mp3"));
    ASSERT_TRUE(SaveSettings(settings, platform_));
    EXPECT_NE(GetFileAttributesW(Wide(IniPath())) & FILE_ATTRIBUTE_HIDDEN, 0u);
    ExpectLoads(platform_, settings);
    SetFileAttributesW(Wide(IniPath()), FILE_ATTRIBUTE_NORMAL);
}

// ReplaceFileW failing as Windows documents it, after it has taken the target away: 1176 with
// the target gone, 1177 with it under another name; the replacement keeps its own name.
DWORD replaceError = 0;
BOOL WINAPI ReplaceTakingTheTargetAway(LPCWSTR replaced, LPCWSTR, LPCWSTR, DWORD, LPVOID, LPVOID) {
    if (replaceError == ERROR_UNABLE_TO_MOVE_REPLACEMENT) {
        DeleteFileW(replaced);
    } else {
        MoveFileW(replaced, (std::wstring(replaced) + L".moved").c_str());
    }
    SetLastError(replaceError);
    return FALSE;
}

TEST_F(settings_win32_test, a_replace_that_takes_the_target_away_leaves_the_new_bytes) {
    created_.push_back(IniPath() + u".moved");
    for (const DWORD error :
         {ERROR_UNABLE_TO_MOVE_REPLACEMENT, ERROR_UNABLE_TO_MOVE_REPLACEMENT_2}) {
        SCOPED_TRACE(error);
        WriteIni(OldFile);
        replaceError = error;
        SaveCalls calls;
        calls.replaceFile = ReplaceTakingTheTargetAway;
        Win32SettingsPlatform platform(folder_, calls);
        Settings settings = NewSettings(MakeFile(u"song.mp3"));
        EXPECT_TRUE(SaveSettings(settings, platform));
        ExpectLoads(platform_, settings);
        EXPECT_EQ(IniBytes().substr(0, 8), "; mine\r\n");
        EXPECT_EQ(GetFileAttributesW(Wide(IniPath() + u".new")), INVALID_FILE_ATTRIBUTES);
    }
}

// After a replace that took the file away, a move of the next file to its name that failed
// every try leaves the settings in the next file alone.
TEST_F(settings_win32_test, settings_left_only_in_the_next_file_are_read_and_kept) {
    std::ofstream(Wide(IniPath() + u".new"), std::ios::binary) << OldFile;
    Settings loaded;
    LoadSettings(loaded, platform_);
    EXPECT_EQ(loaded.BgmRepeat, 4);
    Settings settings = NewSettings(MakeFile(u"song.mp3"));
    ASSERT_TRUE(SaveSettings(settings, platform_));
    ExpectLoads(platform_, settings);
    EXPECT_EQ(IniBytes().substr(0, 8), "; mine\r\n");
    EXPECT_NE(IniBytes().find("[Other]\r\nx=1"), std::string::npos);
}

// WriteFile writing the first half of this many calls' bytes, then failing as on a full disk.
int writesToBreak = 0;
BOOL WINAPI WriteHalfAndFail(HANDLE file, LPCVOID bytes, DWORD size, LPDWORD written,
                             LPOVERLAPPED overlapped) {
    if (writesToBreak == 0) {
        return WriteFile(file, bytes, size, written, overlapped);
    }
    --writesToBreak;
    WriteFile(file, bytes, size / 2, written, overlapped);
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

TEST_F(settings_win32_test, a_write_that_stops_half_way_leaves_the_old_bytes_or_the_new) {
    SaveCalls calls;
    calls.writeFile = WriteHalfAndFail;
    Win32SettingsPlatform platform(folder_, calls);
    Settings settings = NewSettings(MakeFile(u"song.mp3"));

    // The next file is thrown away and written again.
    WriteIni(OldFile);
    writesToBreak = 1;
    EXPECT_TRUE(SaveSettings(settings, platform));
    ExpectLoads(platform_, settings);

    // A file of several names is written in place, and gets its old bytes back.
    WriteIni(OldFile);
    const std::u16string other = folder_ + u"\\other name.ini";
    ASSERT_TRUE(CreateHardLinkW(Wide(other), Wide(IniPath()), nullptr));
    created_.push_back(other);
    writesToBreak = 1;
    EXPECT_FALSE(SaveSettings(settings, platform));
    EXPECT_EQ(IniBytes(), OldFile);
}

// CreateFileW as Windows documents it, and Wine does not: CREATE_ALWAYS refuses a hidden or
// system file unless the new attributes keep them.
HANDLE WINAPI CreateAsWindows(LPCWSTR name, DWORD access, DWORD share,
                              LPSECURITY_ATTRIBUTES security, DWORD creation, DWORD flags,
                              HANDLE templateFile) {
    const DWORD attributes = GetFileAttributesW(name);
    const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if (creation == CREATE_ALWAYS && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & kept & ~flags) != 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    return CreateFileW(name, access, share, security, creation, flags, templateFile);
}

// A crash between the write of the next file and the replace leaves it with the target's
// hidden attribute, which a plain create refuses.
TEST_F(settings_win32_test, a_hidden_next_file_left_by_a_crash_is_cleared) {
    WriteIni(OldFile);
    std::ofstream(Wide(IniPath() + u".new"), std::ios::binary) << "stale";
    ASSERT_TRUE(SetFileAttributesW(Wide(IniPath() + u".new"), FILE_ATTRIBUTE_HIDDEN));
    SaveCalls calls;
    calls.createFile = CreateAsWindows;
    Win32SettingsPlatform platform(folder_, calls);
    Settings settings = NewSettings(MakeFile(u"song.mp3"));
    ASSERT_TRUE(SaveSettings(settings, platform));
    ExpectLoads(platform_, settings);
    EXPECT_EQ(GetFileAttributesW(Wide(IniPath() + u".new")), INVALID_FILE_ATTRIBUTES);
}

TEST_F(settings_win32_test, a_save_that_would_pass_the_size_limit_changes_nothing) {
    const std::string full = OldFile + std::string(MaxSettingsFileSize - OldFile.size() - 4, ';');
    WriteIni(full);
    Settings settings = NewSettings(MakeFile(u"song.mp3"));
    EXPECT_FALSE(SaveSettings(settings, platform_));
    EXPECT_EQ(settings.ApiResult, 0);
    EXPECT_EQ(IniBytes(), full);
}

// A read gives back 255 characters; Windows paths reach 259.
TEST_F(settings_win32_test, a_music_path_too_long_to_read_back_is_stored_by_its_short_name) {
    WriteIni(OldFile);
    const std::u16string folder = folder_ + u"\\" + std::u16string(257 - folder_.size() - 10, u'd');
    CreateDirectoryW(Wide(folder), nullptr);
    createdFolders_.push_back(folder);
    Settings settings = NewSettings(folder + u"\\song.mp3");
    ASSERT_EQ(settings.BgmFile.size(), 257u);
    std::ofstream(Wide(settings.BgmFile), std::ios::binary) << "music";
    created_.push_back(settings.BgmFile);
    ASSERT_TRUE(platform_.FileExists(settings.BgmFile));

    ASSERT_TRUE(SaveSettings(settings, platform_));
    Settings loaded;
    LoadSettings(loaded, platform_);
    EXPECT_EQ(loaded.BgmKind, 2);
    ASSERT_FALSE(loaded.BgmFile.empty());
    std::vector<wchar_t> longPath(1024);
    GetLongPathNameW(Wide(loaded.BgmFile), longPath.data(), 1024);
    EXPECT_EQ(U16(longPath.data()), settings.BgmFile);

    const std::string before = IniBytes();
    settings.BgmFile = folder + u"\\none.mp3";
    EXPECT_FALSE(SaveSettings(settings, platform_)) << "no file, so no short name";
    EXPECT_EQ(IniBytes(), before);
}

// The Unix name of a file under Wine; none elsewhere.
std::optional<std::string> UnixName(const std::u16string& path) {
    using UnixFileName = char*(CDECL*)(const wchar_t*);
    const auto unixFileName = reinterpret_cast<UnixFileName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* name = unixFileName ? unixFileName(Wide(path)) : nullptr;
    if (!name) {
        return std::nullopt;
    }
    std::string result = name;
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

// A symbolic link of the host's file system, which Wine follows as Windows follows its own.
bool MakeSymbolicLink(const std::u16string& link, const std::u16string& target) {
    const auto linkName = UnixName(link);
    const auto targetName = UnixName(target);
    if (!linkName || !targetName) {
        return false;
    }
    std::wstring command = L"/bin/ln -s " + std::wstring(targetName->begin(), targetName->end()) +
                           L" " + std::wstring(linkName->begin(), linkName->end());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(L"Z:\\bin\\ln", command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return false;
    }
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // Wine may tell of a host program's end before it has done its work.
    for (int wait = 0; wait < 100 && GetFileAttributesW(Wide(link)) == INVALID_FILE_ATTRIBUTES;
         ++wait) {
        Sleep(50);
    }
    return GetFileAttributesW(Wide(link)) != INVALID_FILE_ATTRIBUTES;
}

TEST_F(settings_win32_test, a_save_through_a_symbolic_link_changes_its_target) {
    const std::u16string target = MakeFile(u"real.ini");
    std::ofstream(Wide(target), std::ios::binary) << OldFile;
    if (!MakeSymbolicLink(IniPath(), target)) {
        GTEST_SKIP() << "no symbolic link can be made here";
    }
    Settings settings = NewSettings(MakeFile(u"song.mp3"));
    ASSERT_TRUE(SaveSettings(settings, platform_));
    std::ifstream file(Wide(target), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    EXPECT_NE(bytes.find("=9\r\n"), std::string::npos) << "the target has the new settings";
    EXPECT_EQ(IniBytes(), bytes) << "and the link still leads to it";
    const auto linkName = UnixName(IniPath());
    EXPECT_TRUE(linkName && UnixName(target) != linkName);
}

TEST_F(settings_win32_test, a_save_changes_every_name_of_a_hard_linked_file) {
    WriteIni(OldFile);
    const std::u16string other = folder_ + u"\\other name.ini";
    ASSERT_TRUE(CreateHardLinkW(Wide(other), Wide(IniPath()), nullptr));
    created_.push_back(other);
    Settings settings = NewSettings(MakeFile(u"song.mp3"));
    ASSERT_TRUE(SaveSettings(settings, platform_));
    std::ifstream file(Wide(other), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), IniBytes());
}

// A range locked by another program fails the read: Set refuses and keeps the file, and a
// start gets the defaults.
TEST_F(settings_win32_test, a_locked_range_is_no_end_of_the_file) {
    WriteIni(OldFile);
    const HANDLE holder = CreateFileW(Wide(IniPath()), GENERIC_READ | GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    OVERLAPPED range{};
    range.Offset = 20;
    ASSERT_TRUE(
        LockFileEx(holder, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 10, 0, &range));
    const HANDLE reader =
        CreateFileW(Wide(IniPath()), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    char buffer[64];
    DWORD read = 0;
    const bool enforced = !ReadFile(reader, buffer, sizeof buffer, &read, nullptr);
    CloseHandle(reader);
    if (!enforced) {
        UnlockFileEx(holder, 0, 10, 0, &range);
        CloseHandle(holder);
        GTEST_SKIP() << "this system lets a read pass a locked range (whole_read_test covers it)";
    }
    Settings settings = NewSettings(MakeFile(u"song.mp3"));
    EXPECT_FALSE(SaveSettings(settings, platform_));
    Settings loaded;
    LoadSettings(loaded, platform_);
    EXPECT_EQ(loaded.BgmKind, 0);
    EXPECT_EQ(loaded.BgmRepeat, 0);
    UnlockFileEx(holder, 0, 10, 0, &range);
    CloseHandle(holder);
    EXPECT_EQ(IniBytes(), OldFile);
}

TEST_F(settings_win32_test, a_file_over_the_size_limit_gives_the_defaults_and_is_kept) {
    const std::string big = OldFile + std::string(MaxSettingsFileSize, ';');
    WriteIni(big);
    Settings loaded;
    LoadSettings(loaded, platform_);
    EXPECT_EQ(loaded.BgmKind, 0);
    Settings settings = NewSettings(MakeFile(u"song.mp3"));
    EXPECT_FALSE(SaveSettings(settings, platform_));
    EXPECT_EQ(IniBytes().size(), big.size());
}

TEST_F(settings_win32_test, a_unicode_file_keeps_its_encoding_and_any_path) {
    const std::string mark = "\xFF\xFE";
    WriteIni(mark + EncodeUtf16Le(u"; ノート\r\n[Section]\r\nBGM区分=1\r\n"));
    // A name that code page 932 cannot hold, stored as it is.
    Settings settings = NewSettings(MakeFile(u"Überlänge – ソ.wav"));
    ASSERT_TRUE(SaveSettings(settings, platform_));
    EXPECT_EQ(IniBytes(), mark + EncodeUtf16Le(u"; ノート\r\n[Section]\r\nBGM区分=2\r\n"
                                               u"BGMﾘﾋﾟｰﾄ=9\r\nBGMﾌｧｲﾙ=" +
                                               settings.BgmFile + u"\r\n"));
    Settings loaded;
    LoadSettings(loaded, platform_);
    EXPECT_EQ(loaded.BgmKind, 2);
    EXPECT_EQ(loaded.BgmFile, settings.BgmFile);
}

TEST_F(settings_win32_test, a_folder_with_a_trailing_backslash_is_forgotten) {
    WriteIniString(platform_, u"Section", settings_keys::BgmKind, u"2", IniPath());
    WriteIniString(platform_, u"Section", settings_keys::BgmFile, folder_ + u"\\", IniPath());
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
