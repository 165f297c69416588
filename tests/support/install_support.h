// Helpers of the install tests: the built fixtures, a stand-in Windows
// directory, and reading and cleaning the companion's registry entries.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <vector>

#include "registry.h"

// A file of build/tests/fixtures/install, reached through Wine's Z: drive.
#ifdef INSTALL_FIXTURE_DIR
inline std::string install_fixture(const std::string& name)
{
    std::string path = std::string("Z:") + INSTALL_FIXTURE_DIR + "/" + name;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

// A fixture file and where it lies on a test medium.
struct MediumFile {
    const char* folder;  // below the medium's folder; empty for the folder itself
    const char* fixture;
    const char* name;
};

// Copies the fixtures into the medium's folder; false when one cannot be copied.
inline bool lay_out_medium(const std::string& dir, std::span<const MediumFile> files)
{
    for (const MediumFile& file : files) {
        const std::string folder = dir + (file.folder[0] ? std::string("\\") + file.folder : "");
        CreateDirectoryA(folder.c_str(), nullptr);
        if (!CopyFileA(install_fixture(file.fixture).c_str(), (folder + "\\" + file.name).c_str(), FALSE)) return false;
    }
    return true;
}
#endif

// A short folder with SYSTEM and INF below it, set as state.windows_dir, so
// that files meant for the Windows directories stay out of the prefix's own.
class WindowsDirSandbox {
public:
    WindowsDirSandbox();
    ~WindowsDirSandbox();
    WindowsDirSandbox(const WindowsDirSandbox&) = delete;
    WindowsDirSandbox& operator=(const WindowsDirSandbox&) = delete;
    const std::string& dir() const { return dir_; }

private:
    std::string dir_;
};

constexpr const char* COMPANION_CLSID_KEY = "CLSID\\{6B2D94F0-3C1A-11D2-8E47-52A0C3D9B71E}";
constexpr const char* MOUSE_HANDLERS_KEY =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Controls Folder\\Mouse\\shellex\\PropertySheetHandlers";
constexpr const char* RUN_KEY_PATH = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* UNINSTALL_KEY_PATH = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\RollPoint";

// Expects a REG_SZ holding exactly text and its terminating zero.
void expect_registry_text(HKEY root, const std::string& key, const char* name, const std::string& text);

// Expects every entry of the registration for the given values as written.
struct CompanionEntries {
    std::string server;     // default value of InProcServer32
    std::string run;        // the Run value RollPoint
    std::string title;      // DisplayName
    std::string uninstall;  // UninstallString
};
void expect_companion_registration(const CompanionEntries& entries);

// Removes what the registration writes, before and after a test, and the
// keys on the way to the Mouse handlers that were not there at the start.
class CompanionRegistryCleanup {
public:
    CompanionRegistryCleanup();
    ~CompanionRegistryCleanup();
    CompanionRegistryCleanup(const CompanionRegistryCleanup&) = delete;
    CompanionRegistryCleanup& operator=(const CompanionRegistryCleanup&) = delete;
    void clean();

private:
    std::string first_missing_;  // the highest key on the handlers path that did not exist
};
