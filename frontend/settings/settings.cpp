#include "frontend/settings/settings.h"

#include <array>
#include <string>
#include <utility>

#include "frontend/settings/ini_file.h"

namespace nuvrel {

namespace {

std::u16string Decimal(std::int16_t value) {
    const std::string text = std::to_string(value);
    return std::u16string(text.begin(), text.end());
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
        case IniEncoding::Utf16Be:
            return EncodeUtf16Be(text);
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
        case IniEncoding::Utf16Be:
            return DecodeUtf16Be(bytes);
        case IniEncoding::Utf8:
            return DecodeUtf8(bytes);
        case IniEncoding::Cp932:
            break;
    }
    return platform.FromCodePage932(bytes);
}

// The settings file parsed; none when it cannot be read or is too large to be one.
std::optional<IniFile> ReadSettingsFile(SettingsPlatform& platform, const std::u16string& path) {
    auto bytes = platform.ReadFileBytes(path);
    if (!bytes || bytes->size() > MaxSettingsFileSize) {
        return std::nullopt;
    }
    return IniFile(std::move(*bytes));
}

std::u16string Lookup(SettingsPlatform& platform, const IniFile& file, std::u16string_view section,
                      std::u16string_view key) {
    const auto sectionText = Encode(platform, section, file.Encoding());
    const auto keyText = Encode(platform, key, file.Encoding());
    if (!sectionText || !keyText) {
        return {};
    }
    const auto value = file.Lookup(*sectionText, *keyText);
    if (!value) {
        return {};
    }
    std::u16string text = Decode(platform, *value, file.Encoding());
    if (text.size() > MaxIniValueLength) {
        text.resize(MaxIniValueLength);
    }
    return text;
}

// Sets the key in the file's own encoding; false when the names or the value cannot be
// stored in it.
bool Assign(SettingsPlatform& platform, IniFile& file, std::u16string_view section,
            std::u16string_view key, std::u16string_view value) {
    const auto sectionText = Encode(platform, section, file.Encoding());
    const auto keyText = Encode(platform, key, file.Encoding());
    const auto valueText = Encode(platform, value, file.Encoding());
    return sectionText && keyText && valueText && file.Assign(*sectionText, *keyText, *valueText);
}

// The music file's path as a later read gives it back whole: a long path by its short name.
std::optional<std::u16string> StorablePath(SettingsPlatform& platform, const std::u16string& path) {
    if (path.size() <= MaxIniValueLength) {
        return path;
    }
    auto shortPath = platform.ShortPathName(path);
    if (shortPath && shortPath->size() <= MaxIniValueLength) {
        return shortPath;
    }
    return std::nullopt;
}

// A file that a read would refuse is not written.
std::int32_t Store(SettingsPlatform& platform, const std::u16string& path, const IniFile& file) {
    if (file.Bytes().size() > MaxSettingsFileSize) {
        return 0;
    }
    return platform.ReplaceFileBytes(path, file.Bytes());
}

void LoadNumber(SettingsPlatform& platform, const IniFile& file, std::u16string_view key,
                std::int16_t& setting) {
    if (const auto number =
            ParseSettingNumber(Lookup(platform, file, settings_keys::Section, key))) {
        setting = *number;
    }
}

}  // namespace

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
    const IniFile file =
        ReadSettingsFile(platform, SettingsFilePath(platform)).value_or(IniFile(std::string()));
    LoadNumber(platform, file, settings_keys::BgmKind, settings.BgmKind);
    LoadNumber(platform, file, settings_keys::BgmRepeat, settings.BgmRepeat);

    // A file that no longer opens is forgotten, and a file kind falls back to no music. The
    // CD kind keeps its choice whatever the stale path.
    settings.BgmFile = Lookup(platform, file, settings_keys::Section, settings_keys::BgmFile);
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
    const std::u16string path = SettingsFilePath(platform);
    settings.ApiResult = 0;
    auto file = ReadSettingsFile(platform, path);
    const auto musicPath = StorablePath(platform, settings.BgmFile);
    if (!file || !musicPath) {
        return false;
    }
    const std::array<std::pair<std::u16string_view, std::u16string>, 3> values = {{
        {settings_keys::BgmKind, Decimal(settings.BgmKind)},
        {settings_keys::BgmRepeat, Decimal(settings.BgmRepeat)},
        {settings_keys::BgmFile, *musicPath},
    }};
    for (const auto& [key, value] : values) {
        if (!Assign(platform, *file, settings_keys::Section, key, value)) {
            return false;
        }
    }
    settings.ApiResult = Store(platform, path, *file);
    return settings.ApiResult != 0;
}

std::u16string ReadIniString(SettingsPlatform& platform, std::u16string_view section,
                             std::u16string_view key, const std::u16string& file) {
    const auto ini = ReadSettingsFile(platform, file);
    return ini ? Lookup(platform, *ini, section, key) : std::u16string();
}

std::int32_t WriteIniString(SettingsPlatform& platform, std::u16string_view section,
                            std::u16string_view key, std::u16string_view value,
                            const std::u16string& file) {
    auto ini = ReadSettingsFile(platform, file);
    if (!ini || !Assign(platform, *ini, section, key, value)) {
        return 0;
    }
    return Store(platform, file, *ini);
}

}  // namespace nuvrel
