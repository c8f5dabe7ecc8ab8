#pragma once

namespace nuvrel::x11 {

// SIGTERM and SIGINT, the way a screen saver ends its display mode, ask the frame loop to
// stop. The handler sets a flag and writes a byte to a pipe, so that a wait between frames
// that polls StopSignalFd() wakes at once.
bool CatchStopSignals();
bool StopRequested();
int StopSignalFd();

}  // namespace nuvrel::x11
