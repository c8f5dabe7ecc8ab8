#include "frontend/settings/settings_win32.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace nuvrel {

namespace {

constexpr UINT ShiftJis = 932;

const wchar_t* Wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

// None when a character has no code page 932 form.
std::optional<std::string> ToShiftJis(const std::u16string& text) {
    if (text.empty()) {
        return std::string();
    }
    BOOL usedDefault = FALSE;
    const int length =
        WideCharToMultiByte(ShiftJis, WC_NO_BEST_FIT_CHARS, Wide(text),
                            static_cast<int>(text.size()), nullptr, 0, nullptr, &usedDefault);
    if (length <= 0 || usedDefault) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(ShiftJis, WC_NO_BEST_FIT_CHARS, Wide(text), static_cast<int>(text.size()),
                        bytes.data(), length, nullptr, nullptr);
    return bytes;
}

// The file's bytes; empty for a file that does not exist, none for one that cannot be read.
std::optional<std::string> ReadWholeFile(const std::u16string& path) {
    const HANDLE file = CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND) {
            return std::string();
        }
        return std::nullopt;
    }
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        bytes.append(buffer, read);
    }
    CloseHandle(file);
    return bytes;
}

}  // namespace

std::u16string DecodeFromSettingsFile(std::string_view bytes) {
    if (bytes.empty()) {
        return {};
    }
    const int length =
        MultiByteToWideChar(ShiftJis, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::u16string text(static_cast<std::size_t>(std::max(length, 0)), u'\0');
    MultiByteToWideChar(ShiftJis, 0, bytes.data(), static_cast<int>(bytes.size()),
                        reinterpret_cast<wchar_t*>(text.data()), length);
    return text;
}

std::optional<std::string> EncodeForSettingsFile(const std::u16string& value) {
    if (auto bytes = ToShiftJis(value)) {
        return bytes;
    }
    std::vector<wchar_t> shortPath(32768);
    const DWORD length =
        GetShortPathNameW(Wide(value), shortPath.data(), static_cast<DWORD>(shortPath.size()));
    if (length == 0 || length >= shortPath.size()) {
        return std::nullopt;
    }
    return ToShiftJis(std::u16string(reinterpret_cast<const char16_t*>(shortPath.data()), length));
}

std::u16string Win32SettingsPlatform::ProgramFolder() {
    if (!programFolder_.empty()) {
        return programFolder_;
    }
    std::vector<wchar_t> path(32768);
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    return FolderOf(std::u16string(reinterpret_cast<const char16_t*>(path.data()), length));
}

std::optional<std::string> Win32SettingsPlatform::ReadFileBytes(const std::u16string& path) {
    return ReadWholeFile(path);
}

std::int32_t Win32SettingsPlatform::ReplaceFileBytes(const std::u16string& path,
                                                     std::string_view bytes) {
    const std::u16string next = path + u".new";
    const HANDLE file = CreateFileW(Wide(next), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 0;
    }
    DWORD written = 0;
    const bool stored =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size() && FlushFileBuffers(file);
    if (!CloseHandle(file) || !stored) {
        DeleteFileW(Wide(next));
        return 0;
    }
    const BOOL moved =
        MoveFileExW(Wide(next), Wide(path), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!moved) {
        DeleteFileW(Wide(next));
    }
    return moved;
}

std::optional<std::string> Win32SettingsPlatform::ToCodePage932(const std::u16string& text) {
    return EncodeForSettingsFile(text);
}

std::u16string Win32SettingsPlatform::FromCodePage932(std::string_view bytes) {
    return DecodeFromSettingsFile(bytes);
}

// Opened for reading as a file: a folder, a missing file, an invalid name or a file that is
// not shared for reading all give false.
bool Win32SettingsPlatform::FileExists(const std::u16string& path) {
    std::u16string name = path;
    if (!name.empty() && name.back() == u'\\') {
        name.pop_back();
    }
    if (name.empty()) {
        return false;
    }
    const HANDLE file = CreateFileW(Wide(name), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

}  // namespace nuvrel
