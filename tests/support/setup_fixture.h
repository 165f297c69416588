// A fresh setup state and a program folder that holds a given SETUP.INF.
#pragma once

#include <windows.h>

#include <string>

#include "setup/bounded_text.h"
#include "setup/setup_state.h"

// Resets the global state and points state.instance at this test program.
void reset_setup_state();

// Gives the state the screen's size, as start-up does.
void use_screen_size();

// As reset_setup_state, for a page run in-process: the screen's size, the
// sample product "Roller Kit" and its caption.
void reset_page_state();

// A copy of the program's resource module in a folder of its own, loaded as
// state.instance, so that the loader reads the SETUP.INF of that folder.
class ScriptFolder {
public:
    explicit ScriptFolder(const std::string& script, const std::string& folder = {});
    ~ScriptFolder();
    ScriptFolder(const ScriptFolder&) = delete;
    ScriptFolder& operator=(const ScriptFolder&) = delete;

    const std::string& dir() const { return dir_; }
    HMODULE module() const { return module_; }

private:
    std::string dir_;
    std::string module_path_;
    HMODULE module_ = nullptr;
    bool owns_dir_ = true;
};
