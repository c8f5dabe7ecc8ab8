#include "frontend/settings/settings_win32.h"

#include "frontend/settings/save_plan.h"
#include "frontend/settings/whole_read.h"

#include <windows.h>

#include <algorithm>
#include <functional>
#include <utility>
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

// The open file's bytes; none when it cannot be read whole, changes size while it is read, or
// is too large.
std::optional<std::string> ReadOpenFile(HANDLE file) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > MaxSettingsFileSize) {
        return std::nullopt;
    }
    return ReadWhole(static_cast<std::size_t>(size.QuadPart),
                     [&](char* buffer, std::size_t count) -> std::optional<std::size_t> {
                         DWORD read = 0;
                         if (!ReadFile(file, buffer, static_cast<DWORD>(count), &read, nullptr)) {
                             return std::nullopt;
                         }
                         return read;
                     });
}

// None for a file that does not exist.
std::optional<std::u16string> ShortName(const std::u16string& path) {
    std::vector<wchar_t> shortPath(32768);
    const DWORD length =
        GetShortPathNameW(Wide(path), shortPath.data(), static_cast<DWORD>(shortPath.size()));
    if (length == 0 || length >= shortPath.size()) {
        return std::nullopt;
    }
    return std::u16string(reinterpret_cast<const char16_t*>(shortPath.data()), length);
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
    std::optional<std::string> bytes = ReadOpenFile(file);
    CloseHandle(file);
    return bytes;
}

// Where a save goes: the file that a link names, and how many names it has.
struct SaveTargetFile {
    std::u16string path;
    SaveTarget facts;
};

SaveTargetFile TargetOf(const std::u16string& path) {
    const HANDLE file =
        CreateFileW(Wide(path), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {path, {GetFileAttributesW(Wide(path)) != INVALID_FILE_ATTRIBUTES, false}};
    }
    SaveTargetFile target{path, {true, false}};
    std::vector<wchar_t> final(32768);
    const DWORD length =
        GetFinalPathNameByHandleW(file, final.data(), static_cast<DWORD>(final.size()),
                                  FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length > 0 && length < final.size()) {
        target.path.assign(reinterpret_cast<const char16_t*>(final.data()), length);
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (GetFileInformationByHandle(file, &information)) {
        target.facts.severalNames = information.nNumberOfLinks > 1;
    }
    CloseHandle(file);
    return target;
}

constexpr DWORD KeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                 FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// A file that another program holds open for a moment is tried again after this pause.
constexpr DWORD SaveRetryMilliseconds = 40;

// The save's steps on the file system, each one system call or a few.
class SaveOnDisk {
  public:
    SaveOnDisk(const SaveCalls& calls, std::u16string target, std::string_view bytes)
        : calls_(calls), target_(std::move(target)), next_(target_ + u".new"), bytes_(bytes) {}
    ~SaveOnDisk() { CloseInPlace(); }
    SaveOnDisk(const SaveOnDisk&) = delete;
    SaveOnDisk& operator=(const SaveOnDisk&) = delete;

    SaveAnswer operator()(SaveStep step) {
        switch (step) {
            case SaveStep::ClearStaleNext:
                return ClearStaleNext();
            case SaveStep::WriteNext:
                return WriteNew(next_, CREATE_ALWAYS);
            case SaveStep::DeleteNext:
                return Answer(DeleteFileW(Wide(next_)));
            case SaveStep::ReplaceWithNext:
                return ReplaceWithNext();
            case SaveStep::MoveNextOver:
                return Answer(MoveFileExW(Wide(next_), Wide(target_),
                                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
            case SaveStep::MoveNextNew:
                return Answer(MoveFileExW(Wide(next_), Wide(target_), MOVEFILE_WRITE_THROUGH));
            case SaveStep::CreateTarget:
                return WriteNew(target_, CREATE_NEW);
            case SaveStep::DeleteTarget:
                return Answer(DeleteFileW(Wide(target_)));
            case SaveStep::WriteInPlace:
                return WriteInPlace();
            case SaveStep::RestoreInPlace:
                return RestoreInPlace();
            case SaveStep::Wait:
                Sleep(SaveRetryMilliseconds);
                return SaveAnswer::Done;
            case SaveStep::Succeed:
            case SaveStep::Fail:
                break;
        }
        return SaveAnswer::Done;
    }

  private:
    static SaveAnswer Answer(BOOL done) {
        if (done) {
            return SaveAnswer::Done;
        }
        return GetLastError() == ERROR_ACCESS_DENIED ? SaveAnswer::Refused : SaveAnswer::Failed;
    }

    // Every byte, then a flush, so that the file is whole on the disk before it takes a name.
    bool WriteAll(HANDLE file, std::string_view bytes) const {
        DWORD written = 0;
        return calls_.writeFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                                nullptr) &&
               written == bytes.size() && FlushFileBuffers(file);
    }

    // A next file that a crash left carries the target's attributes, hidden among them, and
    // a hidden file refuses to be created again with plain ones.
    SaveAnswer ClearStaleNext() {
        const DWORD attributes = GetFileAttributesW(Wide(next_));
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) ||
            attributes == FILE_ATTRIBUTE_NORMAL) {
            return SaveAnswer::Done;
        }
        return Answer(SetFileAttributesW(Wide(next_), FILE_ATTRIBUTE_NORMAL));
    }

    SaveAnswer WriteNew(const std::u16string& path, DWORD creation) {
        const HANDLE file = calls_.createFile(Wide(path), GENERIC_WRITE, 0, nullptr, creation,
                                              FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return Answer(FALSE);
        }
        const bool stored = WriteAll(file, bytes_);
        return CloseHandle(file) && stored ? SaveAnswer::Done : SaveAnswer::PartlyWritten;
    }

    SaveAnswer ReplaceWithNext() {
        // The replace keeps these too on Windows, not on every system that stands in for it.
        const DWORD attributes = GetFileAttributesW(Wide(target_));
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            SetFileAttributesW(Wide(next_), attributes & KeptAttributes);
        }
        if (calls_.replaceFile(Wide(target_), Wide(next_), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                               nullptr, nullptr)) {
            return SaveAnswer::Done;
        }
        switch (GetLastError()) {
            case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
                return SaveAnswer::TargetGone;
            case ERROR_UNABLE_TO_MOVE_REPLACEMENT_2:
                return SaveAnswer::TargetRenamed;
            default:
                return Answer(FALSE);
        }
    }

    // The file stays open from the write to a restore, so that nothing comes between.
    SaveAnswer WriteInPlace() {
        CloseInPlace();
        inPlace_ = CreateFileW(Wide(target_), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (inPlace_ == INVALID_HANDLE_VALUE) {
            return Answer(FALSE);
        }
        std::optional<std::string> old = ReadOpenFile(inPlace_);
        if (!old) {
            CloseInPlace();
            return SaveAnswer::Failed;
        }
        old_ = std::move(*old);
        if (!Rewrite(bytes_)) {
            return SaveAnswer::PartlyWritten;
        }
        CloseInPlace();
        return SaveAnswer::Done;
    }

    SaveAnswer RestoreInPlace() {
        const bool restored = inPlace_ != INVALID_HANDLE_VALUE && Rewrite(old_);
        CloseInPlace();
        return restored ? SaveAnswer::Done : SaveAnswer::Failed;
    }

    bool Rewrite(std::string_view bytes) const {
        LARGE_INTEGER start{};
        return SetFilePointerEx(inPlace_, start, nullptr, FILE_BEGIN) &&
               WriteAll(inPlace_, bytes) && SetEndOfFile(inPlace_) && FlushFileBuffers(inPlace_);
    }

    void CloseInPlace() {
        if (inPlace_ != INVALID_HANDLE_VALUE) {
            CloseHandle(inPlace_);
            inPlace_ = INVALID_HANDLE_VALUE;
        }
    }

    const SaveCalls& calls_;
    std::u16string target_;
    std::u16string next_;
    std::string_view bytes_;
    HANDLE inPlace_ = INVALID_HANDLE_VALUE;
    std::string old_;
};

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
    const auto shortPath = ShortName(value);
    return shortPath ? ToShiftJis(*shortPath) : std::nullopt;
}

std::u16string Win32SettingsPlatform::ProgramFolder() {
    if (!programFolder_.empty()) {
        return programFolder_;
    }
    std::vector<wchar_t> path(32768);
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    return FolderOf(std::u16string(reinterpret_cast<const char16_t*>(path.data()), length));
}

// A save whose replace took the file away, and which could not move its next file to the
// file's name after it, leaves the settings in the next file alone: they are read from there
// until a save puts them back under the file's name.
std::optional<std::string> Win32SettingsPlatform::ReadFileBytes(const std::u16string& path) {
    std::optional<std::string> bytes = ReadWholeFile(path);
    if (bytes && bytes->empty() && GetFileAttributesW(Wide(path)) == INVALID_FILE_ATTRIBUTES) {
        if (std::optional<std::string> next = ReadWholeFile(path + u".new")) {
            return next;
        }
    }
    return bytes;
}

std::int32_t Win32SettingsPlatform::ReplaceFileBytes(const std::u16string& path,
                                                     std::string_view bytes) {
    const SaveTargetFile target = TargetOf(path);
    SaveOnDisk disk(calls_, target.path, bytes);
    return RunSave(target.facts, std::ref(disk)) ? 1 : 0;
}

std::optional<std::u16string> Win32SettingsPlatform::ShortPathName(const std::u16string& path) {
    return ShortName(path);
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
