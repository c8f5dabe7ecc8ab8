#include "frontend/settings/settings.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace nuvrel {

namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Decimal notation only: blanks, a sign, digits with at most one decimal point, an optional
// exponent, blanks. Returns the text in ASCII, or none.
std::optional<std::string> DecimalText(std::u16string_view text) {
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) {
            ++i;
        }
    };
    const auto digits = [&] {
        const std::size_t start = i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
        }
        return i - start;
    };
    skipBlanks();
    const std::size_t start = i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        ++i;
    }
    std::size_t mantissaDigits = digits();
    if (i < text.size() && text[i] == u'.') {
        ++i;
        mantissaDigits += digits();
    }
    if (mantissaDigits == 0) {
        return std::nullopt;
    }
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
            ++i;
        }
        if (digits() == 0) {
            return std::nullopt;
        }
    }
    const std::size_t end = i;
    skipBlanks();
    if (i != text.size()) {
        return std::nullopt;
    }
    return std::string(text.begin() + start, text.begin() + end);
}

std::u16string Decimal(std::int16_t value) {
    const std::string text = std::to_string(value);
    return std::u16string(text.begin(), text.end());
}

void LoadNumber(SettingsPlatform& platform, const std::u16string& file, std::string_view key,
                std::int16_t& setting) {
    const std::u16string text = platform.ReadIniString(settings_keys::Section, key, file);
    if (const auto number = ParseSettingNumber(text)) {
        setting = *number;
    }
}

}  // namespace

std::optional<double> ParseDecimal(std::u16string_view text) {
    const auto decimal = DecimalText(text);
    if (!decimal) {
        return std::nullopt;
    }
    return std::strtod(decimal->c_str(), nullptr);
}

std::optional<std::int16_t> ParseSettingNumber(std::u16string_view text) {
    if (text.empty()) {
        return 0;
    }
    const auto number = ParseDecimal(text);
    if (!number) {
        return std::nullopt;
    }
    const double value = std::floor(*number);
    if (!(value >= -32768.0 && value <= 32767.0)) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(value);
}

std::u16string FolderOf(std::u16string_view path) {
    const auto last = path.find_last_of(u":\\");
    if (last == std::u16string_view::npos) {
        return {};
    }
    std::u16string folder(path.substr(0, last + 1));
    if (folder.back() == u'\\') {
        folder.pop_back();
    }
    return folder;
}

std::u16string SettingsFilePath(SettingsPlatform& platform) {
    return platform.ProgramFolder() + u"\\" + std::u16string(SettingsFileName);
}

void LoadSettings(Settings& settings, SettingsPlatform& platform) {
    const std::u16string file = SettingsFilePath(platform);
    LoadNumber(platform, file, settings_keys::BgmKind, settings.BgmKind);
    LoadNumber(platform, file, settings_keys::BgmRepeat, settings.BgmRepeat);

    // A file that no longer opens is forgotten, and a file kind falls back to no music. The
    // CD kind keeps its choice whatever the stale path.
    settings.BgmFile = platform.ReadIniString(settings_keys::Section, settings_keys::BgmFile, file);
    if (!settings.BgmFile.empty() && !platform.FileExists(settings.BgmFile)) {
        settings.BgmFile.clear();
    }
    if (settings.BgmFile.empty() && settings.BgmKind == bgm_kind::File) {
        settings.BgmKind = bgm_kind::None;
    }
    settings.BgmFolder =
        settings.BgmFile.empty() ? platform.ProgramFolder() : FolderOf(settings.BgmFile);
}

bool SaveSettings(Settings& settings, SettingsPlatform& platform) {
    const std::u16string file = SettingsFilePath(platform);
    bool saved = true;
    const auto write = [&](std::string_view key, const std::u16string& value) {
        settings.ApiResult = platform.WriteIniString(settings_keys::Section, key, value, file);
        saved = saved && settings.ApiResult != 0;
    };
    write(settings_keys::BgmKind, Decimal(settings.BgmKind));
    write(settings_keys::BgmRepeat, Decimal(settings.BgmRepeat));
    write(settings_keys::BgmFile, settings.BgmFile);
    return saved;
}

}  // namespace nuvrel
