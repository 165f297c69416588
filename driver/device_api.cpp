#include "driver/device_api.h"

#include "setup/system_library.h"

DeviceApi device_api = {};

namespace {

// Fills every slot of api from the two libraries; 0 when any name is missing.
int load_entries(HMODULE setupapi, HMODULE cfgmgr32, DeviceApi& api)
{
    int found = 1;
#define SETUPAPI_ENTRY(name, slot) found &= load_entry(setupapi, #name, api.slot);
#define CFGMGR32_ENTRY(name, slot) found &= load_entry(cfgmgr32, #name, api.slot);
#include "driver/device_api_entries.inc"
#undef SETUPAPI_ENTRY
#undef CFGMGR32_ENTRY
    return found;
}

// Every slot of DeviceApi has an entry in the list, so none stays empty.
#define SETUPAPI_ENTRY(name, slot) +1
#define CFGMGR32_ENTRY(name, slot) +1
constexpr size_t ENTRY_COUNT = 0
#include "driver/device_api_entries.inc"
    ;
#undef SETUPAPI_ENTRY
#undef CFGMGR32_ENTRY
static_assert(ENTRY_COUNT * sizeof(void*) == sizeof(DeviceApi));

}  // namespace

int load_device_api(DeviceApi& api, const char* setupapi_name, const char* cfgmgr32_name)
{
    HMODULE setupapi = LoadLibraryA(setupapi_name);
    if (!setupapi) return 0;
    HMODULE cfgmgr32 = LoadLibraryA(cfgmgr32_name);
    if (!cfgmgr32) {
        FreeLibrary(setupapi);
        return 0;
    }
    if (!load_entries(setupapi, cfgmgr32, api)) {
        FreeLibrary(cfgmgr32);
        FreeLibrary(setupapi);
        api = {};
        return 0;
    }
    return 1;
}

const DeviceApi* system_device_api()
{
    static DeviceApi api = {};
    static int loaded = 0;
    if (!loaded) loaded = load_device_api(api, "setupapi.dll", "cfgmgr32.dll");
    return loaded ? &api : nullptr;
}

int use_system_device_api()
{
    // A table is filled whole or not at all, so one entry tells.
    if (device_api.class_guids_from_name != nullptr) return 1;
    const DeviceApi* system = system_device_api();
    if (system == nullptr) return 0;
    device_api = *system;
    return 1;
}
