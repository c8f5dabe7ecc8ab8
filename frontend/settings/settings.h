#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "frontend/settings/setting_number.h"

namespace nuvrel {

// The front end's music settings, loaded once at start-up and shared by every part of it.
struct Settings {
    std::int16_t BgmKind = 0;    // 0 no music, 1 audio CD, 2 music file; others play nothing
    std::int16_t BgmRepeat = 0;  // the CD track to repeat; 0 the whole disc
    std::u16string BgmFile;      // full path of the MP3 or WAV file, or empty
    std::u16string BgmFolder;    // where the file dialog starts
    std::int32_t ApiResult = 0;  // result of the last system call made through our wrappers
};

namespace bgm_kind {
constexpr std::int16_t None = 0;
constexpr std::int16_t Cd = 1;
constexpr std::int16_t File = 2;
}  // namespace bgm_kind

// The settings file's names.
namespace settings_keys {
constexpr std::u16string_view Section = u"Section";
constexpr std::u16string_view BgmKind = u"BGM区分";
constexpr std::u16string_view BgmRepeat = u"BGMﾘﾋﾟｰﾄ";
constexpr std::u16string_view BgmFile = u"BGMﾌｧｲﾙ";
}  // namespace settings_keys

constexpr std::u16string_view SettingsFileName = u"Nuvrel.ini";

// Longest value that a read gives back; the rest is cut off.
constexpr std::size_t MaxIniValueLength = 255;

// A larger settings file is not read, and never written: no settings file of this program
// comes near it, and one that does is damaged.
constexpr std::size_t MaxSettingsFileSize = 1 << 20;

// The settings file's bytes, their code page 932 text and the file test, as the system
// provides them.
class SettingsPlatform {
  public:
    virtual ~SettingsPlatform() = default;
    // The running program's folder, without a trailing backslash.
    virtual std::u16string ProgramFolder() = 0;
    // The whole file: empty when it does not exist, none when it cannot be read whole or is
    // larger than MaxSettingsFileSize.
    virtual std::optional<std::string> ReadFileBytes(const std::u16string& path) = 0;
    // Puts the bytes in the file's place in one step, so that a failure at any point leaves
    // the old file whole. Returns the result of the last system call: nonzero for success.
    virtual std::int32_t ReplaceFileBytes(const std::u16string& path, std::string_view bytes) = 0;
    // Code page 932 bytes of the text; a path that the code page cannot hold may become
    // another name of the same file. None when the text has no such form.
    virtual std::optional<std::string> ToCodePage932(const std::u16string& text) = 0;
    virtual std::u16string FromCodePage932(std::string_view bytes) = 0;
    // True when the path names a file that can be opened for reading.
    virtual bool FileExists(const std::u16string& path) = 0;
    // The short (8.3) name of an existing file or folder; none where the system has none.
    virtual std::optional<std::u16string> ShortPathName(const std::u16string&) {
        return std::nullopt;
    }
};

// The stored value, cut to MaxIniValueLength characters; empty when the file, the section or
// the key is missing, or the file cannot be read.
std::u16string ReadIniString(SettingsPlatform& platform, std::u16string_view section,
                             std::u16string_view key, const std::u16string& file);

// Stores the value under the key, creating the file, section or key as needed, in the
// file's own encoding. Returns the system's result: nonzero for success, 0 when the file
// cannot be read or written, the value cannot be stored in it or the file would grow past
// MaxSettingsFileSize (the file is then untouched).
std::int32_t WriteIniString(SettingsPlatform& platform, std::u16string_view section,
                            std::u16string_view key, std::u16string_view value,
                            const std::u16string& file);

std::u16string SettingsFilePath(SettingsPlatform& platform);

// Fills BgmKind, BgmRepeat, BgmFile and BgmFolder from the settings file, read once. A
// missing or unreadable file, section or key gives no music; a number that cannot be read leaves
// its setting as it was; a music file that no longer opens is forgotten.
void LoadSettings(Settings& settings, SettingsPlatform& platform);

// Writes the three keys in their order, all or none: when any value cannot be stored, or the
// file cannot be read or replaced, the file stays as it was and the result is false. A music
// path longer than a read gives back is stored by its short name, or not at all.
bool SaveSettings(Settings& settings, SettingsPlatform& platform);

// The folder part of a path: up to its last ":" or "\", without a trailing "\".
std::u16string FolderOf(std::u16string_view path);

}  // namespace nuvrel
