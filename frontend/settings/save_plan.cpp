#include "frontend/settings/save_plan.h"

namespace nuvrel {

namespace {

SaveState At(SaveState state, SaveStep step) {
    state.step = step;
    return state;
}

SaveStep FirstStep(SaveTarget target) {
    return target.severalNames ? SaveStep::WriteInPlace : SaveStep::ClearStaleNext;
}

// Another try from the step redo after a pause, or failure when the tries are spent.
SaveState TryAgain(SaveState state, SaveStep redo) {
    if (state.attempt >= SaveTries) {
        return At(state, SaveStep::Fail);
    }
    ++state.attempt;
    state.afterWait = redo;
    return At(state, SaveStep::Wait);
}

// The next file removed first, while the target still holds its old bytes.
SaveState DeleteNextThen(SaveState state, SaveState then) {
    state.afterDelete = then.step;
    state.attempt = then.attempt;
    state.afterWait = then.afterWait;
    return At(state, SaveStep::DeleteNext);
}

SaveState AfterWriteNext(const SaveState& state, SaveAnswer answer) {
    switch (answer) {
        case SaveAnswer::Done:
            return At(state,
                      state.target.exists ? SaveStep::ReplaceWithNext : SaveStep::MoveNextNew);
        case SaveAnswer::Refused:
            return At(state, state.target.exists ? SaveStep::WriteInPlace : SaveStep::CreateTarget);
        case SaveAnswer::PartlyWritten:
            return DeleteNextThen(state, TryAgain(state, FirstStep(state.target)));
        default:
            return TryAgain(state, FirstStep(state.target));
    }
}

SaveState AfterReplace(const SaveState& state, SaveAnswer answer) {
    switch (answer) {
        case SaveAnswer::Done:
            return At(state, SaveStep::Succeed);
        // Only the next file holds settings now: it must reach the target's name, and is
        // never deleted.
        case SaveAnswer::TargetGone:
        case SaveAnswer::TargetRenamed:
            return At(state, SaveStep::MoveNextOver);
        default:
            return DeleteNextThen(state, TryAgain(state, FirstStep(state.target)));
    }
}

}  // namespace

SaveState StartSave(SaveTarget target) {
    SaveState state;
    state.target = target;
    state.step = FirstStep(target);
    return state;
}

SaveState DecideSave(const SaveState& state, SaveAnswer answer) {
    const bool done = answer == SaveAnswer::Done;
    switch (state.step) {
        // A stale next file held open for a moment is tried again; one that stays is left to
        // the create, whose refusal means a folder that takes no new file.
        case SaveStep::ClearStaleNext:
            return done || state.attempt >= SaveTries ? At(state, SaveStep::WriteNext)
                                                      : TryAgain(state, SaveStep::ClearStaleNext);
        case SaveStep::WriteNext:
            return AfterWriteNext(state, answer);
        case SaveStep::DeleteNext:
            return At(state, state.afterDelete);
        case SaveStep::ReplaceWithNext:
            return AfterReplace(state, answer);
        case SaveStep::MoveNextOver:
            return done ? At(state, SaveStep::Succeed) : TryAgain(state, SaveStep::MoveNextOver);
        case SaveStep::MoveNextNew:
            return done ? At(state, SaveStep::Succeed)
                        : DeleteNextThen(state, At(state, SaveStep::CreateTarget));
        case SaveStep::CreateTarget:
            if (done) {
                return At(state, SaveStep::Succeed);
            }
            return At(state, answer == SaveAnswer::PartlyWritten ? SaveStep::DeleteTarget
                                                                 : SaveStep::Fail);
        case SaveStep::WriteInPlace:
            if (done) {
                return At(state, SaveStep::Succeed);
            }
            return answer == SaveAnswer::PartlyWritten ? At(state, SaveStep::RestoreInPlace)
                                                       : TryAgain(state, FirstStep(state.target));
        case SaveStep::Wait:
            return At(state, state.afterWait);
        case SaveStep::DeleteTarget:
        case SaveStep::RestoreInPlace:
        case SaveStep::Fail:
            return At(state, SaveStep::Fail);
        case SaveStep::Succeed:
            break;
    }
    return state;
}

}  // namespace nuvrel
