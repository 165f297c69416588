#include "prefix_settings.h"

#include <windows.h>

#include "support/failures.h"
#include "support/registry.h"

namespace e2e {

namespace {

constexpr char APP_DEFAULTS_KEY[] = "Software\\Wine\\AppDefaults\\";

void set_app_default(const std::string& key, const char* name, const char* value)
{
    if (!set_registry_string(HKEY_CURRENT_USER, key, name, value)) report_failure("cannot create " + key);
}

}  // namespace

void unmanage_program_windows()
{
    static bool done = false;
    if (done) return;
    done = true;
    for (const char* program : {"SETUP.EXE", "QVMAIN.EXE", "UNINSTAL.EXE"})
        set_app_default(std::string(APP_DEFAULTS_KEY) + program + "\\X11 Driver", "Managed", "N");
}

WineVersionOverride::WineVersionOverride(const char* exe_name, const char* version)
    : key_(std::string(APP_DEFAULTS_KEY) + exe_name)
{
    set_app_default(key_, "Version", version);
}

WineVersionOverride::~WineVersionOverride() { delete_registry_value(HKEY_CURRENT_USER, key_, "Version"); }

}  // namespace e2e
