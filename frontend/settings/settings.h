#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

// The settings file's names, as the code page 932 bytes that the file holds.
namespace settings_keys {
constexpr std::string_view Section = "Section";
constexpr std::string_view BgmKind = "BGM\x8B\xE6\x95\xAA";        // BGM区分
constexpr std::string_view BgmRepeat = "BGM\xD8\xCB\xDF\xB0\xC4";  // BGMﾘﾋﾟｰﾄ
constexpr std::string_view BgmFile = "BGM\xCC\xA7\xB2\xD9";        // BGMﾌｧｲﾙ
}  // namespace settings_keys

constexpr std::u16string_view SettingsFileName = u"Nuvrel.ini";

// Reading and writing the settings file, and the file test, as the system provides them.
class SettingsPlatform {
  public:
    virtual ~SettingsPlatform() = default;
    // The running program's folder, without a trailing backslash.
    virtual std::u16string ProgramFolder() = 0;
    // The stored value, cut to 255 characters; empty when the file, section or key is missing.
    virtual std::u16string ReadIniString(std::string_view section, std::string_view key,
                                         const std::u16string& file) = 0;
    // Stores the value and returns the system's result: nonzero for success.
    virtual std::int32_t WriteIniString(std::string_view section, std::string_view key,
                                        const std::u16string& value,
                                        const std::u16string& file) = 0;
    // True when the path names a file that can be opened for reading.
    virtual bool FileExists(const std::u16string& path) = 0;
};

std::u16string SettingsFilePath(SettingsPlatform& platform);

// Fills BgmKind, BgmRepeat, BgmFile and BgmFolder from the settings file. A missing file,
// section or key gives no music; a number that cannot be read leaves its setting as it was;
// a music file that no longer opens is forgotten.
void LoadSettings(Settings& settings, SettingsPlatform& platform);

// Writes the three keys in their order; false when any write failed.
bool SaveSettings(Settings& settings, SettingsPlatform& platform);

// A stored number: empty text is 0, a number is rounded down to an integer; none for text
// that is no number or a number outside the 16-bit range.
std::optional<std::int16_t> ParseSettingNumber(std::u16string_view text);

// A number in decimal notation (blanks around it, a sign, a fraction, an exponent); none
// for any other text, an empty one included.
std::optional<double> ParseDecimal(std::u16string_view text);

// The folder part of a path: up to its last ":" or "\", without a trailing "\".
std::u16string FolderOf(std::u16string_view path);

}  // namespace nuvrel
