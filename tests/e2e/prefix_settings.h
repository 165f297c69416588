// Settings of the Wine prefix for the programs under test.
#pragma once

#include <string>

namespace e2e {

// Without a window manager Wine waits two seconds for every managed window
// it hides; unmanaged, the programs under test behave the same, only fast.
// Sets HKCU\Software\Wine\AppDefaults\<program>\X11 Driver\Managed=N for
// SETUP.EXE, QVMAIN.EXE and UNINSTAL.EXE, once a run.
void unmanage_program_windows();

// Sets HKCU\Software\Wine\AppDefaults\<exe>\Version for the time it lives:
// Wine then shows that program the given Windows version ("win95", ...).
class WineVersionOverride {
public:
    WineVersionOverride(const char* exe_name, const char* version);
    ~WineVersionOverride();
    WineVersionOverride(const WineVersionOverride&) = delete;
    WineVersionOverride& operator=(const WineVersionOverride&) = delete;

private:
    std::string key_;
};

}  // namespace e2e
