// The ends of start-up before the first page: the file table's memory not
// granted, and the background window refused. The whole program runs
// in-process from a folder that holds its script.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/setup_script.h"
#include "setup/startup.h"
#include "support/seam.h"
#include "support/setup_fixture.h"
#include "support/ui_script.h"

namespace {

constexpr char SCRIPT[] = "[Main]\r\nProductName=Roller Kit\r\n"
                          "[DiskLabel]\r\nDisk1=Disk 1\r\n[FileCounts]\r\nDisk1=2\r\n";

// The file table's blocks, from the system unless refused.
struct TableMemory {
    bool refuse = false;
    std::vector<HGLOBAL> granted;
    std::vector<HGLOBAL> freed;
} table_memory;

HGLOBAL WINAPI allocate_block(UINT flags, SIZE_T bytes)
{
    if (table_memory.refuse) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    HGLOBAL block = GlobalAlloc(flags, bytes);
    table_memory.granted.push_back(block);
    return block;
}

HGLOBAL WINAPI free_block(HGLOBAL block)
{
    table_memory.freed.push_back(block);
    return GlobalFree(block);
}

// Sees every window this thread creates and keeps the classes of the
// program's own (SetupMain and the pages); refuses the creation of the class
// it is given, as the system refuses a window it cannot make.
class WindowCreations {
public:
    explicit WindowCreations(const char* refused_class) : refused_(refused_class)
    {
        active = this;
        hook_ = SetWindowsHookExA(WH_CBT, hook, nullptr, GetCurrentThreadId());
    }
    ~WindowCreations()
    {
        UnhookWindowsHookEx(hook_);
        active = nullptr;
    }
    WindowCreations(const WindowCreations&) = delete;
    WindowCreations& operator=(const WindowCreations&) = delete;

    const std::vector<std::string>& program_windows() const { return program_windows_; }

private:
    static LRESULT CALLBACK hook(int code, WPARAM wparam, LPARAM lparam)
    {
        if (code == HCBT_CREATEWND && active != nullptr) {
            char class_name[64] = {};
            GetClassNameA(reinterpret_cast<HWND>(wparam), class_name, sizeof class_name);
            const std::string name = class_name;
            if (name == "SetupMain" || name.rfind("SETUP_", 0) == 0) active->program_windows_.push_back(name);
            if (active->refused_ != nullptr && name == active->refused_) return 1;
        }
        return CallNextHookEx(nullptr, code, wparam, lparam);
    }

    static inline WindowCreations* active = nullptr;
    HHOOK hook_ = nullptr;
    const char* refused_;
    std::vector<std::string> program_windows_;
};

struct StartupCase {
    const char* name;
    bool refuse_table;
    const char* refused_window;  // class whose creation the system refuses, or null
    std::vector<std::string> boxes;  // texts of the message boxes, in order
    std::vector<std::string> windows;  // the program's windows created or attempted
    size_t blocks;  // file table blocks granted, all of which are freed again
};

void PrintTo(const StartupCase& c, std::ostream* out) { *out << c.name; }

class StartupFailure : public ::testing::TestWithParam<StartupCase> {
protected:
    void SetUp() override
    {
        reset_setup_state();
        table_memory = {};
    }
    void TearDown() override
    {
        if (state.background_window != nullptr) DestroyWindow(state.background_window);
    }

    ScopedSeam<TableMemoryCalls> table_memory_seam_{table_memory_calls, {allocate_block, free_block}};
};

TEST_P(StartupFailure, EndsWithZeroBeforeAnyPage)
{
    const StartupCase& c = GetParam();
    ScriptFolder folder(SCRIPT);
    table_memory.refuse = c.refuse_table;
    MessageBoxWatcher boxes;
    WindowCreations windows(c.refused_window);

    EXPECT_EQ(run_setup(folder.module()), 0);

    std::vector<std::string> texts;
    for (const Box& box : boxes.boxes()) {
        texts.push_back(box.text);
        EXPECT_EQ(box.caption, "Roller Kit Setup Program");
        EXPECT_EQ(box.icon, static_cast<UINT>(MB_ICONEXCLAMATION));
        EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    }
    EXPECT_EQ(texts, c.boxes);
    EXPECT_EQ(windows.program_windows(), c.windows);
    EXPECT_EQ(state.background_window, nullptr);

    EXPECT_EQ(table_memory.granted.size(), c.blocks);
    EXPECT_EQ(table_memory.freed, table_memory.granted);
    EXPECT_EQ(state.table_memory, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Ends, StartupFailure,
    ::testing::Values(StartupCase{"TableMemoryNotGranted", true, nullptr, {"SETUP.INF Reading error !"}, {}, 0},
                      StartupCase{"BackgroundWindowRefused", false, "SetupMain", {}, {"SetupMain"}, 1}),
    [](const auto& case_info) { return std::string(case_info.param.name); });

}  // namespace
