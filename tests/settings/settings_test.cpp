#include "frontend/settings/settings.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "frontend/settings/ini_file.h"

namespace nuvrel {
namespace {

// The settings file as bytes in memory, with paths kept in plain ASCII.
class FakeFiles final : public SettingsPlatform {
  public:
    std::u16string ProgramFolder() override { return u"C:\\Saver"; }
    std::u16string ReadIniString(std::string_view section, std::string_view key,
                                 const std::u16string& file) override {
        EXPECT_EQ(file, u"C:\\Saver\\Nuvrel.ini");
        reads.emplace_back(key);
        const auto value = IniLookup(contents, section, key);
        return value ? std::u16string(value->begin(), value->end()) : u"";
    }
    std::int32_t WriteIniString(std::string_view section, std::string_view key,
                                const std::u16string& value, const std::u16string&) override {
        if (failWrites) {
            return 0;
        }
        contents = IniAssign(contents, section, key, std::string(value.begin(), value.end()));
        return 1;
    }
    bool FileExists(const std::u16string& path) override { return files.count(path) > 0; }

    void Store(std::string_view key, const char* value) {
        contents = IniAssign(contents, settings_keys::Section, key, value);
    }

    std::string contents;
    std::set<std::u16string> files;
    std::vector<std::string> reads;
    bool failWrites = false;
};

Settings Load(FakeFiles& files) {
    Settings settings;
    LoadSettings(settings, files);
    return settings;
}

TEST(settings_test, number_rule) {
    EXPECT_EQ(ParseSettingNumber(u""), 0);
    EXPECT_EQ(ParseSettingNumber(u"2"), 2);
    EXPECT_EQ(ParseSettingNumber(u"2.9"), 2);
    EXPECT_EQ(ParseSettingNumber(u"3.7"), 3);
    EXPECT_EQ(ParseSettingNumber(u"-0.5"), -1);
    EXPECT_EQ(ParseSettingNumber(u" -12 "), -12);
    EXPECT_EQ(ParseSettingNumber(u"+7"), 7);
    EXPECT_EQ(ParseSettingNumber(u".5"), 0);
    EXPECT_EQ(ParseSettingNumber(u"1e2"), 100);
    EXPECT_EQ(ParseSettingNumber(u"32767"), 32767);
    EXPECT_EQ(ParseSettingNumber(u"-32768"), -32768);
    EXPECT_EQ(ParseSettingNumber(u"32767.5"), 32767);
    for (const char16_t* bad : {u"abc", u"32768", u"-32768.5", u"1e9", u"2x", u"-", u".", u"1..2",
                                u"0x10", u"inf", u"nan", u"１"}) {
        EXPECT_EQ(ParseSettingNumber(bad), std::nullopt) << std::string(bad, bad + 1);
    }
}

TEST(settings_test, folder_of_a_path) {
    EXPECT_EQ(FolderOf(u"C:\\Music\\a.mp3"), u"C:\\Music");
    EXPECT_EQ(FolderOf(u"C:\\a.mp3"), u"C:");
    EXPECT_EQ(FolderOf(u"D:a.mp3"), u"D:");
    EXPECT_EQ(FolderOf(u"a.mp3"), u"");
    EXPECT_EQ(FolderOf(u"\\\\server\\share\\x.wav"), u"\\\\server\\share");
    // Scanned by character: the second unit of 表 is no backslash in UTF-16.
    EXPECT_EQ(FolderOf(u"C:\\表\\ソ.mp3"), u"C:\\表");
}

TEST(settings_test, no_settings_file_means_no_music) {
    FakeFiles files;
    const Settings settings = Load(files);
    EXPECT_EQ(settings.BgmKind, 0);
    EXPECT_EQ(settings.BgmRepeat, 0);
    EXPECT_EQ(settings.BgmFile, u"");
    EXPECT_EQ(settings.BgmFolder, u"C:\\Saver");
    EXPECT_EQ(files.reads, (std::vector<std::string>{std::string(settings_keys::BgmKind),
                                                     std::string(settings_keys::BgmRepeat),
                                                     std::string(settings_keys::BgmFile)}));
}

TEST(settings_test, a_music_file_that_exists_is_kept) {
    FakeFiles files;
    files.Store(settings_keys::BgmKind, "2");
    files.Store(settings_keys::BgmRepeat, "5");
    files.Store(settings_keys::BgmFile, "E:\\song.mp3");
    files.files.insert(u"E:\\song.mp3");
    const Settings settings = Load(files);
    EXPECT_EQ(settings.BgmKind, 2);
    EXPECT_EQ(settings.BgmRepeat, 5);
    EXPECT_EQ(settings.BgmFile, u"E:\\song.mp3");
    EXPECT_EQ(settings.BgmFolder, u"E:");
}

TEST(settings_test, file_kind_without_a_file_falls_back_to_no_music) {
    FakeFiles files;
    files.Store(settings_keys::BgmKind, "2");
    EXPECT_EQ(Load(files).BgmKind, 0);

    files.Store(settings_keys::BgmFile, "C:\\Music\\");
    const Settings settings = Load(files);
    EXPECT_EQ(settings.BgmKind, 0);
    EXPECT_EQ(settings.BgmFile, u"");
    EXPECT_EQ(settings.BgmFolder, u"C:\\Saver");
}

TEST(settings_test, cd_kind_keeps_its_choice_and_drops_a_stale_path) {
    FakeFiles files;
    files.Store(settings_keys::BgmKind, "1");
    files.Store(settings_keys::BgmFile, "C:\\gone.wav");
    const Settings settings = Load(files);
    EXPECT_EQ(settings.BgmKind, 1);
    EXPECT_EQ(settings.BgmFile, u"");
}

TEST(settings_test, unreadable_numbers_leave_their_setting_and_the_rest_is_read) {
    FakeFiles files;
    files.Store(settings_keys::BgmKind, "abc");
    files.Store(settings_keys::BgmRepeat, "3.7");
    files.Store(settings_keys::BgmFile, "C:\\a.wav");
    files.files.insert(u"C:\\a.wav");
    Settings settings;
    settings.BgmKind = 1;
    LoadSettings(settings, files);
    EXPECT_EQ(settings.BgmKind, 1);
    EXPECT_EQ(settings.BgmRepeat, 3);
    EXPECT_EQ(settings.BgmFile, u"C:\\a.wav");
}

TEST(settings_test, save_writes_the_three_keys_in_order) {
    FakeFiles files;
    Settings settings;
    settings.BgmKind = 7;
    settings.BgmRepeat = -4;
    settings.BgmFile = u"";
    EXPECT_TRUE(SaveSettings(settings, files));
    EXPECT_EQ(files.contents, "[Section]\r\n" + std::string(settings_keys::BgmKind) + "=7\r\n" +
                                  std::string(settings_keys::BgmRepeat) + "=-4\r\n" +
                                  std::string(settings_keys::BgmFile) + "=\r\n");
    EXPECT_EQ(settings.ApiResult, 1);

    const Settings loaded = Load(files);
    EXPECT_EQ(loaded.BgmKind, 7);
    EXPECT_EQ(loaded.BgmRepeat, -4);
}

TEST(settings_test, a_failed_write_is_reported) {
    FakeFiles files;
    files.failWrites = true;
    Settings settings;
    EXPECT_FALSE(SaveSettings(settings, files));
    EXPECT_EQ(settings.ApiResult, 0);
}

}  // namespace
}  // namespace nuvrel
