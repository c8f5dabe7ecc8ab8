// Watches a running screensaver from outside for scripts/soak.sh: finds the front end and the
// renderer by their window titles, samples what each process holds at the start, once a
// minute and at the end, then ends the renderer with a key as a user would and reports how
// both processes ended.
//
//   soak_probe MINUTES
//
// Output, one line per sample and process (see Sample), with a count of handles by type:
//   sample <label> <title> pid=<id> private=<bytes> handles=<n> gdi=<n> user=<n> windows=<n>
//   handle-types <label> <title> <type>:<count>...
// then
//   exit <title> <code>          (or "exit <title> running" when it did not end in time)
//
// Wine answers 0 for another process's private bytes and handle count and for
// GetGuiResources. The handles are then counted in the system's handle list, the GDI objects
// in the process's GDI handle table (where Windows keeps it too, at the PEB's
// GdiSharedHandleTable), the windows a process owns by enumeration; the private memory is
// left to the caller, which reads it from the host's /proc.

#include <windows.h>

#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "tests/support/desktop.h"

namespace {

using nuvrel::testing::Pause;
using nuvrel::testing::WaitForWindow;
using nuvrel::testing::Xdotool;

struct Watched {
    const char* title;
    DWORD id = 0;
    HANDLE process = nullptr;
};

// Wine's entry of the GDI handle table (ntgdi.h): 24 bytes whatever the pointer size.
#pragma pack(push, 4)
struct GdiHandleEntry {
    unsigned long long object;
    ULONG owner;
    UCHAR extType;
    UCHAR generation;
    UCHAR type;
    UCHAR flags;
    unsigned long long userPointer;
};
#pragma pack(pop)
static_assert(sizeof(GdiHandleEntry) == 24);
constexpr std::size_t GdiHandleCount = 0x10000;

using QueryInformationProcess = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
using QuerySystemInformation = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);

void* NtdllFunction(const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), name));
}

// An entry of the system's handle list (SystemHandleInformation).
struct SystemHandleEntry {
    ULONG ownerId;
    UCHAR objectType;
    UCHAR flags;
    USHORT value;
    void* object;
    ACCESS_MASK access;
};

// Handles the process holds, from the system's list of every process's handles; -1 when the
// list cannot be had. Wine's GetProcessHandleCount answers 0 for another process. The types
// receives how many there are of each object type ("type:count ...").
long HandlesInSystemList(DWORD id, std::string& types) {
    static const auto query =
        reinterpret_cast<QuerySystemInformation>(NtdllFunction("NtQuerySystemInformation"));
    constexpr ULONG SystemHandleInformation = 16;
    constexpr LONG InfoLengthMismatch = static_cast<LONG>(0xC0000004);
    std::vector<unsigned char> buffer(1 << 20);
    for (;;) {
        ULONG needed = 0;
        const LONG status = query == nullptr ? -1
                                             : query(SystemHandleInformation, buffer.data(),
                                                     static_cast<ULONG>(buffer.size()), &needed);
        if (status == InfoLengthMismatch && buffer.size() < (256u << 20)) {
            buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed));
            continue;
        }
        if (status != 0) {
            return -1;
        }
        break;
    }
    const ULONG count = *reinterpret_cast<const ULONG*>(buffer.data());
    const auto* entries = reinterpret_cast<const SystemHandleEntry*>(buffer.data() + sizeof(void*));
    long held = 0;
    std::map<int, long> byType;
    for (ULONG i = 0; i < count; ++i) {
        if (entries[i].ownerId == id) {
            ++held;
            ++byType[entries[i].objectType];
        }
    }
    types.clear();
    for (const auto& [type, number] : byType) {
        types += " " + std::to_string(type) + ":" + std::to_string(number);
    }
    return held;
}

// GDI objects in use in the process's handle table; -1 when it cannot be read.
long GdiObjectsInTable(HANDLE process) {
    static const auto query =
        reinterpret_cast<QueryInformationProcess>(NtdllFunction("NtQueryInformationProcess"));
    PROCESS_BASIC_INFORMATION basic{};
    if (query == nullptr ||
        query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) {
        return -1;
    }
    // PEB of a 32-bit process: GdiSharedHandleTable at 0x94; of a 64-bit one at 0xF8.
    const std::size_t offset = sizeof(void*) == 4 ? 0x94 : 0xF8;
    void* table = nullptr;
    if (!ReadProcessMemory(process,
                           static_cast<char*>(static_cast<void*>(basic.PebBaseAddress)) + offset,
                           &table, sizeof table, nullptr) ||
        table == nullptr) {
        return -1;
    }
    std::vector<GdiHandleEntry> entries(GdiHandleCount);
    SIZE_T read = 0;
    ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof(GdiHandleEntry),
                      &read);
    if (read == 0) {
        return -1;
    }
    long used = 0;
    for (std::size_t i = 1; i < read / sizeof(GdiHandleEntry); ++i) {
        if (entries[i].type != 0) {
            ++used;
        }
    }
    return used;
}

struct WindowCount {
    DWORD id;
    long count = 0;
};

BOOL CALLBACK CountChild(HWND window, LPARAM data) {
    auto& count = *reinterpret_cast<WindowCount*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    count.count += owner == count.id ? 1 : 0;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM data) {
    CountChild(window, data);
    EnumChildWindows(window, CountChild, data);
    return TRUE;
}

long WindowsOf(DWORD id) {
    WindowCount count{id};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&count));
    return count.count;
}

struct Reading {
    unsigned long privateBytes = 0;
    long handles = 0;
    long gdi = 0;
    unsigned long user = 0;
    long windows = 0;
    std::string handleTypes;
};

// Private bytes, handles and GDI objects from the system's own figures where it gives them
// (Windows); where it answers 0 (Wine), from the lists above, and "private=0" tells the
// caller to measure the memory itself.
Reading Read(const Watched& watched) {
    Reading reading;
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(watched.process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                         sizeof memory);
    reading.privateBytes = static_cast<unsigned long>(memory.PrivateUsage);
    DWORD handlesReported = 0;
    GetProcessHandleCount(watched.process, &handlesReported);
    reading.handles = handlesReported != 0 ? static_cast<long>(handlesReported)
                                           : HandlesInSystemList(watched.id, reading.handleTypes);
    const DWORD gdiReported = GetGuiResources(watched.process, GR_GDIOBJECTS);
    reading.gdi =
        gdiReported != 0 ? static_cast<long>(gdiReported) : GdiObjectsInTable(watched.process);
    reading.user = GetGuiResources(watched.process, GR_USEROBJECTS);
    reading.windows = WindowsOf(watched.id);
    return reading;
}

// The music's player holds a few more threads and events while it plays than between two
// plays, so a single reading depends on the moment. A sample is the least of readings spread
// over 2.4 seconds, longer than one play of the test's tone and the wait for its restart: what
// the process holds at rest, which grows only when something is kept for good.
void Sample(const char* label, const Watched& watched) {
    Reading least = Read(watched);
    for (int i = 1; i < 8; ++i) {
        Pause(300);
        const Reading reading = Read(watched);
        least.privateBytes = std::min(least.privateBytes, reading.privateBytes);
        if (reading.handles < least.handles) {
            least.handles = reading.handles;
            least.handleTypes = reading.handleTypes;
        }
        least.gdi = std::min(least.gdi, reading.gdi);
        least.user = std::min(least.user, reading.user);
        least.windows = std::min(least.windows, reading.windows);
    }
    std::printf("sample %s %s pid=%lu private=%lu handles=%ld gdi=%ld user=%lu windows=%ld\n",
                label, watched.title, static_cast<unsigned long>(watched.id), least.privateBytes,
                least.handles, least.gdi, least.user, least.windows);
    if (!least.handleTypes.empty()) {
        std::printf("handle-types %s %s%s\n", label, watched.title, least.handleTypes.c_str());
    }
    std::fflush(stdout);
}

bool Find(Watched& watched) {
    const HWND window = WaitForWindow(watched.title, 60000);
    if (window == nullptr) {
        return false;
    }
    GetWindowThreadProcessId(window, &watched.id);
    watched.process =
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE, FALSE, watched.id);
    return watched.process != nullptr;
}

void ReportExit(const Watched& watched) {
    if (WaitForSingleObject(watched.process, 10000) != WAIT_OBJECT_0) {
        std::printf("exit %s running\n", watched.title);
        return;
    }
    DWORD code = 0;
    GetExitCodeProcess(watched.process, &code);
    std::printf("exit %s %lu\n", watched.title, static_cast<unsigned long>(code));
}

}  // namespace

int main(int argc, char** argv) {
    const int minutes = argc > 1 ? std::atoi(argv[1]) : 10;
    Watched frontEnd{"Nuvrel_Main"};
    Watched renderer{"Nuvrel_VC"};
    if (!Find(frontEnd) || !Find(renderer)) {
        std::printf("error: the screensaver's windows did not appear\n");
        return 1;
    }
    // Both programs settle first: the scene is built, the music has started.
    Pause(5000);
    Sample("start", frontEnd);
    Sample("start", renderer);
    if (minutes <= 0) {
        Sample("end", frontEnd);
        Sample("end", renderer);
    }
    for (int minute = 1; minute <= minutes; ++minute) {
        Pause(60000);
        const std::string label = minute == minutes ? "end" : "minute" + std::to_string(minute);
        Sample(label.c_str(), frontEnd);
        Sample(label.c_str(), renderer);
    }
    Pause(6000);  // the caller's own readings of the last sample
    if (!Xdotool("key space")) {
        std::printf("error: xdotool failed\n");
    }
    ReportExit(renderer);
    ReportExit(frontEnd);
    std::fflush(stdout);
    return 0;
}
