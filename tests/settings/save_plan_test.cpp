#include "frontend/settings/save_plan.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace nuvrel {
namespace {

const std::map<SaveStep, std::string> StepNames = {{SaveStep::ClearStaleNext, "clear"},
                                                   {SaveStep::WriteNext, "write"},
                                                   {SaveStep::DeleteNext, "delete"},
                                                   {SaveStep::ReplaceWithNext, "replace"},
                                                   {SaveStep::MoveNextOver, "move-over"},
                                                   {SaveStep::MoveNextNew, "move-new"},
                                                   {SaveStep::CreateTarget, "create"},
                                                   {SaveStep::DeleteTarget, "delete-target"},
                                                   {SaveStep::WriteInPlace, "in-place"},
                                                   {SaveStep::RestoreInPlace, "restore"},
                                                   {SaveStep::Wait, "wait"}};

using Answers = std::vector<std::pair<SaveStep, SaveAnswer>>;

// The system's answers: each step takes the next answer given for it, then repeats the last
// one; a step with none is done.
struct ScriptedSystem {
    Answers answers;
    std::map<SaveStep, SaveAnswer> last;
    std::string steps;

    SaveAnswer operator()(SaveStep step) {
        steps += StepNames.at(step) + " ";
        for (auto it = answers.begin(); it != answers.end(); ++it) {
            if (it->first == step) {
                last[step] = it->second;
                answers.erase(it);
                break;
            }
        }
        const auto found = last.find(step);
        return found == last.end() ? SaveAnswer::Done : found->second;
    }
};

std::string Times(int count, const std::string& steps) {
    std::string all;
    for (int i = 0; i < count; ++i) {
        all += steps;
    }
    return all;
}

constexpr SaveTarget NoFile{false, false};
constexpr SaveTarget OneName{true, false};
constexpr SaveTarget SeveralNames{true, true};

struct Case {
    const char* what;
    SaveTarget target;
    Answers answers;
    std::string steps;  // then "ok" or "fail"
};

TEST(save_plan_test, each_answer_of_the_system_leads_to_old_or_new_bytes) {
    using S = SaveStep;
    using A = SaveAnswer;
    const std::vector<Case> cases = {
        {"a plain save", OneName, {}, "clear write replace ok"},
        {"a first save", NoFile, {}, "clear write move-new ok"},
        {"a replace that lost the target puts the next file in its place",
         OneName,
         {{S::ReplaceWithNext, A::TargetGone}},
         "clear write replace move-over ok"},
        {"so does one that renamed the target",
         OneName,
         {{S::ReplaceWithNext, A::TargetRenamed}},
         "clear write replace move-over ok"},
        {"the next file is never deleted while it alone holds the settings",
         OneName,
         {{S::ReplaceWithNext, A::TargetGone}, {S::MoveNextOver, A::Failed}},
         "clear write replace" + Times(4, " move-over wait") + " move-over fail"},
        {"a replace refused for a moment is tried again",
         OneName,
         {{S::ReplaceWithNext, A::Failed}, {S::ReplaceWithNext, A::Done}},
         "clear write replace delete wait clear write replace ok"},
        {"a refused replace never leads to the in-place write",
         OneName,
         {{S::ReplaceWithNext, A::Refused}},
         Times(4, "clear write replace delete wait ") + "clear write replace delete fail"},
        {"a next file held open elsewhere is tried again",
         OneName,
         {{S::WriteNext, A::Failed}, {S::WriteNext, A::Done}},
         "clear write wait clear write replace ok"},
        {"and at last reported, not written in place",
         OneName,
         {{S::WriteNext, A::Failed}},
         Times(4, "clear write wait ") + "clear write fail"},
        {"a stale next file held for a moment is cleared at the next try",
         OneName,
         {{S::ClearStaleNext, A::Failed}, {S::ClearStaleNext, A::Done}},
         "clear wait clear write replace ok"},
        {"and one that stays is left to the create",
         OneName,
         {{S::ClearStaleNext, A::Failed}, {S::WriteNext, A::Refused}},
         Times(4, "clear wait ") + "clear write in-place ok"},
        {"half a next file is deleted",
         OneName,
         {{S::WriteNext, A::PartlyWritten}, {S::WriteNext, A::Done}},
         "clear write delete wait clear write replace ok"},
        {"a folder that takes no new file is written in place",
         OneName,
         {{S::WriteNext, A::Refused}},
         "clear write in-place ok"},
        {"a file of several names is written in place", SeveralNames, {}, "in-place ok"},
        {"an in-place write that fails half way puts the old bytes back",
         SeveralNames,
         {{S::WriteInPlace, A::PartlyWritten}},
         "in-place restore fail"},
        {"an in-place file that does not open is tried again",
         SeveralNames,
         {{S::WriteInPlace, A::Failed}, {S::WriteInPlace, A::Done}},
         "in-place wait in-place ok"},
        {"a first save whose move fails creates the file itself",
         NoFile,
         {{S::MoveNextNew, A::Failed}},
         "clear write move-new delete create ok"},
        {"and removes what it could not fill",
         NoFile,
         {{S::MoveNextNew, A::Failed}, {S::CreateTarget, A::PartlyWritten}},
         "clear write move-new delete create delete-target fail"},
        {"a first save in a folder that takes no new file creates the file",
         NoFile,
         {{S::WriteNext, A::Refused}},
         "clear write create ok"},
        {"and fails where it cannot",
         NoFile,
         {{S::WriteNext, A::Refused}, {S::CreateTarget, A::Refused}},
         "clear write create fail"},
    };
    for (const Case& c : cases) {
        ScriptedSystem system{c.answers, {}, {}};
        const bool saved = RunSave(c.target, std::ref(system));
        EXPECT_EQ(system.steps + (saved ? "ok" : "fail"), c.steps) << c.what;
    }
}

}  // namespace
}  // namespace nuvrel
