// The settings file's reader and writer against the system's own profile functions: each file
// of the table is read by both, and changed by both, and must give the same results. The
// system reads code page 932 files only when that is its ANSI code page, so the comparison
// runs under code page 932 alone.
//
// The system here is Wine, standing in for Windows. Where the two are known to differ:
// - A UTF-8 file with a byte-order mark: Windows' profile functions read it as ANSI text, the
//   mark included; Wine reads it as UTF-8 and writes it back so. This reader does as Wine does,
//   on purpose, so that a file saved as "UTF-8 with BOM" keeps its settings.
// - A Set: Windows changes the one line and keeps the rest of the file as it was, as this
//   writer does; Wine writes the whole file anew from what it read (blank lines and spacing
//   go). So the files are compared through what the system's functions read from them, every
//   section and key, not byte for byte.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <tuple>
#include <vector>

#include "frontend/settings/ini_file.h"
#include "frontend/settings/settings.h"
#include "frontend/settings/settings_win32.h"

namespace nuvrel {
namespace {

const wchar_t* Wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

std::u16string U16(const wchar_t* text) {
    return reinterpret_cast<const char16_t*>(text);
}

std::string Ansi(const std::u16string& text) {
    const int length = WideCharToMultiByte(CP_ACP, 0, Wide(text), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, Wide(text), -1, bytes.data(), length, nullptr, nullptr);
    bytes.resize(bytes.size() - 1);
    return bytes;
}

// The three keys as code page 932 bytes, for the system's ANSI functions and the table.
const std::string Kind = "BGM\x8B\xE6\x95\xAA";
const std::string Repeat = "BGM\xD8\xCB\xDF\xB0\xC4";
const std::string File = "BGM\xCC\xA7\xB2\xD9";
const std::string Utf16Mark = "\xFF\xFE";
const std::string Utf8Mark = "\xEF\xBB\xBF";

struct ProfileCase {
    const char* name;
    std::optional<std::string> bytes;  // none: no file at all
};

std::ostream& operator<<(std::ostream& out, const ProfileCase& c) {
    return out << c.name;
}

std::vector<ProfileCase> Cases() {
    const std::string written = "[Section]\r\n" + Kind + "=2\r\n" + Repeat + "=3\r\n" + File +
                                "=C:\\\x83\x5C\x95\x5C\\\x8B\xC8.mp3\r\n";
    return {
        {"written_by_the_program", written},
        {"no_file", std::nullopt},
        {"empty_file", ""},
        {"names_in_another_case", "[SECTION]\r\nbgm\x8B\xE6\x95\xAA=1\r\n"},
        {"first_of_two_equal_keys", "[Section]\r\n" + Kind + "=1\r\n" + Kind + "=2\r\n"},
        {"quotes",
         "[Section]\r\n" + Repeat + "='5'\r\n" + File + "=\"C:\\a b.mp3\"\r\n" + Kind + "=\"\r\n"},
        {"blanks_around", "  [Section]  \r\n  " + Kind + "  =  2  \r\n" + File + "=\r\n"},
        {"missing_section", "[Other]\r\n" + Kind + "=2\r\n"},
        {"missing_keys", "[Section]\r\nother=2\r\n"},
        {"comments_and_other_sections", "; c\r\n[Other]\r\nx=1\r\n\r\n[Section]\r\n;" + Kind +
                                            "=9\r\n" + Kind + "=2\r\n\r\n[Last]\r\ny=2"},
        // [ゾーン: the trail bytes of ゾ and ー are "]" and "[".
        {"trail_byte_bracket_line",
         "[Section]\r\n" + Kind + "=1\r\n[\x83\x5D\x81\x5B\x83\x93\r\n" + Repeat + "=4\r\n"},
        // [転 and [評]: a header only where its own "]" closes it.
        {"trail_byte_bracket_in_headers", "[Section]\r\n" + Kind + "=1\r\n[\x93\x5D\r\n" + Repeat +
                                              "=4\r\n[\x95\x5D]\r\n" + File + "=x\r\n"},
        {"trail_bytes_in_names_and_values", "[Section]\r\n\x93\x5D]=1\r\n\x8F\x5D=2\r\n" + File +
                                                "=C:\\\x83\x5C\x95\x5C\\\x8F\x5D\x97\x5D.mp3\r\n" +
                                                Repeat + "=\x95\x5B\r\n"},
        {"utf16", Utf16Mark + EncodeUtf16Le(u"[Section]\r\nBGM区分=2\r\nBGMﾘﾋﾟｰﾄ=3\r\n"
                                            u"BGMﾌｧｲﾙ=C:\\ソ\\曲.mp3\r\n")},
        {"utf16_other_lines", Utf16Mark + EncodeUtf16Le(u"; ノート\r\n[Other]\r\nBGM区分=5\r\n"
                                                        u"[section]\r\n[ゾーン\r\nbgm区分=1")},
        {"utf16_only_its_mark", Utf16Mark},
        // After "echo x>>Nuvrel.ini": "x" CR is one character, LF an odd byte that is no text.
        {"utf16_of_odd_length",
         Utf16Mark + EncodeUtf16Le(u"[Section]\r\nBGM区分=1\r\nBGMﾘﾋﾟｰﾄ=3\r\n") + "x\r\n"},
        {"utf16_of_odd_length_without_a_line_end",
         Utf16Mark + EncodeUtf16Le(u"[Section]\r\nBGM区分=1") + "\n"},
        {"utf16_big_endian",
         "\xFE\xFF" + EncodeUtf16Be(u"; ノート\r\n[Section]\r\nBGM区分=2\r\n"
                                    u"BGMﾌｧｲﾙ=C:\\ソ\\曲.mp3\r\n[Other]\r\nx=1")},
        {"utf16_big_endian_only_its_mark", "\xFE\xFF"},
        {"utf8",
         Utf8Mark + *EncodeUtf8(u"; ノート\n[Section]\nBGM区分 = 2\nBGMﾌｧｲﾙ=\"C:\\ソ.mp3\"\n")},
        {"lone_cr", "[Section]\r" + Kind + "=2\r" + Repeat + "=3\r"},
        {"lf_only", "[Section]\n" + Kind + "=2\n" + File + "=C:\\a.mp3\n"},
        {"dos_end_of_file_mark", "[Section]\r\n" + Kind + "=2\r\n" + Repeat + "=3\x1A"},
        {"tab_vertical_tab_form_feed", "[Section]\r\n\t" + Kind + "\x0B=\x0C 2\t\r\n\x0C" + Repeat +
                                           "\t=\x0B"
                                           "3\x0B\r\n"},
        {"ideographic_space", "[Section]\r\n\x81\x40" + Kind +
                                  "\x81\x40=\x81\x40"
                                  "2\x81\x40\r\n"},
        {"text_after_the_header", "[Section] ; all\r\n" + Kind + "=2\r\n"},
        {"spaces_inside_the_brackets", "[ Section ]\r\n" + Kind + "=2\r\n"},
        {"a_second_closing_bracket",
         "[Section]]\r\n" + Kind + "=2\r\n[Section]\r\n" + Repeat + "=3\r\n"},
        {"a_header_without_its_bracket", "[Section\r\n" + Kind + "=2\r\n"},
        {"keys_before_any_section", Kind + "=5\r\n[Section]\r\n" + Repeat + "=1\r\n"},
        {"two_sections_of_one_name",
         "[Section]\r\n" + Kind + "=1\r\n[Other]\r\n[section]\r\n" + Repeat + "=5\r\n"},
        {"a_key_line_without_a_value", "[Section]\r\n" + Kind + "\r\n" + Kind + "=2\r\n"},
        {"a_lead_byte_before_the_line_end",
         "[Section]\r\n" + File + "=abc\x83\r\n" + Repeat + "=3\r\n"},
        {"a_value_over_255_characters", "[Section]\r\n" + File + "=" + std::string(300, 'x')},
        {"full_width_digits", "[Section]\r\n" + Repeat + "=\x82\x50\x82\x51\r\n"},
        {"no_line_end_at_the_end", "[Section]\r\n" + Kind + "=2"},
    };
}

class profile_functions_test : public ::testing::TestWithParam<ProfileCase> {
  protected:
    void SetUp() override {
        if (GetACP() != 932) {
            GTEST_SKIP() << "the system reads code page 932 files only under code page 932";
        }
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder_ = U16(temp) + u"nuvrel-profile-" + Number(GetCurrentProcessId());
        CreateDirectoryW(Wide(folder_), nullptr);
        platform_ = Win32SettingsPlatform(folder_);
    }
    void TearDown() override {
        for (const std::u16string& file : files_) {
            DeleteFileW(Wide(file));
        }
        RemoveDirectoryW(Wide(folder_));
    }

    static std::u16string Number(unsigned long value) {
        const std::string text = std::to_string(value);
        return std::u16string(text.begin(), text.end());
    }
    // A file of its own for each step, so that no cached copy of the system's is read.
    std::u16string Place(const std::u16string& name) {
        files_.push_back(folder_ + u"\\" + name + u".ini");
        const std::u16string& path = files_.back();
        if (GetParam().bytes) {
            std::ofstream(Wide(path), std::ios::binary) << *GetParam().bytes;
        }
        return path;
    }
    static std::string Bytes(const std::u16string& path) {
        std::ifstream file(Wide(path), std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }

    // Every section and key as the system's functions see them.
    static std::vector<std::string> View(const std::u16string& path) {
        std::vector<std::string> view;
        std::vector<char> names(65536);
        const std::string file = Ansi(path);
        GetPrivateProfileSectionNamesA(names.data(), static_cast<DWORD>(names.size()),
                                       file.c_str());
        for (const char* name = names.data(); *name; name += std::strlen(name) + 1) {
            view.push_back(std::string("[") + name + "]");
            std::vector<char> keys(65536);
            GetPrivateProfileSectionA(name, keys.data(), static_cast<DWORD>(keys.size()),
                                      file.c_str());
            for (const char* key = keys.data(); *key; key += std::strlen(key) + 1) {
                view.push_back(key);
            }
        }
        return view;
    }

    std::u16string folder_;
    std::vector<std::u16string> files_;
    Win32SettingsPlatform platform_;
};

std::u16string SystemRead(const std::string& key, const std::u16string& path) {
    char buffer[256] = {};
    GetPrivateProfileStringA("Section", key.c_str(), "", buffer, sizeof buffer, Ansi(path).c_str());
    return DecodeFromSettingsFile(buffer);
}

TEST_P(profile_functions_test, reads_the_three_keys_as_the_system_does) {
    const std::u16string path = Place(u"read");
    for (const auto& [key, name] : {std::pair{Kind, settings_keys::BgmKind},
                                    {Repeat, settings_keys::BgmRepeat},
                                    {File, settings_keys::BgmFile}}) {
        EXPECT_EQ(ReadIniString(platform_, settings_keys::Section, name, path),
                  SystemRead(key, path))
            << "key " << key;
    }
}

TEST_P(profile_functions_test, a_set_leaves_what_the_system_s_set_leaves) {
    const std::u16string mine = Place(u"mine");
    const std::u16string system = Place(u"system");
    const std::u16string path = u"C:\\ソ表\\曲.mp3";
    for (const auto& [key, name, value] :
         {std::tuple{Kind, settings_keys::BgmKind, std::u16string(u"2")},
          {Repeat, settings_keys::BgmRepeat, std::u16string(u"-3")},
          {File, settings_keys::BgmFile, path}}) {
        EXPECT_NE(WriteIniString(platform_, settings_keys::Section, name, value, mine), 0);
        EXPECT_TRUE(WritePrivateProfileStringA("Section", key.c_str(), Ansi(value).c_str(),
                                               Ansi(system).c_str()));
    }
    EXPECT_EQ(View(mine), View(system));
    EXPECT_EQ(DetectIniEncoding(Bytes(mine)), DetectIniEncoding(Bytes(system)));
    EXPECT_EQ(ReadIniString(platform_, settings_keys::Section, settings_keys::BgmFile, mine), path);
}

// Names match without regard to the case of ASCII letters only: capitals and small letters
// of other scripts in code page 932 (full-width Latin, Greek, Cyrillic) are different names
// to the system's functions too.
TEST(profile_names_test, only_ascii_letters_match_in_either_case) {
    if (GetACP() != 932) {
        GTEST_SKIP() << "the system reads code page 932 files only under code page 932";
    }
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::u16string path = U16(temp) + u"nuvrel-names-" +
                                std::u16string(1, u'a' + GetCurrentProcessId() % 26) + u".ini";
    std::ofstream(Wide(path), std::ios::binary)
        << "[\x82\x60\x82\x79]\r\n\x83\x9F\x83\xB6=1\r\n\x84\x40\x84\x4E\x84\x4F\x84\x60=2\r\n";
    Win32SettingsPlatform platform;
    for (const auto& [key, name] :
         {std::pair{std::string("\x83\xBF\x83\xD6"), std::u16string(u"αω")},
          {std::string("\x84\x70\x84\x7E\x84\x80\x84\x91"), std::u16string(u"аноя")},
          {std::string("\x84\x70\x84\x7E\x84\x80\x84\x76"), std::u16string(u"аноё")}}) {
        char buffer[256] = {};
        GetPrivateProfileStringA("\x82\x81\x82\x9A", key.c_str(), "", buffer, sizeof buffer,
                                 Ansi(path).c_str());
        EXPECT_EQ(ReadIniString(platform, u"ａｚ", name, path), DecodeFromSettingsFile(buffer));
    }
    DeleteFileW(Wide(path));
}

INSTANTIATE_TEST_SUITE_P(files, profile_functions_test, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace nuvrel
