// Registry entries of the companion software: written by Setup's
// registration, removed by UNINSTAL.EXE. Both read their names from here.
#pragma once

// The pieces that several paths share, joined at compile time.
#define COMPANION_PAGE_CLASS_ID "{6B2D94F0-3C1A-11D2-8E47-52A0C3D9B71E}"
#define COMPANION_WINDOWS_KEY "SOFTWARE\\Microsoft\\Windows\\CurrentVersion"
#define COMPANION_HANDLERS_KEY COMPANION_WINDOWS_KEY "\\Controls Folder\\Mouse\\shellex\\PropertySheetHandlers"
#define COMPANION_HANDLER_NAME "QVMousePage"

namespace companion {

// The Mouse control panel page: a class (HKEY_CLASSES_ROOT) with its
// in-process server, entered as a property-sheet handler (HKEY_LOCAL_MACHINE).
constexpr const char* PAGE_CLASS_ID = COMPANION_PAGE_CLASS_ID;
constexpr const char* PAGE_CLASS_KEY = "CLSID\\" COMPANION_PAGE_CLASS_ID;
constexpr const char* PAGE_SERVER_KEY = "CLSID\\" COMPANION_PAGE_CLASS_ID "\\InProcServer32";
constexpr const char* PAGE_CLASS_NAME = "QVMouseControlPage";
constexpr const char* THREADING_MODEL_VALUE = "ThreadingModel";
constexpr const char* THREADING_MODEL = "Apartment";
constexpr const char* HANDLERS_KEY = COMPANION_HANDLERS_KEY;
constexpr const char* PAGE_HANDLER_NAME = COMPANION_HANDLER_NAME;
constexpr const char* PAGE_HANDLER_KEY = COMPANION_HANDLERS_KEY "\\" COMPANION_HANDLER_NAME;

// The utility started at every logon (HKEY_LOCAL_MACHINE).
constexpr const char* RUN_KEY = COMPANION_WINDOWS_KEY "\\Run";
constexpr const char* RUN_VALUE = "RollPoint";

// The entry of Add/Remove Programs (HKEY_LOCAL_MACHINE).
constexpr const char* UNINSTALL_KEY = COMPANION_WINDOWS_KEY "\\Uninstall\\RollPoint";
constexpr const char* DISPLAY_NAME_VALUE = "DisplayName";
constexpr const char* UNINSTALL_STRING_VALUE = "UninstallString";

// The files the entries name, in the destination directory.
constexpr const char* PAGE_SERVER_FILE = "QVPAGE.DLL";
constexpr const char* UTILITY_FILE = "QVMAIN.EXE";
constexpr const char* UNINSTALL_FILE = "UNINSTAL.EXE";

}  // namespace companion

#undef COMPANION_PAGE_CLASS_ID
#undef COMPANION_WINDOWS_KEY
#undef COMPANION_HANDLERS_KEY
#undef COMPANION_HANDLER_NAME
