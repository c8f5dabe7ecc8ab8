#pragma once

namespace nuvrel {

// The settings file's save, decided apart from the system that carries it out: which way the
// bytes go, what each failure means, when to try again and what to clean up.
//
// The usual way writes the bytes to a next file beside the target and has the system's replace
// swap it in, so that the target holds its old bytes or the new ones at every moment; where
// there is no target yet, the next file is moved to its name. A file of several names is
// written in place, since a replace would part it from its other names, and so is a file in a
// folder that takes no new file. Every other failure is tried again a few times, then reported
// with the file as it was.
enum class SaveStep {
    ClearStaleNext,  // gives a next file left by a crash plain attributes, so it can be written
    WriteNext,       // creates the next file, writes the bytes and flushes them
    DeleteNext,
    ReplaceWithNext,  // the system's replace: the next file's bytes under the target's name
    MoveNextOver,     // moves the next file to the target's name, over whatever is there
    MoveNextNew,      // moves the next file to the target's name, where there is no file
    CreateTarget,     // creates the target where there is none, writes the bytes, flushes
    DeleteTarget,
    WriteInPlace,    // writes the bytes over the target's own, after keeping its old bytes
    RestoreInPlace,  // writes the target's old bytes back
    Wait,            // a pause before the next try
    Succeed,
    Fail,
};

// How a step went.
enum class SaveAnswer {
    Done,
    Failed,         // nothing was changed
    Refused,        // access denied: for the next file, a folder that takes no new file
    PartlyWritten,  // failed after the file was opened for writing: it may hold some new bytes
    // The replace's two failures after it has taken the target away: the next file is left
    // whole, and the target is gone or kept under another name.
    TargetGone,
    TargetRenamed,
};

struct SaveTarget {
    bool exists = false;
    bool severalNames = false;
};

// A save tries this many times before it reports failure.
constexpr int SaveTries = 5;

struct SaveState {
    SaveTarget target;
    SaveStep step = SaveStep::Fail;  // the step to carry out next
    int attempt = 1;
    SaveStep afterDelete = SaveStep::Fail;  // where a DeleteNext goes on
    SaveStep afterWait = SaveStep::Fail;    // where a Wait goes on
};

SaveState StartSave(SaveTarget target);

// The state after the system's answer to the state's step.
SaveState DecideSave(const SaveState& state, SaveAnswer answer);

// Carries out a save: perform(step) does each step and answers how it went. True when the new
// bytes are in place.
template <typename Perform>
bool RunSave(SaveTarget target, Perform perform) {
    SaveState state = StartSave(target);
    while (state.step != SaveStep::Succeed && state.step != SaveStep::Fail) {
        state = DecideSave(state, perform(state.step));
    }
    return state.step == SaveStep::Succeed;
}

}  // namespace nuvrel
