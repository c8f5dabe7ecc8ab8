#include "tests/x11/x11_testing.h"

#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>

extern char** environ;

namespace nuvrel::x11::testing {

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

std::string ScratchPath(const char* kind) {
    static int counter = 0;
    char name[96];
    std::snprintf(name, sizeof name, "/tmp/nuvrel-x11-test-%d-%d.%s", getpid(), ++counter, kind);
    return name;
}

double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

Program::Program(const std::vector<std::string>& arguments,
                 const std::vector<std::string>& environment)
    : outputPath_(ScratchPath("out")), errorPath_(ScratchPath("err")) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const auto replaced = [&environment](const char* variable) {
        const char* equals = std::strchr(variable, '=');
        const std::size_t nameLength =
            equals == nullptr ? std::strlen(variable) : equals - variable + 1;
        return std::any_of(environment.begin(), environment.end(), [&](const std::string& extra) {
            return extra.compare(0, nameLength, variable, nameLength) == 0;
        });
    };
    std::vector<std::string> variables;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        if (!replaced(*variable)) {
            variables.emplace_back(*variable);
        }
    }
    variables.insert(variables.end(), environment.begin(), environment.end());
    std::vector<char*> envp;
    for (std::string& variable : variables) {
        envp.push_back(variable.data());
    }
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outputPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errorPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) {
        pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
}

Program::~Program() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    std::remove(outputPath_.c_str());
    std::remove(errorPath_.c_str());
}

void Program::Signal(int signal) const {
    if (pid_ > 0) {
        kill(pid_, signal);
    }
}

std::optional<int> Program::WaitForExit(double seconds) {
    const double deadline = Now() + seconds;
    while (pid_ > 0) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return status;
        }
        if (Now() > deadline) {
            break;
        }
        Pause(0.01);
    }
    return std::nullopt;
}

std::string Program::Output() const {
    return ReadFile(outputPath_);
}

std::string Program::Errors() const {
    return ReadFile(errorPath_);
}

Finished RunToEnd(const std::vector<std::string>& arguments, double seconds,
                  const std::vector<std::string>& environment) {
    Program program(arguments, environment);
    Finished finished;
    finished.status = program.WaitForExit(seconds);
    finished.output = program.Output();
    finished.errors = program.Errors();
    return finished;
}

OtherXServer::OtherXServer(const std::vector<std::string>& extraArguments) {
    int ready[2] = {-1, -1};
    if (pipe2(ready, O_CLOEXEC) != 0) {
        return;
    }
    // Xvfb picks a free display number and writes it to descriptor 3 once it listens.
    std::vector<std::string> arguments = {"Xvfb", "-displayfd", "3",         "-screen",
                                          "0",    "640x480x24", "-nolisten", "tcp"};
    arguments.insert(arguments.end(), extraArguments.begin(), extraArguments.end());
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ready[1], 3);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    if (posix_spawnp(&pid_, "Xvfb", &actions, nullptr, argv.data(), environ) != 0) {
        pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(ready[1]);
    std::string number;
    char digit = 0;
    while (pid_ > 0 && read(ready[0], &digit, 1) == 1 && digit != '\n') {
        number += digit;
    }
    close(ready[0]);
    if (!number.empty()) {
        name_ = ":" + number;
    }
}

OtherXServer::~OtherXServer() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

FakeWindowManager::FakeWindowManager() : display_(XOpenDisplay(nullptr)) {
    if (display_ != nullptr) {
        XSelectInput(display_, DefaultRootWindow(display_), SubstructureRedirectMask);
        XSync(display_, False);
    }
}

FakeWindowManager::~FakeWindowManager() {
    if (display_ != nullptr) {
        XCloseDisplay(display_);
    }
}

Window FakeWindowManager::WaitForMapRequest(double seconds) {
    const double deadline = Now() + seconds;
    while (display_ != nullptr && Now() < deadline) {
        while (XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
            if (event.type == MapRequest) {
                return event.xmaprequest.window;
            }
        }
        Pause(0.02);
    }
    return 0;
}

std::vector<Window> WindowsTitled(Display* display, const char* title) {
    std::vector<Window> found;
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) {
        return found;
    }
    for (unsigned int i = 0; i < count; ++i) {
        char* name = nullptr;
        if (XFetchName(display, children[i], &name) != 0 && name != nullptr) {
            if (std::strcmp(name, title) == 0) {
                found.push_back(children[i]);
            }
            XFree(name);
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

Window WaitForWindowTitled(Display* display, const char* title, double seconds) {
    const double deadline = Now() + seconds;
    do {
        const std::vector<Window> windows = WindowsTitled(display, title);
        if (!windows.empty()) {
            return windows.front();
        }
        Pause(0.05);
    } while (Now() < deadline);
    return 0;
}

Window MakeWindow(Display* display, int width, int height) {
    const int screen = DefaultScreen(display);
    const Window window =
        XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, width, height, 0,
                            BlackPixel(display, screen), BlackPixel(display, screen));
    XStoreName(display, window, "nuvrel test window");
    XMapWindow(display, window);
    XSync(display, False);
    return window;
}

Picture Screenshot(Display* display, Window window) {
    Picture picture;
    XWindowAttributes attributes{};
    // A window not yet mapped has no picture: X refuses to read one (BadMatch).
    if (XGetWindowAttributes(display, window, &attributes) == 0 ||
        attributes.map_state != IsViewable) {
        return picture;
    }
    XImage* image =
        XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (image == nullptr) {
        return picture;
    }
    picture.width = attributes.width;
    picture.height = attributes.height;
    picture.rgb.resize(static_cast<std::size_t>(picture.width) * picture.height * 3);
    const auto channel = [](unsigned long pixel, unsigned long mask) {
        int shift = 0;
        while (mask != 0 && (mask & 1) == 0) {
            mask >>= 1;
            ++shift;
        }
        return static_cast<unsigned char>(((pixel >> shift) & mask) * 255 / (mask ? mask : 1));
    };
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            unsigned char* out = picture.rgb.data() + (y * picture.width + x) * 3;
            out[0] = channel(pixel, image->red_mask);
            out[1] = channel(pixel, image->green_mask);
            out[2] = channel(pixel, image->blue_mask);
        }
    }
    XDestroyImage(image);
    return picture;
}

std::optional<Picture> ReadPpm(const std::string& path) {
    const std::string bytes = ReadFile(path);
    Picture picture;
    int maxValue = 0;
    int headerLength = 0;
    if (std::sscanf(bytes.c_str(), "P6 %d %d %d%n", &picture.width, &picture.height, &maxValue,
                    &headerLength) != 3 ||
        maxValue != 255) {
        return std::nullopt;
    }
    const std::size_t size = static_cast<std::size_t>(picture.width) * picture.height * 3;
    if (bytes.size() != headerLength + 1 + size) {
        return std::nullopt;
    }
    picture.rgb.assign(bytes.begin() + headerLength + 1, bytes.end());
    return picture;
}

void SavePng(const Picture& picture, const std::string& path) {
    const std::string ppm = path + ".ppm";
    std::FILE* file = std::fopen(ppm.c_str(), "wb");
    if (file == nullptr) {
        return;
    }
    std::fprintf(file, "P6\n%d %d\n255\n", picture.width, picture.height);
    std::fwrite(picture.rgb.data(), 1, picture.rgb.size(), file);
    std::fclose(file);
    const std::string command = "convert '" + ppm + "' '" + path + "'";
    if (std::system(command.c_str()) == 0) {
        std::remove(ppm.c_str());
    }
}

int ColouredPixels(const Picture& picture) {
    int count = 0;
    for (std::size_t i = 0; i + 2 < picture.rgb.size(); i += 3) {
        const int r = picture.rgb[i];
        const int g = picture.rgb[i + 1];
        const int b = picture.rgb[i + 2];
        const int high = std::max(r, std::max(g, b));
        const int low = std::min(r, std::min(g, b));
        if (high >= 60 && high - low >= 40) {
            ++count;
        }
    }
    return count;
}

int WhitePixels(const Picture& picture) {
    int count = 0;
    for (std::size_t i = 0; i + 2 < picture.rgb.size(); i += 3) {
        const int low = std::min(picture.rgb[i], std::min(picture.rgb[i + 1], picture.rgb[i + 2]));
        count += low >= 200 ? 1 : 0;
    }
    return count;
}

Picture WaitForWhitePixels(Display* display, Window window, int atLeast, double seconds) {
    const double deadline = Now() + seconds;
    Picture picture;
    do {
        picture = Screenshot(display, window);
        if (WhitePixels(picture) >= atLeast) {
            break;
        }
        Pause(0.1);
    } while (Now() < deadline);
    return picture;
}

Picture WaitForColouredPixels(Display* display, Window window, int atLeast, double seconds) {
    const double deadline = Now() + seconds;
    Picture picture;
    do {
        picture = Screenshot(display, window);
        if (ColouredPixels(picture) >= atLeast) {
            break;
        }
        Pause(0.25);
    } while (Now() < deadline);
    return picture;
}

bool Xdotool(const std::string& arguments) {
    const std::string command = "xdotool " + arguments;
    return std::system(command.c_str()) == 0;
}

void Pause(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

std::string ArtefactPath(const std::string& name) {
    return std::string(NUVREL_ARTEFACT_DIR) + "/" + name;
}

}  // namespace nuvrel::x11::testing
