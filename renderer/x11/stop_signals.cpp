#include "renderer/x11/stop_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace nuvrel::x11 {

namespace {

volatile sig_atomic_t stopRequested = 0;
int wakePipe[2] = {-1, -1};

// The interrupted code may be about to read errno: the write here must not change it.
extern "C" void OnStopSignal(int) {
    const int savedErrno = errno;
    stopRequested = 1;
    if (wakePipe[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t ignored = write(wakePipe[1], &byte, 1);
    }
    errno = savedErrno;
}

}  // namespace

bool CatchStopSignals() {
    if (pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return false;
    }
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no SA_RESTART: a wait ends when the signal comes
    return sigaction(SIGTERM, &action, nullptr) == 0 && sigaction(SIGINT, &action, nullptr) == 0;
}

bool StopRequested() {
    return stopRequested != 0;
}

int StopSignalFd() {
    return wakePipe[0];
}

}  // namespace nuvrel::x11
