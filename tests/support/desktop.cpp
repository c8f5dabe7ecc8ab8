#include "tests/support/desktop.h"

#include <cstdio>

namespace nuvrel::testing {

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of("\\/"));
}

Program::Program(const std::string& path, const std::string& arguments) {
    std::string commandLine = "\"" + path + "\"";
    if (!arguments.empty()) {
        commandLine += " " + arguments;
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process_)) {
        process_ = {};
    }
}

Program::~Program() {
    if (!Started()) {
        return;
    }
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 99);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

std::optional<DWORD> Program::WaitForExit(DWORD milliseconds) {
    const DWORD deadline = GetTickCount() + milliseconds;
    while (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        if (static_cast<LONG>(deadline - GetTickCount()) <= 0) {
            return std::nullopt;
        }
        Pause(50);
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

// Wine starts a Unix program without waiting for it or learning its exit status, so the
// command runs in a shell that leaves its status in a file, which is waited for here.
DWORD RunUnixCommand(const std::string& command, DWORD timeoutMilliseconds) {
    static int commandsRun = 0;
    const std::string status = "/tmp/nuvrel-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                               std::to_string(++commandsRun);
    std::string script = "PATH=/usr/local/bin:/usr/bin:/bin; " + command + "; echo $? > " + status +
                         ".tmp && mv " + status + ".tmp " + status;
    std::string escaped;
    for (char c : script) {
        if (c == '"' || c == '\\') {
            escaped += '\\';
        }
        escaped += c;
    }
    std::string commandLine = "/bin/sh -c \"" + escaped + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return static_cast<DWORD>(-1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    const std::string statusFile = WindowsPathOf(status);
    const DWORD deadline = GetTickCount() + timeoutMilliseconds;
    while (GetFileAttributesA(statusFile.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (static_cast<LONG>(deadline - GetTickCount()) <= 0) {
            return static_cast<DWORD>(-1);
        }
        Pause(20);
    }
    DWORD code = static_cast<DWORD>(-1);
    if (FILE* file = std::fopen(statusFile.c_str(), "r")) {
        unsigned long value = 0;
        if (std::fscanf(file, "%lu", &value) == 1) {
            code = value;
        }
        std::fclose(file);
    }
    DeleteFileA(statusFile.c_str());
    return code;
}

bool Xdotool(const std::string& arguments) {
    return RunUnixCommand("xdotool " + arguments) == 0;
}

namespace {

struct TitleSearch {
    const char* title;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindowTitled(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<TitleSearch*>(data);
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    if (std::string(text) == search.title) {
        search.found.push_back(window);
    }
    return TRUE;
}

}  // namespace

std::vector<HWND> WindowsTitled(const char* title) {
    TitleSearch search{title, {}};
    EnumWindows(CollectWindowTitled, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void EndProgramsWithWindowsTitled(const char* title) {
    for (HWND window : WindowsTitled(title)) {
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        if (HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, id)) {
            TerminateProcess(process, 1);
            CloseHandle(process);
        }
    }
}

HWND WaitForWindow(const char* title, DWORD milliseconds) {
    const DWORD deadline = GetTickCount() + milliseconds;
    for (;;) {
        if (HWND window = FindWindowA(nullptr, title)) {
            return window;
        }
        if (static_cast<LONG>(deadline - GetTickCount()) <= 0) {
            return nullptr;
        }
        Pause(50);
    }
}

void Pause(DWORD milliseconds) {
    const DWORD deadline = GetTickCount() + milliseconds;
    for (;;) {
        const LONG left = static_cast<LONG>(deadline - GetTickCount());
        if (left <= 0) {
            return;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

std::string MakeTestFolder(const std::string& prefix) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    for (unsigned attempt = GetTickCount();; ++attempt) {
        const std::string folder = std::string(temp) + prefix + "-" + std::to_string(attempt);
        if (CreateDirectoryA(folder.c_str(), nullptr)) {
            return folder;
        }
    }
}

void RemoveFolder(const std::string& folder) {
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveFolder(path);
            } else {
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

std::string WindowsPathOf(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}

}  // namespace nuvrel::testing

namespace nuvrel::testing {

ScreenImage::Colour ScreenImage::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return {-1, -1, -1};
    }
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

ScreenImage CaptureScreen(const std::string& unixFolder, const std::string& name) {
    const std::string shot = unixFolder + "/" + name;
    if (RunUnixCommand("import -window root -depth 8 " + shot + ".ppm") != 0) {
        return {};
    }
    RunUnixCommand("convert " + shot + ".ppm " + shot + ".png");
    std::FILE* file = std::fopen(WindowsPathOf(shot + ".ppm").c_str(), "rb");
    if (file == nullptr) {
        return {};
    }
    ScreenImage image;
    int maxValue = 0;
    char magic[3] = {};
    const bool header =
        std::fscanf(file, "%2s %d %d %d", magic, &image.width, &image.height, &maxValue) == 4 &&
        std::string(magic) == "P6" && maxValue == 255 && std::fgetc(file) != EOF;
    if (header && image.width > 0 && image.height > 0) {
        image.rgb.resize(static_cast<std::size_t>(image.width) * image.height * 3);
        if (std::fread(image.rgb.data(), 1, image.rgb.size(), file) != image.rgb.size()) {
            image = {};
        }
    } else {
        image = {};
    }
    std::fclose(file);
    return image;
}

HWND FindWindowTitledW(const wchar_t* title) {
    return FindWindowW(nullptr, title);
}

namespace {

struct ClassSearch {
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK StopAtClass(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<ClassSearch*>(data);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (lstrcmpiW(name, search.className) == 0) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindDescendant(HWND parent, const wchar_t* className) {
    ClassSearch search{className, nullptr};
    EnumChildWindows(parent, StopAtClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace nuvrel::testing
