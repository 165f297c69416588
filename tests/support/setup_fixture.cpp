#include "setup_fixture.h"

#include "test_files.h"

void reset_setup_state()
{
    state = SetupState{};
    state.instance = GetModuleHandleA(nullptr);
}

void use_screen_size()
{
    state.screen_cx = static_cast<short>(GetSystemMetrics(SM_CXSCREEN));
    state.screen_cy = static_cast<short>(GetSystemMetrics(SM_CYSCREEN));
}

void reset_page_state()
{
    reset_setup_state();
    use_screen_size();
    copy_text(state.product_name, "Roller Kit");
    copy_text(state.caption, "Roller Kit Setup Program");
}

ScriptFolder::ScriptFolder(const std::string& script, const std::string& folder)
{
    owns_dir_ = folder.empty();
    dir_ = owns_dir_ ? make_temp_dir("script") : folder;
    module_path_ = dir_ + "\\setup_res_" + std::to_string(GetCurrentProcessId()) + ".dll";
    CopyFileA((test_program_dir() + "\\setup_res.dll").c_str(), module_path_.c_str(), FALSE);
    write_file(dir_ + "\\SETUP.INF", script);
    module_ = LoadLibraryA(module_path_.c_str());
    state.instance = module_;
}

ScriptFolder::~ScriptFolder()
{
    if (module_ != nullptr) FreeLibrary(module_);
    DeleteFileA(module_path_.c_str());
    DeleteFileA((dir_ + "\\SETUP.INF").c_str());
    if (owns_dir_) remove_tree(dir_);
}
