#include "sample_medium.h"

#include <windows.h>

#include <algorithm>
#include <array>

#include "install/companion_registry.h"
#include "support/registry.h"

namespace e2e {

namespace {

constexpr std::array SAMPLE_FILES = {
    SampleFile{"QVMAIN.EX_", Below::destination, "QVMAIN.EXE", Original::companion_build, "QVMAIN.EXE"},
    SampleFile{"QVPAGE.DL_", Below::destination, "QVPAGE.DLL", Original::companion_build, "QVPAGE.DLL"},
    SampleFile{"UNINSTAL.EXE", Below::destination, "UNINSTAL.EXE", Original::medium, "UNINSTAL.EXE"},
    SampleFile{"README.TXT", Below::destination, "README.TXT", Original::medium, "README.TXT"},
    SampleFile{"SETUP.INF", Below::destination, "SETUP.INF", Original::medium, "SETUP.INF"},
    SampleFile{"ROLLER.HL_", Below::destination, "HELP\\ROLLER.HLP", Original::media_sources, "HELP\\ROLLER.HLP"},
    SampleFile{"WHEEL.TXT", Below::destination, "HELP\\WHEEL.TXT", Original::medium, "HELP\\WHEEL.TXT"},
    SampleFile{"SCROLL.TX_", Below::destination, "SAMPLES\\SCROLL.TXT", Original::media_sources,
               "SAMPLES\\SCROLL.TXT"},
    SampleFile{"RKMOUSE.SY_", Below::windows, "SYSTEM\\RKMOUSE.SYS", Original::medium, "DRIVER\\RKMOUSE.SYS"},
    SampleFile{"RKMOUSE.IN_", Below::windows, "INF\\RKMOUSE.INF", Original::medium, "RKMOUSE.INF"},
    SampleFile{"ROLLER.INI", Below::windows, "ROLLER.INI", Original::medium, "WINDOWS\\ROLLER.INI"},
};

// Wine shows the Unix file system as drive Z:.
std::string unix_to_windows_path(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}

}  // namespace

std::string medium_dir() { return unix_to_windows_path(E2E_MEDIUM_DIR); }
std::string companion_dir() { return unix_to_windows_path(E2E_COMPANION_DIR); }
std::string media_source_dir() { return unix_to_windows_path(E2E_MEDIA_SOURCE_DIR); }

std::string windows_dir()
{
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    return windows;
}

std::span<const SampleFile> sample_files() { return SAMPLE_FILES; }

std::string installed_path(const SampleFile& file, const std::string& destination)
{
    return (file.folder == Below::destination ? destination : windows_dir()) + "\\" + file.installed;
}

std::string original_path(const SampleFile& file, const std::string& medium)
{
    switch (file.original_folder) {
    case Original::companion_build:
        return companion_dir() + "\\" + file.original;
    case Original::medium:
        return medium + "\\" + file.original;
    case Original::media_sources:
        break;
    }
    return media_source_dir() + "\\" + file.original;
}

std::vector<std::string> installed_tree()
{
    std::vector<std::string> tree;
    for (const SampleFile& file : SAMPLE_FILES) {
        if (file.folder != Below::destination) continue;
        const std::string path = file.installed;
        tree.push_back(path);
        const size_t folder_end = path.find_last_of('\\');
        if (folder_end == std::string::npos) continue;
        const std::string folder = path.substr(0, folder_end + 1);
        if (std::find(tree.begin(), tree.end(), folder) == tree.end()) tree.push_back(folder);
    }
    std::sort(tree.begin(), tree.end());
    return tree;
}

void remove_roller_kit_installation()
{
    for (const SampleFile& file : SAMPLE_FILES)
        if (file.folder == Below::windows) DeleteFileA(installed_path(file, {}).c_str());

    delete_registry_tree(HKEY_CLASSES_ROOT, companion::PAGE_CLASS_KEY);
    delete_registry_tree(HKEY_LOCAL_MACHINE, companion::PAGE_HANDLER_KEY);
    delete_registry_tree(HKEY_LOCAL_MACHINE, companion::UNINSTALL_KEY);
    delete_registry_tree(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\RkWheel");
    delete_registry_value(HKEY_LOCAL_MACHINE, companion::RUN_KEY, companion::RUN_VALUE);
}

}  // namespace e2e
