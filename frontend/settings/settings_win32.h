#pragma once

#include <utility>

#include "frontend/settings/settings.h"

namespace nuvrel {

// The settings file on disk in code page 932, whatever the system's ANSI code page, so that
// a file written on a Japanese system reads on any other and the reverse.
class Win32SettingsPlatform final : public SettingsPlatform {
  public:
    // Without a folder, the running program's own.
    explicit Win32SettingsPlatform(std::u16string programFolder = {})
        : programFolder_(std::move(programFolder)) {}

    std::u16string ProgramFolder() override;
    std::u16string ReadIniString(std::string_view section, std::string_view key,
                                 const std::u16string& file) override;
    std::int32_t WriteIniString(std::string_view section, std::string_view key,
                                const std::u16string& value, const std::u16string& file) override;
    bool FileExists(const std::u16string& path) override;

  private:
    std::u16string programFolder_;
};

// Code page 932 text for the settings file. A path that the code page cannot hold becomes
// its short (8.3) name, which names the same file; none when that cannot be had either.
std::optional<std::string> EncodeForSettingsFile(const std::u16string& value);
std::u16string DecodeFromSettingsFile(const std::string& bytes);

}  // namespace nuvrel
