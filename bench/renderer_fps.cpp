// Frame rate of the real scene on an OpenGL window the size of the screen, and the time of
// a frame split into the scene's simulation and the OpenGL work (submission and drawing).
// With several monitors, the screen is split into that many side-by-side viewports, each
// with a scene of its own, as the renderer draws one per monitor.
// Run it on the display to be measured: renderer_fps [frames [monitors]]

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "renderer/windows/gl_scene.h"
#include "tests/support/scene_window.h"

namespace {

double Seconds() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart / frequency;
}

// CPU time of the whole process, llvmpipe's rendering threads included.
double ProcessCpuSeconds() {
    FILETIME creation, exit, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user);
    const auto seconds = [](FILETIME t) {
        return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) * 1e-7;
    };
    return seconds(kernel) + seconds(user);
}

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageA(&message);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    const int frames = argc > 1 ? std::atoi(argv[1]) : 300;
    const int monitors = argc > 2 ? std::atoi(argv[2]) : 1;
    if (frames <= 0 || monitors <= 0 || monitors > 16) {
        std::fputs("usage: renderer_fps [frames [monitors]]\n", stderr);
        return 2;
    }
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    nuvrel::testing::SceneWindow window(width, height);
    nuvrel::SaverPlacement placement;
    for (int monitor = 0; monitor < monitors; ++monitor) {
        const int left = monitor * width / monitors;
        placement.viewports.push_back({left, 0, width / monitors, height});
        placement.monitors.push_back({{}, {left, 0, left + width / monitors, height}});
    }
    std::vector<nuvrel::MonitorScene> scenes;
    nuvrel::SceneSeeds seeds{nuvrel::SeedFromClock()};
    nuvrel::PlaceScenes(scenes, placement, seeds);
    nuvrel::GlScene gl;
    nuvrel::SetUpScene(gl, window.Handle(), std::move(scenes));
    if (!gl.Ready()) {
        std::fputs("no OpenGL scene\n", stderr);
        return 1;
    }
    for (int frame = 0; frame < 300; ++frame) {  // past the fade-in
        nuvrel::DrawFrame(gl);
        PumpMessages();
    }

    const double start = Seconds();
    const double startCpu = ProcessCpuSeconds();
    for (int frame = 0; frame < frames; ++frame) {
        nuvrel::DrawFrame(gl);
        PumpMessages();
    }
    const double frameSeconds = (Seconds() - start) / frames;
    const double frameCpu = (ProcessCpuSeconds() - startCpu) / frames;

    const double simulationStart = Seconds();
    for (int frame = 0; frame < frames; ++frame) {
        for (nuvrel::MonitorScene& placed : gl.scenes) {
            placed.scene->AdvanceFrame([](const nuvrel::ParticleDraw&) {});
        }
    }
    const double simulationSeconds = (Seconds() - simulationStart) / frames;

    std::printf("screen %dx%d, %d monitor(s), %d frames\n", width, height, monitors, frames);
    std::printf("frame rate:      %.1f frames/s (%.2f ms per frame)\n", 1.0 / frameSeconds,
                frameSeconds * 1e3);
    std::printf("process CPU:     %.2f ms per frame\n", frameCpu * 1e3);
    std::printf("simulation:      %.2f ms per frame\n", simulationSeconds * 1e3);
    std::printf("OpenGL work:     %.2f ms per frame\n", (frameSeconds - simulationSeconds) * 1e3);
    nuvrel::TearDownScene(gl, window.Handle());
    return 0;
}
