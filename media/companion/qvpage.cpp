// The Mouse control panel page of Roller Kit, registered as an in-process
// server. This build offers no class yet: the shell simply shows no page.
#include <windows.h>

extern "C" {

__declspec(dllexport) HRESULT WINAPI DllGetClassObject(REFCLSID, REFIID, void** object)
{
    if (object != nullptr) *object = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}

__declspec(dllexport) HRESULT WINAPI DllCanUnloadNow()
{
    return S_OK;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, void*)
{
    return TRUE;
}

}
