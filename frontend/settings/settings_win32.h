#pragma once

#include <windows.h>

#include <utility>

#include "frontend/settings/settings.h"

namespace nuvrel {

// The system calls of a save that a test stands in for, to fail as Windows can.
struct SaveCalls {
    decltype(&::CreateFileW) createFile = &::CreateFileW;
    decltype(&::ReplaceFileW) replaceFile = &::ReplaceFileW;
    decltype(&::WriteFile) writeFile = &::WriteFile;
};

// The settings file on disk. A file without a byte-order mark is code page 932 whatever the
// system's ANSI code page, so that a file written on a Japanese system reads on any other and
// the reverse.
class Win32SettingsPlatform final : public SettingsPlatform {
  public:
    // Without a folder, the running program's own.
    explicit Win32SettingsPlatform(std::u16string programFolder = {}, SaveCalls calls = {})
        : programFolder_(std::move(programFolder)), calls_(calls) {}

    std::u16string ProgramFolder() override;
    std::optional<std::string> ReadFileBytes(const std::u16string& path) override;
    // Saves through a link to the file it names, in the steps that save_plan.h decides.
    // Nonzero for success.
    std::int32_t ReplaceFileBytes(const std::u16string& path, std::string_view bytes) override;
    std::optional<std::u16string> ShortPathName(const std::u16string& path) override;
    std::optional<std::string> ToCodePage932(const std::u16string& text) override;
    std::u16string FromCodePage932(std::string_view bytes) override;
    bool FileExists(const std::u16string& path) override;

  private:
    std::u16string programFolder_;
    SaveCalls calls_;
};

// Code page 932 text for the settings file. A path that the code page cannot hold becomes
// its short (8.3) name, which names the same file; none when that cannot be had either.
std::optional<std::string> EncodeForSettingsFile(const std::u16string& value);
std::u16string DecodeFromSettingsFile(std::string_view bytes);

}  // namespace nuvrel
