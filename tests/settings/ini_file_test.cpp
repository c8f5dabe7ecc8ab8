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
              "; settings\r\n[Other]\r\nkey=1\r\n\r\n[section]\r\na=new\r\nB=2\r\nD=4\r\n\r\n"
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

}  // namespace
}  // namespace nuvrel
