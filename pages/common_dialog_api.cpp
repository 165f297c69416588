#include "pages/common_dialog_api.h"

#include "setup/system_library.h"

namespace {

#define COMDLG32_ENTRY(name, slot) +1
constexpr size_t ENTRY_COUNT = 0
#include "pages/common_dialog_entries.inc"
    ;
#undef COMDLG32_ENTRY
static_assert(ENTRY_COUNT * sizeof(void*) == sizeof(CommonDialogApi));

}  // namespace

int load_common_dialog_api(CommonDialogApi& api, const char* library_name)
{
    HMODULE library = LoadLibraryA(library_name);
    if (!library) return 0;
    int found = 1;
#define COMDLG32_ENTRY(name, slot) found &= load_entry(library, #name, api.slot);
#include "pages/common_dialog_entries.inc"
#undef COMDLG32_ENTRY
    if (!found) {
        FreeLibrary(library);
        api = {};
        return 0;
    }
    return 1;
}

const CommonDialogApi* system_common_dialog_api()
{
    static CommonDialogApi api = {};
    static int loaded = 0;
    if (!loaded) loaded = load_common_dialog_api(api, "comdlg32.dll");
    return loaded ? &api : nullptr;
}
