#include "frontend/settings/settings_win32.h"

#include "frontend/settings/whole_read.h"

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

// The file's bytes; empty for a file that does not exist, none for one that cannot be read
// whole (a locked range, a network error, a file that changes size) or is too large.
std::optional<std::string> ReadWholeFile(const std::u16string& path) {
    const HANDLE file = CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        if (GetLastError() == ERROR_FILE_NOT_FOUND) {
            return std::string();
        }
        return std::nullopt;
    }
    std::optional<std::string> bytes;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size) && size.QuadPart >= 0 &&
        static_cast<unsigned long long>(size.QuadPart) <= MaxSettingsFileSize) {
        bytes =
            ReadWhole(static_cast<std::size_t>(size.QuadPart),
                      [&](char* buffer, std::size_t count) -> std::optional<std::size_t> {
                          DWORD read = 0;
                          if (!ReadFile(file, buffer, static_cast<DWORD>(count), &read, nullptr)) {
                              return std::nullopt;
                          }
                          return read;
                      });
    }
    CloseHandle(file);
    return bytes;
}

// Where a save goes: the file that a link names, and how many names it has.
struct SaveTarget {
    std::u16string path;
    bool exists = false;
    DWORD links = 1;
};

SaveTarget TargetOf(const std::u16string& path) {
    const HANDLE file =
        CreateFileW(Wide(path), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {path, GetFileAttributesW(Wide(path)) != INVALID_FILE_ATTRIBUTES, 1};
    }
    SaveTarget target{path, true, 1};
    std::vector<wchar_t> final(32768);
    const DWORD length =
        GetFinalPathNameByHandleW(file, final.data(), static_cast<DWORD>(final.size()),
                                  FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length > 0 && length < final.size()) {
        target.path.assign(reinterpret_cast<const char16_t*>(final.data()), length);
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (GetFileInformationByHandle(file, &information)) {
        target.links = information.nNumberOfLinks;
    }
    CloseHandle(file);
    return target;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    DWORD written = 0;
    return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size() && FlushFileBuffers(file);
}

// The file rewritten where it is: one write of the whole content, then a flush. Every name
// of the file, and everything the system keeps about it, stays.
std::int32_t WriteInPlace(const std::u16string& path, std::string_view bytes) {
    const HANDLE file = CreateFileW(Wide(path), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 0;
    }
    DWORD written = 0;
    const bool stored =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size() && SetEndOfFile(file) && FlushFileBuffers(file);
    const DWORD error = GetLastError();
    CloseHandle(file);
    SetLastError(stored ? ERROR_SUCCESS : error);
    return stored ? 1 : 0;
}

constexpr DWORD KeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                 FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// One try at the save: the new content beside the old file, then swapped in by the system's
// replace, which keeps the old file's attributes, access rules and streams. A file of several
// names, or one in a folder where no new file can be made, is written in place.
std::int32_t SaveOnce(const SaveTarget& target, std::string_view bytes) {
    if (target.exists && target.links > 1) {
        return WriteInPlace(target.path, bytes);
    }
    const std::u16string next = target.path + u".new";
    const HANDLE file = CreateFileW(Wide(next), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return target.exists ? WriteInPlace(target.path, bytes) : 0;
    }
    const bool stored = WriteAll(file, bytes);
    if (!CloseHandle(file) || !stored) {
        DeleteFileW(Wide(next));
        return 0;
    }
    if (!target.exists) {
        const BOOL moved = MoveFileExW(Wide(next), Wide(target.path), MOVEFILE_WRITE_THROUGH);
        if (!moved) {
            DeleteFileW(Wide(next));
        }
        return moved;
    }
    // The replace keeps these too on Windows, not on every system that stands in for it.
    const DWORD attributes = GetFileAttributesW(Wide(target.path));
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        SetFileAttributesW(Wide(next), attributes & KeptAttributes);
    }
    if (ReplaceFileW(Wide(target.path), Wide(next), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                     nullptr, nullptr)) {
        return 1;
    }
    const DWORD error = GetLastError();
    DeleteFileW(Wide(next));
    if (error == ERROR_SHARING_VIOLATION) {
        SetLastError(error);
        return 0;
    }
    return WriteInPlace(target.path, bytes);
}

// A file that another program holds open for a moment is tried again this often, this far
// apart.
constexpr int SaveTries = 5;
constexpr DWORD SaveRetryMilliseconds = 40;

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
    const SaveTarget target = TargetOf(path);
    for (int attempt = 1;; ++attempt) {
        if (SaveOnce(target, bytes)) {
            return 1;
        }
        if (attempt == SaveTries || GetLastError() != ERROR_SHARING_VIOLATION) {
            return 0;
        }
        Sleep(SaveRetryMilliseconds);
    }
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
