#include "frontend/settings/settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "frontend/settings/ini_file.h"

namespace nuvrel {
namespace {

// The settings file as bytes in memory. Its code page 932 knows ASCII and the few characters
// that these tests use; any other character cannot be stored.
class FakeFiles final : public SettingsPlatform {
  public:
    std::u16string ProgramFolder() override { return u"C:\\Saver"; }
    std::optional<std::string> ReadFileBytes(const std::u16string& path) override {
        EXPECT_EQ(path, u"C:\\Saver\\Nuvrel.ini");
        ++reads;
        if (failRead) {
            return std::nullopt;
        }
        return contents;
    }
    std::int32_t ReplaceFileBytes(const std::u16string&, std::string_view bytes) override {
        ++replaces;
        if (failReplace) {
            return 0;
        }
        contents = bytes;
        return 1;
    }
    std::optional<std::string> ToCodePage932(const std::u16string& text) override {
        std::string bytes;
        for (const char16_t c : text) {
            if (c < 0x80) {
                bytes += static_cast<char>(c);
            } else if (const auto known = ShiftJis().find(c); known != ShiftJis().end()) {
                bytes += known->second;
            } else {
                return std::nullopt;
            }
        }
        return bytes;
    }
    std::u16string FromCodePage932(std::string_view bytes) override {
        std::u16string text;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const auto known = std::find_if(ShiftJis().begin(), ShiftJis().end(), [&](auto& entry) {
                return bytes.substr(i, entry.second.size()) == entry.second;
            });
            if (static_cast<unsigned char>(bytes[i]) < 0x80) {
                text += static_cast<char16_t>(bytes[i]);
            } else if (known != ShiftJis().end()) {
                text += known->first;
                i += known->second.size() - 1;
            } else {
                text += u'?';
            }
        }
        return text;
    }
    bool FileExists(const std::u16string& path) override { return files.count(path) > 0; }
    std::optional<std::u16string> ShortPathName(const std::u16string& path) override {
        const auto found = shortNames.find(path);
        return found == shortNames.end() ? std::nullopt : std::optional(found->second);
    }

    static const std::map<char16_t, std::string>& ShiftJis() {
        static const std::map<char16_t, std::string> table = {
            {u'区', "\x8B\xE6"}, {u'分', "\x95\xAA"}, {u'ﾘ', "\xD8"},     {u'ﾋ', "\xCB"},
            {u'ﾟ', "\xDF"},      {u'ｰ', "\xB0"},      {u'ﾄ', "\xC4"},     {u'ﾌ', "\xCC"},
            {u'ｧ', "\xA7"},      {u'ｲ', "\xB2"},      {u'ﾙ', "\xD9"},     {u'表', "\x95\x5C"},
            {u'ソ', "\x83\x5C"}, {u'１', "\x82\x50"}, {u'２', "\x82\x51"}};
        return table;
    }

    void Store(std::u16string_view key, std::u16string_view value) {
        ASSERT_NE(
            WriteIniString(*this, settings_keys::Section, key, value, SettingsFilePath(*this)), 0);
    }

    std::string contents;
    std::set<std::u16string> files;
    std::map<std::u16string, std::u16string> shortNames;
    int reads = 0;
    int replaces = 0;
    bool failRead = false;
    bool failReplace = false;
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
                                u"0x10", u"inf", u"nan", u"１ｅ２"}) {
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
}

TEST(settings_test, a_music_file_that_exists_is_kept) {
    FakeFiles files;
    files.Store(settings_keys::BgmKind, u"2");
    files.Store(settings_keys::BgmRepeat, u"5");
    files.Store(settings_keys::BgmFile, u"E:\\song.mp3");
    files.files.insert(u"E:\\song.mp3");
    const Settings settings = Load(files);
    EXPECT_EQ(settings.BgmKind, 2);
    EXPECT_EQ(settings.BgmRepeat, 5);
    EXPECT_EQ(settings.BgmFile, u"E:\\song.mp3");
    EXPECT_EQ(settings.BgmFolder, u"E:");
}

TEST(settings_test, file_kind_without_a_file_falls_back_to_no_music) {
    FakeFiles files;
    files.Store(settings_keys::BgmKind, u"2");
    EXPECT_EQ(Load(files).BgmKind, 0);

    files.Store(settings_keys::BgmFile, u"C:\\Music\\");
    const Settings settings = Load(files);
    EXPECT_EQ(settings.BgmKind, 0);
    EXPECT_EQ(settings.BgmFile, u"");
    EXPECT_EQ(settings.BgmFolder, u"C:\\Saver");
}

TEST(settings_test, cd_kind_keeps_its_choice_and_drops_a_stale_path) {
    FakeFiles files;
    files.Store(settings_keys::BgmKind, u"1");
    files.Store(settings_keys::BgmFile, u"C:\\gone.wav");
    const Settings settings = Load(files);
    EXPECT_EQ(settings.BgmKind, 1);
    EXPECT_EQ(settings.BgmFile, u"");
}

TEST(settings_test, unreadable_numbers_leave_their_setting_and_the_rest_is_read) {
    FakeFiles files;
    files.Store(settings_keys::BgmKind, u"abc");
    files.Store(settings_keys::BgmRepeat, u"3.7");
    files.Store(settings_keys::BgmFile, u"C:\\a.wav");
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
    EXPECT_EQ(files.contents,
              "[Section]\r\nBGM\x8B\xE6\x95\xAA=7\r\nBGM\xD8\xCB\xDF\xB0\xC4=-4\r\n"
              "BGM\xCC\xA7\xB2\xD9=\r\n");
    EXPECT_EQ(settings.ApiResult, 1);
    EXPECT_EQ(files.replaces, 1);

    const Settings loaded = Load(files);
    EXPECT_EQ(loaded.BgmKind, 7);
    EXPECT_EQ(loaded.BgmRepeat, -4);
}

// The old file, with a comment, another section and odd spacing that must all survive.
constexpr std::string_view OldFile =
    "; mine\r\n[Other]\r\nx = 1\r\n\r\n[Section]\r\nBGM\x8B\xE6\x95\xAA = 1\r\n"
    "BGM\xCC\xA7\xB2\xD9=C:\\\x83\x5C.mp3\r\n\r\n";

TEST(settings_test, save_keeps_the_rest_of_the_file_byte_for_byte) {
    FakeFiles files;
    files.contents = OldFile;
    Settings settings;
    settings.BgmKind = 2;
    settings.BgmRepeat = 3;
    settings.BgmFile = u"C:\\表.mp3";
    ASSERT_TRUE(SaveSettings(settings, files));
    EXPECT_EQ(files.contents,
              "; mine\r\n[Other]\r\nx = 1\r\n\r\n[Section]\r\nBGM\x8B\xE6\x95\xAA=2\r\n"
              "BGM\xCC\xA7\xB2\xD9=C:\\\x95\x5C.mp3\r\nBGM\xD8\xCB\xDF\xB0\xC4=3\r\n\r\n");
}

TEST(settings_test, a_path_that_cannot_be_stored_leaves_the_whole_file_as_it_was) {
    FakeFiles files;
    files.contents = OldFile;
    Settings settings;
    settings.BgmKind = 2;
    settings.BgmRepeat = 5;
    settings.BgmFile = u"C:\\Über.mp3";
    settings.ApiResult = 1;
    EXPECT_FALSE(SaveSettings(settings, files));
    EXPECT_EQ(files.contents, OldFile);
    EXPECT_EQ(files.replaces, 0);
    EXPECT_EQ(settings.ApiResult, 0);

    // Nor can a path that would break its line.
    settings.BgmFile = u"C:\\a.mp3\r\n[Section]";
    EXPECT_FALSE(SaveSettings(settings, files));
    EXPECT_EQ(files.contents, OldFile);
}

TEST(settings_test, a_failed_replace_or_read_is_reported_and_the_old_file_survives) {
    FakeFiles files;
    files.contents = OldFile;
    files.failReplace = true;
    Settings settings;
    settings.BgmKind = 1;
    EXPECT_FALSE(SaveSettings(settings, files));
    EXPECT_EQ(settings.ApiResult, 0);
    EXPECT_EQ(files.contents, OldFile);

    files.failReplace = false;
    files.failRead = true;
    settings.ApiResult = 1;
    EXPECT_FALSE(SaveSettings(settings, files));
    EXPECT_EQ(settings.ApiResult, 0);
    EXPECT_EQ(files.replaces, 1);
}

TEST(settings_test, a_unicode_file_is_read_and_written_in_its_own_encoding) {
    FakeFiles files;
    files.contents = "\xFF\xFE" + EncodeUtf16Le(u"[Section]\r\nBGM区分=1\r\nBGMﾘﾋﾟｰﾄ=４\r\n");
    files.files.insert(u"C:\\Ü\\ソ.mp3");
    Settings settings = Load(files);
    EXPECT_EQ(settings.BgmKind, 1);
    EXPECT_EQ(settings.BgmRepeat, 4);

    settings.BgmKind = 2;
    settings.BgmFile = u"C:\\Ü\\ソ.mp3";  // no code page 932 form, but UTF-16 holds it
    ASSERT_TRUE(SaveSettings(settings, files));
    EXPECT_EQ(files.contents,
              "\xFF\xFE" + EncodeUtf16Le(u"[Section]\r\nBGM区分=2\r\n"
                                         u"BGMﾘﾋﾟｰﾄ=4\r\nBGMﾌｧｲﾙ=C:\\Ü\\ソ.mp3\r\n"));
    EXPECT_EQ(Load(files).BgmFile, u"C:\\Ü\\ソ.mp3");

    files.contents = "\xEF\xBB\xBF[Section]\nBGM\xE5\x8C\xBA\xE5\x88\x86=2\n";
    ASSERT_TRUE(SaveSettings(settings, files));
    EXPECT_EQ(files.contents,
              "\xEF\xBB\xBF" + *EncodeUtf8(u"[Section]\nBGM区分=2\r\n"
                                           u"BGMﾘﾋﾟｰﾄ=4\r\nBGMﾌｧｲﾙ=C:\\Ü\\ソ.mp3\r\n"));
    EXPECT_EQ(Load(files).BgmFile, u"C:\\Ü\\ソ.mp3");
}

TEST(settings_test, full_width_numbers_read_as_their_ascii_forms) {
    EXPECT_EQ(ParseDecimal(u"１２"), 12.0);
    EXPECT_EQ(ParseDecimal(u"－３．５"), -3.5);
    EXPECT_EQ(ParseDecimal(u"＋７"), 7.0);
    EXPECT_EQ(ParseDecimal(u"\u2212"
                           u"2"),
              -2.0);
    EXPECT_EQ(ParseDecimal(u"\u3000１\u3000"), 1.0);
    EXPECT_EQ(ParseDecimal(u"1２.５"), 12.5);
    EXPECT_EQ(ParseSettingNumber(u"３．７"), 3);
    EXPECT_EQ(ParseSettingNumber(u"－０．５"), -1);
    EXPECT_EQ(ParseDecimal(u"１２ａ"), std::nullopt);
    EXPECT_EQ(ParseDecimal(u"\u3000"), std::nullopt);
    EXPECT_EQ(ParseDecimal(u"．"), std::nullopt);
    EXPECT_EQ(ParseDecimal(u"１\u3000２"), std::nullopt);

    // Typed in the settings file by a user's input method.
    FakeFiles files;
    files.Store(settings_keys::BgmRepeat, u"１２");
    EXPECT_EQ(Load(files).BgmRepeat, 12);
}

// "echo x>>Nuvrel.ini" on a UTF-16 file leaves it of odd length. The odd byte is no text, and
// a save drops it: what it adds lies at a character boundary and reads back.
TEST(settings_test, a_utf16_file_of_odd_length_takes_readable_settings) {
    FakeFiles files;
    const std::string text = "\xFF\xFE" + EncodeUtf16Le(u"[Section]\r\nBGMﾘﾋﾟｰﾄ=4\r\n");
    files.contents = text + "x\r\n";
    EXPECT_EQ(Load(files).BgmRepeat, 4);

    Settings settings;
    settings.BgmKind = 1;
    settings.BgmRepeat = 7;
    ASSERT_TRUE(SaveSettings(settings, files));
    EXPECT_EQ(Load(files).BgmKind, 1);
    EXPECT_EQ(Load(files).BgmRepeat, 7);
    const std::string saved = files.contents;
    EXPECT_EQ(saved.size() % 2, 0u);
    ASSERT_TRUE(SaveSettings(settings, files));
    EXPECT_EQ(files.contents, saved) << "a second save of the same settings changes nothing";
}

TEST(settings_test, a_big_endian_utf16_file_is_read_and_written_big_endian) {
    FakeFiles files;
    files.contents = "\xFE\xFF" + EncodeUtf16Be(u"[Section]\r\nBGM区分=1\r\nBGMﾘﾋﾟｰﾄ=3\r\n");
    Settings settings = Load(files);
    EXPECT_EQ(settings.BgmKind, 1);
    EXPECT_EQ(settings.BgmRepeat, 3);

    settings.BgmRepeat = 5;
    settings.BgmFile = u"C:\\Ü\\ソ.mp3";
    files.files.insert(settings.BgmFile);
    ASSERT_TRUE(SaveSettings(settings, files));
    EXPECT_EQ(files.contents, "\xFE\xFF" + EncodeUtf16Be(u"[Section]\r\nBGM区分=1\r\nBGMﾘﾋﾟｰﾄ=5\r\n"
                                                         u"BGMﾌｧｲﾙ=C:\\Ü\\ソ.mp3\r\n"));
    EXPECT_EQ(Load(files).BgmFile, u"C:\\Ü\\ソ.mp3");
}

// No settings file comes near the limit: a larger one is damaged, gives the defaults and is
// never replaced by a save.
TEST(settings_test, a_file_over_the_size_limit_is_unreadable_and_kept) {
    FakeFiles files;
    files.contents = "[Section]\r\nBGM\x8B\xE6\x95\xAA=1\r\n";
    files.contents += std::string(MaxSettingsFileSize, ';');
    const std::string big = files.contents;
    const Settings loaded = Load(files);
    EXPECT_EQ(loaded.BgmKind, 0);
    EXPECT_EQ(loaded.BgmFolder, u"C:\\Saver");
    Settings settings;
    settings.BgmKind = 1;
    EXPECT_FALSE(SaveSettings(settings, files));
    EXPECT_EQ(files.replaces, 0);
    EXPECT_EQ(files.contents, big);

    files.contents.resize(MaxSettingsFileSize);
    EXPECT_EQ(Load(files).BgmKind, 1) << "a file of the limit's size is still read";
}

TEST(settings_test, a_save_that_would_pass_the_size_limit_is_refused) {
    FakeFiles files;
    files.contents = "[Section]\r\n" + std::string(MaxSettingsFileSize - 40, ';') + "\r\n";
    const std::string before = files.contents;
    Settings settings;
    settings.BgmKind = 1;
    settings.BgmFile = u"C:\\music.mp3";
    EXPECT_FALSE(SaveSettings(settings, files));
    EXPECT_EQ(files.replaces, 0);
    EXPECT_EQ(files.contents, before);
    EXPECT_EQ(WriteIniString(files, settings_keys::Section, u"x", std::u16string(40, u'x'),
                             SettingsFilePath(files)),
              0);
    EXPECT_EQ(files.contents, before);
}

// A read gives back 255 characters: a longer path would be cut and forgotten at the next start.
TEST(settings_test, a_music_path_too_long_to_read_back_is_stored_by_its_short_name) {
    FakeFiles files;
    const std::u16string folder = u"C:\\" + std::u16string(237, u'f');
    const std::u16string longPath = folder + u"\\song of 256.mp3";
    ASSERT_EQ(longPath.size(), 256u);
    files.shortNames[longPath] = u"C:\\FFFFFF~1\\SONGOF~1.MP3";
    files.files.insert(files.shortNames[longPath]);
    Settings settings;
    settings.BgmKind = 2;
    settings.BgmFile = longPath;
    ASSERT_TRUE(SaveSettings(settings, files));
    EXPECT_EQ(Load(files).BgmFile, u"C:\\FFFFFF~1\\SONGOF~1.MP3");

    const std::string before = files.contents;
    settings.BgmFile = folder + u"\\no short name.mp3";
    EXPECT_FALSE(SaveSettings(settings, files));
    EXPECT_EQ(files.contents, before);
}

TEST(settings_test, load_and_save_read_the_file_once) {
    FakeFiles files;
    files.contents = OldFile;
    Settings settings = Load(files);
    EXPECT_EQ(files.reads, 1);
    ASSERT_TRUE(SaveSettings(settings, files));
    EXPECT_EQ(files.reads, 2);
    EXPECT_EQ(files.replaces, 1);
}

}  // namespace
}  // namespace nuvrel
