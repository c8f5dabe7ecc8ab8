#pragma once

#include <utility>

#include "frontend/settings/settings.h"

namespace nuvrel {

// The settings file on disk. A file without a byte-order mark is code page 932 whatever the
// system's ANSI code page, so that a file written on a Japanese system reads on any other and
// the reverse.
class Win32SettingsPlatform final : public SettingsPlatform {
  public:
    // Without a folder, the running program's own.
    explicit Win32SettingsPlatform(std::u16string programFolder = {})
        : programFolder_(std::move(programFolder)) {}

    std::u16string ProgramFolder() override;
    std::optional<std::string> ReadFileBytes(const std::u16string& path) override;
    // Saves through a link to the file it names: the bytes go to a new file beside it, which
    // the system's replace swaps in (a move where there was no file). A file of several names,
    // or one in a folder where no new file can be made, is written in place instead. A file
    // that another program holds open is tried again for a moment. Nonzero for success.
    std::int32_t ReplaceFileBytes(const std::u16string& path, std::string_view bytes) override;
    std::optional<std::string> ToCodePage932(const std::u16string& text) override;
    std::u16string FromCodePage932(std::string_view bytes) override;
    bool FileExists(const std::u16string& path) override;

  private:
    std::u16string programFolder_;
};

// Code page 932 text for the settings file. A path that the code page cannot hold becomes
// its short (8.3) name, which names the same file; none when that cannot be had either.
std::optional<std::string> EncodeForSettingsFile(const std::u16string& value);
std::u16string DecodeFromSettingsFile(std::string_view bytes);

}  // namespace nuvrel
