#include "renderer/windows/closing_rules.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace nuvrel {
namespace {

class FakeWindow final : public ClosingPlatform {
  public:
    ScreenPoint CursorPosition() override { return cursor; }
    void PostClose() override { ++closesPosted; }
    void HideCursor() override { ++cursorHidden; }

    ScreenPoint cursor;
    int closesPosted = 0;
    int cursorHidden = 0;
};

// Records the calls of the password check in order.
class FakePasswords final : public PasswordSystem {
  public:
    bool IsWindows9xFamily() override { return Log("version"), windows9x; }
    bool LoadPasswordLibrary() override { return Log("load"), libraryPresent; }
    bool FindVerifyExport() override { return Log("find"), exportPresent; }
    void FreePasswordLibrary() override { Log("free"); }
    void SetScreenSaverRunning(bool running) override { Log(running ? "running" : "stopped"); }
    bool RunPasswordDialog() override {
        Log("dialog");
        if (duringDialog) {
            duringDialog();
        }
        return accept;
    }

    void Log(const char* call) { calls.push_back(call); }

    bool windows9x = false;
    bool libraryPresent = true;
    bool exportPresent = true;
    bool accept = true;
    std::function<void()> duringDialog;
    std::vector<std::string> calls;
};

class closing_rules_test : public ::testing::Test {
  protected:
    ClosingResult Send(ClosingEvent event, bool flag = false) {
        return rules.Handle(event, flag, window, passwords);
    }
    ClosingResult MoveTo(int x, int y) {
        window.cursor = {x, y};
        return Send(ClosingEvent::MouseMove);
    }

    FakeWindow window;
    FakePasswords passwords;
    ClosingRules rules;
};

TEST_F(closing_rules_test, close_before_any_input_is_ignored) {
    EXPECT_EQ(Send(ClosingEvent::Close), ClosingResult::ReturnZero);
    EXPECT_TRUE(passwords.calls.empty());
}

TEST_F(closing_rules_test, key_or_button_press_requests_the_close) {
    EXPECT_EQ(Send(ClosingEvent::KeyOrButtonDown), ClosingResult::DefaultProcessing);
    EXPECT_TRUE(rules.CloseRequested);
    EXPECT_EQ(window.closesPosted, 1);
    EXPECT_EQ(Send(ClosingEvent::Close), ClosingResult::DefaultProcessing);
}

TEST_F(closing_rules_test, losing_activation_closes_but_gaining_it_does_not) {
    Send(ClosingEvent::ActivateApp, true);
    EXPECT_FALSE(rules.CloseRequested);
    EXPECT_EQ(window.closesPosted, 0);
    Send(ClosingEvent::ActivateApp, false);
    EXPECT_TRUE(rules.CloseRequested);
    EXPECT_EQ(window.closesPosted, 1);
}

TEST_F(closing_rules_test, cursor_stays_hidden) {
    EXPECT_EQ(Send(ClosingEvent::SetCursor), ClosingResult::ReturnOne);
    Send(ClosingEvent::ShowWindow, true);
    Send(ClosingEvent::ShowWindow, false);
    EXPECT_EQ(window.cursorHidden, 2);
    EXPECT_EQ(Send(ClosingEvent::Other), ClosingResult::DefaultProcessing);
}

TEST_F(closing_rules_test, first_move_never_requests_the_close) {
    rules.ReferencePoint = {100, 100};
    MoveTo(300, 300);
    EXPECT_FALSE(rules.CloseRequested);
    EXPECT_TRUE(rules.FirstMoveSeen);
    EXPECT_EQ(window.closesPosted, 1);
    EXPECT_EQ(Send(ClosingEvent::Close), ClosingResult::ReturnZero);
    // The reference point stayed at creation, so the next move closes without travel.
    MoveTo(300, 300);
    EXPECT_TRUE(rules.CloseRequested);
    EXPECT_EQ(window.closesPosted, 2);
    EXPECT_EQ(Send(ClosingEvent::Close), ClosingResult::DefaultProcessing);
}

TEST_F(closing_rules_test, travel_of_four_pixels_does_not_close_and_five_does) {
    rules.ReferencePoint = {100, 100};
    MoveTo(100, 100);
    MoveTo(103, 101);
    EXPECT_EQ(window.closesPosted, 0);
    // Slow creeping follows the reference point and never adds up.
    for (int step = 1; step <= 20; ++step) {
        MoveTo(103 + 4 * step, 101);
    }
    EXPECT_EQ(window.closesPosted, 0);
    EXPECT_EQ(rules.ReferencePoint.x, 183);
    MoveTo(183 - 2, 101 + 3);
    EXPECT_EQ(window.closesPosted, 1);
    EXPECT_EQ(rules.ReferencePoint.x, 183);
}

TEST_F(closing_rules_test, after_a_display_change_the_next_move_is_the_new_reference) {
    rules.ReferencePoint = {100, 100};
    MoveTo(100, 100);
    // The monitor under the cursor went away and the system moved the cursor.
    EXPECT_EQ(Send(ClosingEvent::DisplayChange), ClosingResult::DefaultProcessing);
    MoveTo(900, 400);
    EXPECT_EQ(window.closesPosted, 0);
    EXPECT_FALSE(rules.CloseRequested);
    MoveTo(903, 401);
    EXPECT_EQ(window.closesPosted, 0);
    MoveTo(910, 401);
    EXPECT_TRUE(rules.CloseRequested);
    EXPECT_EQ(window.closesPosted, 1);
}

TEST_F(closing_rules_test, a_display_change_before_any_move_still_lets_the_next_real_move_close) {
    rules.ReferencePoint = {100, 100};
    Send(ClosingEvent::DisplayChange);
    MoveTo(600, 100);
    EXPECT_EQ(window.closesPosted, 0);
    MoveTo(620, 100);
    EXPECT_TRUE(rules.CloseRequested);
    EXPECT_EQ(window.closesPosted, 1);
}

TEST_F(closing_rules_test, input_during_the_password_dialog_gets_only_default_handling) {
    passwords.windows9x = true;
    passwords.accept = false;
    Send(ClosingEvent::KeyOrButtonDown);
    passwords.duringDialog = [this] {
        EXPECT_TRUE(rules.PasswordCheckActive);
        EXPECT_EQ(Send(ClosingEvent::KeyOrButtonDown), ClosingResult::DefaultProcessing);
        EXPECT_EQ(Send(ClosingEvent::SetCursor), ClosingResult::DefaultProcessing);
        MoveTo(900, 900);
    };
    window.cursor = {40, 50};
    EXPECT_EQ(Send(ClosingEvent::Close), ClosingResult::ReturnZero);
    EXPECT_EQ(window.closesPosted, 1);
    EXPECT_FALSE(rules.PasswordCheckActive);
    EXPECT_FALSE(rules.FirstMoveSeen);
}

TEST_F(closing_rules_test, refused_password_keeps_the_window_and_rereads_the_cursor) {
    passwords.windows9x = true;
    passwords.accept = false;
    Send(ClosingEvent::KeyOrButtonDown);
    window.cursor = {640, 480};
    EXPECT_EQ(Send(ClosingEvent::Close), ClosingResult::ReturnZero);
    EXPECT_EQ(passwords.calls, (std::vector<std::string>{"version", "load", "find", "running",
                                                         "dialog", "stopped", "free"}));
    EXPECT_EQ(rules.ReferencePoint.x, 640);
    EXPECT_EQ(rules.ReferencePoint.y, 480);
    EXPECT_TRUE(rules.CloseRequested);

    // The next input asks again, and an accepted password closes.
    passwords.accept = true;
    Send(ClosingEvent::KeyOrButtonDown);
    EXPECT_EQ(Send(ClosingEvent::Close), ClosingResult::DefaultProcessing);
}

TEST_F(closing_rules_test, no_password_dialog_outside_windows_9x_or_without_its_library) {
    EXPECT_TRUE(VerifyPassword(passwords, rules.PasswordCheckActive));
    EXPECT_EQ(passwords.calls, (std::vector<std::string>{"version"}));

    passwords = FakePasswords{};
    passwords.windows9x = true;
    passwords.libraryPresent = false;
    EXPECT_TRUE(VerifyPassword(passwords, rules.PasswordCheckActive));
    EXPECT_EQ(passwords.calls, (std::vector<std::string>{"version", "load"}));

    passwords = FakePasswords{};
    passwords.windows9x = true;
    passwords.exportPresent = false;
    EXPECT_TRUE(VerifyPassword(passwords, rules.PasswordCheckActive));
    EXPECT_EQ(passwords.calls, (std::vector<std::string>{"version", "load", "find", "free"}));
}

}  // namespace
}  // namespace nuvrel
