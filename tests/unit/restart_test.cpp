#include <gtest/gtest.h>

#include <optional>

#include "pages/restart.h"
#include "support/seam.h"
#include "support/setup_fixture.h"
#include "support/ui_script.h"

namespace {

constexpr const char* TOKEN_NAME = "restart-test-token";

// What the doubles of the restart's system calls saw and answer.
struct Platform {
    bool open_fails = false;
    bool lookup_fails = false;
    DWORD error_after_adjust = ERROR_SUCCESS;
    HANDLE token = nullptr;
    int lookups = 0;
    int adjustments = 0;
    DWORD adjusted_attributes = 0;
    DWORD adjusted_count = 0;
    DWORD adjusted_size = 0;
    std::vector<std::pair<UINT, DWORD>> exits;
} platform;

BOOL WINAPI open_token(HANDLE process, DWORD access, PHANDLE token)
{
    EXPECT_EQ(process, GetCurrentProcess());
    EXPECT_EQ(access, static_cast<DWORD>(TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY));
    if (platform.open_fails) return FALSE;
    // A named object stands for the token: once its last handle is closed
    // it can no longer be opened by name, whatever handle values come next.
    platform.token = CreateEventA(nullptr, FALSE, FALSE, TOKEN_NAME);
    *token = platform.token;
    return TRUE;
}

BOOL WINAPI lookup(LPCSTR system, LPCSTR name, PLUID luid)
{
    ++platform.lookups;
    EXPECT_EQ(system, nullptr);
    EXPECT_STREQ(name, "SeShutdownPrivilege");
    if (platform.lookup_fails) return FALSE;
    luid->LowPart = 19;
    luid->HighPart = 0;
    return TRUE;
}

BOOL WINAPI adjust(HANDLE token, BOOL disable_all, PTOKEN_PRIVILEGES privileges, DWORD size, PTOKEN_PRIVILEGES previous,
                   PDWORD previous_size)
{
    ++platform.adjustments;
    EXPECT_EQ(token, platform.token);
    EXPECT_FALSE(disable_all);
    EXPECT_EQ(previous, nullptr);
    EXPECT_EQ(previous_size, nullptr);
    EXPECT_EQ(privileges->Privileges[0].Luid.LowPart, 19u);
    platform.adjusted_count = privileges->PrivilegeCount;
    platform.adjusted_attributes = privileges->Privileges[0].Attributes;
    platform.adjusted_size = size;
    SetLastError(platform.error_after_adjust);
    return TRUE;  // as the system does, also when the privilege is not held
}

BOOL WINAPI exit_windows(UINT flags, DWORD reason)
{
    platform.exits.emplace_back(flags, reason);
    return TRUE;
}

bool token_left_open()
{
    HANDLE token = OpenEventA(SYNCHRONIZE, FALSE, TOKEN_NAME);
    if (token == nullptr) return false;
    CloseHandle(token);
    return true;
}

class RestartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        reset_setup_state();
        platform = Platform{};
        doubles_.emplace(restart_calls, RestartCalls{open_token, lookup, adjust, exit_windows});
    }

    std::optional<ScopedSeam<RestartCalls>> doubles_;
};

TEST_F(RestartTest, WithThePrivilegeAsksForARebootAndClosesTheToken)
{
    MessageBoxWatcher boxes;
    restart_windows();
    ASSERT_EQ(platform.exits.size(), 1u);
    EXPECT_EQ(platform.exits[0], std::make_pair(static_cast<UINT>(EWX_REBOOT), static_cast<DWORD>(0)));
    EXPECT_EQ(platform.adjusted_count, 1u);
    EXPECT_EQ(platform.adjusted_attributes, static_cast<DWORD>(SE_PRIVILEGE_ENABLED));
    EXPECT_EQ(platform.adjusted_size, 16u);
    EXPECT_FALSE(token_left_open());
    EXPECT_TRUE(boxes.boxes().empty());
}

// Each way the privilege can be refused ends in the same box, no restart,
// and no token left open.
TEST_F(RestartTest, RefusedPrivilegeShowsRebootError)
{
    const struct {
        const char* name;
        bool open_fails;
        bool lookup_fails;
        DWORD error_after_adjust;
        int adjustments;
    } cases[] = {
        {"privilege not held", false, false, ERROR_NOT_ALL_ASSIGNED, 1},
        {"lookup fails", false, true, ERROR_SUCCESS, 0},
        {"token cannot be opened", true, false, ERROR_SUCCESS, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        platform = Platform{};
        platform.open_fails = c.open_fails;
        platform.lookup_fails = c.lookup_fails;
        platform.error_after_adjust = c.error_after_adjust;
        MessageBoxWatcher boxes;
        restart_windows();
        EXPECT_TRUE(platform.exits.empty());
        EXPECT_EQ(platform.adjustments, c.adjustments);
        EXPECT_FALSE(token_left_open());
        ASSERT_EQ(boxes.boxes().size(), 1u);
        EXPECT_EQ(boxes.boxes()[0].caption, "Debug");
        EXPECT_EQ(boxes.boxes()[0].text, "Reboot Error !");
        EXPECT_EQ(boxes.boxes()[0].icon, 0u);
        EXPECT_EQ(boxes.boxes()[0].buttons, std::vector<int>{IDOK});
    }
}

// Wine grants every privilege a process asks for by a known name.
TEST_F(RestartTest, EnablePrivilegeWithTheSystemCalls)
{
    doubles_.reset();
    EXPECT_EQ(enable_privilege("SeShutdownPrivilege"), 1);
    EXPECT_EQ(enable_privilege("SeNoSuchPrivilege"), 0);
}

}  // namespace
