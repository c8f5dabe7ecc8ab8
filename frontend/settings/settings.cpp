#include "frontend/settings/settings.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <string>

#include "frontend/settings/ini_file.h"

namespace nuvrel {

namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// The ASCII form of a full-width digit, sign, decimal point or space; any other character
// as it is. The minus sign U+2212 counts as a minus too.
char16_t NarrowForm(char16_t c) {
    if (c >= u'０' && c <= u'９') {
        return static_cast<char16_t>(u'0' + (c - u'０'));
    }
    switch (c) {
        case u'＋':
            return u'+';
        case u'－':
        case u'\u2212':
            return u'-';
        case u'．':
            return u'.';
        case u'\u3000':
            return u' ';
        default:
            return c;
    }
}

// Decimal notation only: blanks, a sign, digits with at most one decimal point, an optional
// exponent, blanks. Returns the text in ASCII, or none.
std::optional<std::string> DecimalText(std::u16string_view typed) {
    std::u16string text(typed);
    for (char16_t& c : text) {
        c = NarrowForm(c);
    }
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

void LoadNumber(SettingsPlatform& platform, const std::u16string& file, std::u16string_view key,
                std::int16_t& setting) {
    const std::u16string text = ReadIniString(platform, settings_keys::Section, key, file);
    if (const auto number = ParseSettingNumber(text)) {
        setting = *number;
    }
}

// Text in the settings file's encoding; none when the encoding cannot hold it, or when it
// would break the line it is written on.
std::optional<std::string> Encode(SettingsPlatform& platform, std::u16string_view text,
                                  IniEncoding encoding) {
    if (text.find_first_of(u"\r\n", 0, 2) != std::u16string_view::npos) {
        return std::nullopt;
    }
    switch (encoding) {
        case IniEncoding::Utf16Le:
            return EncodeUtf16Le(text);
        case IniEncoding::Utf8:
            return EncodeUtf8(text);
        case IniEncoding::Cp932:
            break;
    }
    return platform.ToCodePage932(std::u16string(text));
}

std::u16string Decode(SettingsPlatform& platform, std::string_view bytes, IniEncoding encoding) {
    switch (encoding) {
        case IniEncoding::Utf16Le:
            return DecodeUtf16Le(bytes);
        case IniEncoding::Utf8:
            return DecodeUtf8(bytes);
        case IniEncoding::Cp932:
            break;
    }
    return platform.FromCodePage932(bytes);
}

// The file's bytes with the key set to the value, in the file's encoding; none when the
// names or the value cannot be stored in it.
std::optional<std::string> AssignIniString(SettingsPlatform& platform, std::string_view file,
                                           std::u16string_view section, std::u16string_view key,
                                           std::u16string_view value) {
    const IniEncoding encoding = DetectIniEncoding(file);
    const auto sectionText = Encode(platform, section, encoding);
    const auto keyText = Encode(platform, key, encoding);
    const auto valueText = Encode(platform, value, encoding);
    if (!sectionText || !keyText || !valueText) {
        return std::nullopt;
    }
    return IniAssign(file, *sectionText, *keyText, *valueText);
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
    settings.BgmFile =
        ReadIniString(platform, settings_keys::Section, settings_keys::BgmFile, file);
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
    settings.ApiResult = 0;
    auto content = platform.ReadFileBytes(file);
    const std::array<std::pair<std::u16string_view, std::u16string>, 3> values = {{
        {settings_keys::BgmKind, Decimal(settings.BgmKind)},
        {settings_keys::BgmRepeat, Decimal(settings.BgmRepeat)},
        {settings_keys::BgmFile, settings.BgmFile},
    }};
    for (const auto& [key, value] : values) {
        if (content) {
            content = AssignIniString(platform, *content, settings_keys::Section, key, value);
        }
    }
    if (!content) {
        return false;
    }
    settings.ApiResult = platform.ReplaceFileBytes(file, *content);
    return settings.ApiResult != 0;
}

std::u16string ReadIniString(SettingsPlatform& platform, std::u16string_view section,
                             std::u16string_view key, const std::u16string& file) {
    const auto bytes = platform.ReadFileBytes(file);
    if (!bytes) {
        return {};
    }
    const IniEncoding encoding = DetectIniEncoding(*bytes);
    const auto sectionText = Encode(platform, section, encoding);
    const auto keyText = Encode(platform, key, encoding);
    if (!sectionText || !keyText) {
        return {};
    }
    const auto value = IniLookup(*bytes, *sectionText, *keyText);
    if (!value) {
        return {};
    }
    std::u16string text = Decode(platform, *value, encoding);
    if (text.size() > MaxIniValueLength) {
        text.resize(MaxIniValueLength);
    }
    return text;
}

std::int32_t WriteIniString(SettingsPlatform& platform, std::u16string_view section,
                            std::u16string_view key, std::u16string_view value,
                            const std::u16string& file) {
    const auto bytes = platform.ReadFileBytes(file);
    if (!bytes) {
        return 0;
    }
    const auto content = AssignIniString(platform, *bytes, section, key, value);
    if (!content) {
        return 0;
    }
    return platform.ReplaceFileBytes(file, *content);
}

}  // namespace nuvrel
