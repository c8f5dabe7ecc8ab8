#include "frontend/settings/ini_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

namespace nuvrel {
namespace {

class ini_file_test : public ::testing::Test {
  protected:
    void SetUp() override { std::remove(path_.c_str()); }
    void TearDown() override { std::remove(path_.c_str()); }

    std::string Read() const {
        std::ifstream file(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }
    void Write(const std::string& bytes) const { std::ofstream(path_, std::ios::binary) << bytes; }
    void Assign(const char* section, const char* key, const char* value) {
        Write(IniAssign(Read(), section, key, value));
    }

    // One file per test: the tests of this fixture run side by side.
    const std::string path_ = ::testing::TempDir() + "ini_file_test." +
                              ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                              ".ini";
};

TEST_F(ini_file_test, writes_a_new_file_in_the_order_of_its_keys) {
    Assign("Section", "BGM\x8B\xE6\x95\xAA", "2");
    Assign("Section", "BGM\xD8\xCB\xDF\xB0\xC4", "-3");
    Assign("Section", "BGM\xCC\xA7\xB2\xD9", "");
    EXPECT_EQ(Read(),
              "[Section]\r\nBGM\x8B\xE6\x95\xAA=2\r\nBGM\xD8\xCB\xDF\xB0\xC4=-3\r\n"
              "BGM\xCC\xA7\xB2\xD9=\r\n");
    EXPECT_EQ(IniLookup(Read(), "Section", "BGM\xD8\xCB\xDF\xB0\xC4"), "-3");
    EXPECT_EQ(IniLookup(Read(), "Section", "BGM\xCC\xA7\xB2\xD9"), "");
}

TEST_F(ini_file_test, replaces_a_key_in_place_and_keeps_everything_else) {
    Write(
        "; settings\r\n[Other]\r\nkey=1\r\n\r\n[section]\r\nA = old \r\nB=2\r\n\r\n[Last]\r\nC=3");
    Assign("Section", "a", "new");
    Assign("Section", "D", "4");
    Assign("Last", "E", "5");
    EXPECT_EQ(Read(),
              "; settings\r\n[Other]\r\nkey=1\r\n\r\n[section]\r\nA=new\r\nB=2\r\nD=4\r\n\r\n"
              "[Last]\r\nC=3\r\nE=5\r\n");
}

TEST_F(ini_file_test, finds_values_as_the_system_reader_does) {
    Write(
        "[Section]\nkey = spaced value  \nquoted=\"C:\\a b\\c.mp3\"\nequals=a=b\n"
        "[Section2]\nkey=other\n");
    const std::string file = Read();
    EXPECT_EQ(IniLookup(file, "SECTION", "KEY"), "spaced value");
    EXPECT_EQ(IniLookup(file, "Section", "quoted"), "C:\\a b\\c.mp3");
    EXPECT_EQ(IniLookup(file, "Section", "equals"), "a=b");
    EXPECT_EQ(IniLookup(file, "Section2", "key"), "other");
    EXPECT_EQ(IniLookup(file, "Section", "missing"), std::nullopt);
    EXPECT_EQ(IniLookup(file, "Missing", "key"), std::nullopt);
    EXPECT_EQ(IniLookup("", "Section", "key"), std::nullopt);
}

TEST_F(ini_file_test, shift_jis_trail_bytes_are_never_taken_for_syntax) {
    // 0x5C ("\\") and 0x5D ("]") as trail bytes of two-byte characters.
    const std::string key = "BGM\x95\x5C";  // 表
    const std::string value = "C:\\\x83\x5C\x83\x74\x83\x67\\\x8F\x5D.mp3";
    Assign("Section", key.c_str(), value.c_str());
    EXPECT_EQ(IniLookup(Read(), "Section", key), value);

    // 0x41 ("A") and 0x61 ("a") as trail bytes: ア and ヂ are two names, not one in two cases.
    Assign("Section", "\x83\x41", "1");
    Assign("Section", "\x83\x61", "2");
    EXPECT_EQ(IniLookup(Read(), "Section", "\x83\x41"), "1");
    EXPECT_EQ(IniLookup(Read(), "Section", "\x83\x61"), "2");
}

TEST_F(ini_file_test, appends_the_section_to_a_file_without_it) {
    Write("[Other]\r\nx=1");
    Assign("Section", "k", "v");
    EXPECT_EQ(Read(), "[Other]\r\nx=1\r\n[Section]\r\nk=v\r\n");
}

TEST_F(ini_file_test, a_trail_byte_is_never_a_bracket) {
    // [ゾーン: the trail bytes of ゾ and ー are "]" and "[", yet the line is no header.
    const std::string file =
        "[Section]\r\na=1\r\n[\x83\x5D\x81\x5B\x83\x93\r\nb=2\r\n\x93\x5D]=3\r\n";
    EXPECT_EQ(IniLookup(file, "Section", "b"), "2");
    EXPECT_EQ(IniLookup(file, "Section", "\x93\x5D]"), "3");
    EXPECT_EQ(IniLookup(file, "\x83\x5D", "b"), std::nullopt);
    Write(file);
    Assign("Section", "b", "4");
    EXPECT_EQ(Read(), "[Section]\r\na=1\r\n[\x83\x5D\x81\x5B\x83\x93\r\nb=4\r\n\x93\x5D]=3\r\n");

    // A header's name runs to its last "]", whose bytes are never the trail of a character.
    const std::string headers =
        "[\x93\x5D]\r\nk=1\r\n[a]b] ; x\r\nk=2\r\n[\x93\x5D\x93\x5D\r\nk=3\r\n";
    EXPECT_EQ(IniLookup(headers, "\x93\x5D", "k"), "1");
    EXPECT_EQ(IniLookup(headers, "a]b", "k"), "2");
    EXPECT_EQ(IniLookup("[ \x93\x5D\t]\r\nk=4", "\x93\x5D", "k"), "4");
    EXPECT_EQ(IniLookup(headers, "a", "k"), std::nullopt);
}

TEST_F(ini_file_test, a_lead_byte_takes_the_byte_after_it_whatever_it_is) {
    // The lead byte after "x" takes the "=": the line is a key "x\x83=" without a value.
    const std::string file = "[S]\r\nx\x83=\r\ny=1\r\nz=\x83";
    EXPECT_EQ(IniLookup(file, "S", "x\x83"), std::nullopt);
    EXPECT_EQ(IniLookup(file, "S", "y"), "1");
    EXPECT_EQ(IniLookup(file, "S", "z"), "\x83");
    EXPECT_EQ(IniAssign(file, "S", "w", "2"), file + "\r\nw=2\r\n");
}

TEST_F(ini_file_test, line_ends_and_blanks_of_every_kind) {
    const std::string file = "[S]\ra=1\rb=2\n\tc\x0B=\x0C 3 \t\r\n\x1A d = 4\x1A";
    EXPECT_EQ(IniLookup(file, "S", "a"), "1");
    EXPECT_EQ(IniLookup(file, "S", "b"), "2");
    EXPECT_EQ(IniLookup(file, "S", "c"), "3");
    EXPECT_EQ(IniLookup(file, "S", "d"), "4");
    EXPECT_EQ(IniAssign(file, "S", "b", "5"),
              "[S]\ra=1\rb=5\r\n\tc\x0B=\x0C 3 \t\r\n\x1A d = 4\x1A");
    EXPECT_EQ(IniAssign(file, "S", "e", "5"), file + "\r\ne=5\r\n");
    EXPECT_EQ(IniAssign("[S]\ra=1\r", "T", "e", "5"), "[S]\ra=1\r[T]\r\ne=5\r\n");
    // The ideographic space is no blank, and its trail byte no "@".
    EXPECT_EQ(IniLookup("[S]\r\n\x81\x40k=\x81\x40v\x81\x40", "S", "\x81\x40k"),
              "\x81\x40v\x81\x40");
    EXPECT_EQ(IniLookup("[S]\r\n\x81\x40k=v", "S", "k"), std::nullopt);
}

TEST_F(ini_file_test, a_key_line_without_a_value_hides_later_ones) {
    const std::string file = "[S]\r\nkey\r\nkey=1\r\n";
    EXPECT_EQ(IniLookup(file, "S", "key"), std::nullopt);
    EXPECT_EQ(IniAssign(file, "S", "KEY", "2"), "[S]\r\nkey=2\r\nkey=1\r\n");
}

TEST_F(ini_file_test, only_ascii_letters_match_in_either_case) {
    // Full-width Latin, Greek and Cyrillic capitals in code page 932 match only themselves.
    const std::string file =
        "[\x82\x60\x82\x79]\r\n\x83\x9F\x83\xB6=1\r\n\x84\x40\x84\x4E\x84\x4F\x84\x60=2\r\n";
    EXPECT_EQ(IniLookup(file, "\x82\x60\x82\x79", "\x83\x9F\x83\xB6"), "1");
    EXPECT_EQ(IniLookup(file, "\x82\x81\x82\x9A", "\x83\x9F\x83\xB6"), std::nullopt);
    EXPECT_EQ(IniLookup(file, "\x82\x60\x82\x79", "\x83\xBF\x83\xD6"), std::nullopt);
    EXPECT_EQ(IniLookup(file, "\x82\x60\x82\x79", "\x84\x70\x84\x7E\x84\x80\x84\x91"),
              std::nullopt);
    EXPECT_EQ(IniLookup("[\xC4]\r\nk=1", "\xE4", "K"), std::nullopt);
}

TEST_F(ini_file_test, a_utf16_file_is_read_and_changed_in_utf16) {
    const std::string mark = "\xFF\xFE";
    const std::string file =
        mark + EncodeUtf16Le(u"[Section]\r\nBGM区分=1\r\n[ゾーン\r\nx=\"Ü\"\r\n");
    EXPECT_EQ(DetectIniEncoding(file), IniEncoding::Utf16Le);
    EXPECT_EQ(IniLookup(file, EncodeUtf16Le(u"section"), EncodeUtf16Le(u"bgm区分")),
              EncodeUtf16Le(u"1"));
    EXPECT_EQ(IniLookup(file, EncodeUtf16Le(u"Section"), EncodeUtf16Le(u"X")), EncodeUtf16Le(u"Ü"));
    EXPECT_EQ(IniLookup(file, "Section", "x"), std::nullopt);
    EXPECT_EQ(IniAssign(file, EncodeUtf16Le(u"Section"), EncodeUtf16Le(u"y"), EncodeUtf16Le(u"ソ")),
              mark + EncodeUtf16Le(u"[Section]\r\nBGM区分=1\r\n[ゾーン\r\nx=\"Ü\"\r\ny=ソ\r\n"));
    EXPECT_EQ(IniAssign(mark, EncodeUtf16Le(u"S"), EncodeUtf16Le(u"k"), EncodeUtf16Le(u"v")),
              mark + EncodeUtf16Le(u"[S]\r\nk=v\r\n"));
}

TEST_F(ini_file_test, a_utf8_file_is_read_and_changed_in_utf8) {
    const std::string file = "\xEF\xBB\xBF" + *EncodeUtf8(u"[Ｓ]\nｋey = ソ\n");
    EXPECT_EQ(DetectIniEncoding(file), IniEncoding::Utf8);
    EXPECT_EQ(IniLookup(file, *EncodeUtf8(u"Ｓ"), *EncodeUtf8(u"ｋEY")), *EncodeUtf8(u"ソ"));
    EXPECT_EQ(IniLookup(file, *EncodeUtf8(u"ｓ"), *EncodeUtf8(u"ｋey")), std::nullopt);
    EXPECT_EQ(IniAssign(file, *EncodeUtf8(u"Ｓ"), *EncodeUtf8(u"ｋEY"), *EncodeUtf8(u"😀")),
              "\xEF\xBB\xBF" + *EncodeUtf8(u"[Ｓ]\nｋey=😀\r\n"));
    EXPECT_EQ(DecodeUtf8(*EncodeUtf8(u"aÜソ😀")), u"aÜソ😀");
    EXPECT_EQ(EncodeUtf8(u"\xD800"), std::nullopt);
    EXPECT_EQ(DecodeUtf8("\xC0\xAF\xFF"), u"\xFFFD\xFFFD\xFFFD");
}

TEST_F(ini_file_test, a_file_without_a_mark_is_code_page_932) {
    EXPECT_EQ(DetectIniEncoding(""), IniEncoding::Cp932);
    EXPECT_EQ(DetectIniEncoding("\xFF"), IniEncoding::Cp932);
    EXPECT_EQ(DetectIniEncoding("\xEF\xBB"), IniEncoding::Cp932);
    EXPECT_EQ(DetectIniEncoding("[S]\r\n"), IniEncoding::Cp932);
}

TEST_F(ini_file_test, the_odd_byte_of_a_utf16_file_is_no_text_and_goes_with_a_change) {
    const std::string text = "\xFF\xFE" + EncodeUtf16Le(u"[S]\r\na=1\r\n");
    const std::string file = text + "\n";
    EXPECT_EQ(DetectIniEncoding(file), IniEncoding::Utf16Le);
    EXPECT_EQ(IniLookup(file, EncodeUtf16Le(u"S"), EncodeUtf16Le(u"a")), EncodeUtf16Le(u"1"));
    EXPECT_EQ(IniAssign(file, EncodeUtf16Le(u"S"), EncodeUtf16Le(u"b"), EncodeUtf16Le(u"2")),
              text + EncodeUtf16Le(u"b=2\r\n"));
    EXPECT_EQ(IniAssign(file, EncodeUtf16Le(u"T"), EncodeUtf16Le(u"b"), EncodeUtf16Le(u"2")),
              text + EncodeUtf16Le(u"[T]\r\nb=2\r\n"));
    // "x" CR LF after the last line: "x" CR is one character, LF the odd byte.
    const std::string echoed = text + "x\r\n";
    const std::string changed =
        IniAssign(echoed, EncodeUtf16Le(u"S"), EncodeUtf16Le(u"c"), EncodeUtf16Le(u"3"));
    EXPECT_EQ(IniLookup(changed, EncodeUtf16Le(u"S"), EncodeUtf16Le(u"c")), EncodeUtf16Le(u"3"));
    EXPECT_EQ(DecodeUtf16Le(std::string("a\0b", 3)), u"a");
}

TEST_F(ini_file_test, a_big_endian_utf16_file_is_read_and_changed_big_endian) {
    const std::string file = "\xFE\xFF" + EncodeUtf16Be(u"[Ｓ]\r\nkey=ソ");
    EXPECT_EQ(DetectIniEncoding(file), IniEncoding::Utf16Be);
    EXPECT_EQ(ByteOrderMark(IniEncoding::Utf16Be), "\xFE\xFF");
    EXPECT_EQ(IniLookup(file, EncodeUtf16Be(u"Ｓ"), EncodeUtf16Be(u"KEY")), EncodeUtf16Be(u"ソ"));
    EXPECT_EQ(IniAssign(file, EncodeUtf16Be(u"Ｓ"), EncodeUtf16Be(u"k2"), EncodeUtf16Be(u"曲")),
              file + EncodeUtf16Be(u"\r\nk2=曲\r\n"));
    EXPECT_EQ(DecodeUtf16Be(EncodeUtf16Be(u"aソ😀")), u"aソ😀");
}

TEST_F(ini_file_test, text_that_no_line_holds_is_refused) {
    IniFile utf16("\xFF\xFE" + EncodeUtf16Le(u"[S]\r\n"));
    EXPECT_FALSE(utf16.Assign(EncodeUtf16Le(u"S"), EncodeUtf16Le(u"a"), "x"));
    EXPECT_FALSE(utf16.Assign(EncodeUtf16Le(u"S"), EncodeUtf16Le(u"a"), EncodeUtf16Le(u"1\r2")));
    IniFile ansi("[S]\r\n");
    EXPECT_FALSE(ansi.Assign("S", "a", "1\n2"));
    EXPECT_EQ(ansi.Bytes(), "[S]\r\n");
    EXPECT_TRUE(ansi.Assign("S", "a", "1"));
    EXPECT_TRUE(ansi.Assign("S", "b", "2"));
    EXPECT_TRUE(ansi.Assign("S", "a", "3"));
    EXPECT_EQ(ansi.Bytes(), "[S]\r\na=3\r\nb=2\r\n");
    EXPECT_EQ(ansi.Lookup("S", "b"), "2");
}

}  // namespace
}  // namespace nuvrel
