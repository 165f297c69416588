#include "install_support.h"

#include <gtest/gtest.h>

#include "setup/bounded_text.h"
#include "setup/setup_state.h"
#include "test_files.h"

WindowsDirSandbox::WindowsDirSandbox()
{
    // Short, because the file table keeps the Windows directories in 39 characters.
    dir_ = "C:\\swin-" + std::to_string(GetCurrentProcessId());
    remove_tree(dir_);
    CreateDirectoryA(dir_.c_str(), nullptr);
    CreateDirectoryA((dir_ + "\\SYSTEM").c_str(), nullptr);
    CreateDirectoryA((dir_ + "\\INF").c_str(), nullptr);
    copy_text(state.windows_dir, dir_.c_str());
}

WindowsDirSandbox::~WindowsDirSandbox() { remove_tree(dir_); }

CompanionRegistryCleanup::CompanionRegistryCleanup()
{
    const std::string handlers = MOUSE_HANDLERS_KEY;
    for (size_t at = handlers.find("\\Controls Folder"); at != std::string::npos; at = handlers.find('\\', at + 1)) {
        const std::string prefix = handlers.substr(0, handlers.find('\\', at + 1));
        if (!registry_key_exists(HKEY_LOCAL_MACHINE, prefix)) {
            first_missing_ = prefix;
            break;
        }
    }
    clean();
}

CompanionRegistryCleanup::~CompanionRegistryCleanup() { clean(); }

void CompanionRegistryCleanup::clean()
{
    delete_registry_tree(HKEY_CLASSES_ROOT, COMPANION_CLSID_KEY);
    delete_registry_tree(HKEY_LOCAL_MACHINE, UNINSTALL_KEY_PATH);
    delete_registry_value(HKEY_LOCAL_MACHINE, RUN_KEY_PATH, "RollPoint");
    if (!first_missing_.empty())
        delete_registry_tree(HKEY_LOCAL_MACHINE, first_missing_);
    else
        delete_registry_tree(HKEY_LOCAL_MACHINE, std::string(MOUSE_HANDLERS_KEY) + "\\QVMousePage");
}

void expect_registry_text(HKEY root, const std::string& key, const char* name, const std::string& text)
{
    SCOPED_TRACE(key + " : " + (name ? name : "(default)"));
    const std::optional<RegistryValue> value = read_registry_value(root, key, name);
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(value->size, text.size() + 1);
    EXPECT_EQ(value->data, text + std::string(1, '\0'));
}

void expect_companion_registration(const CompanionEntries& entries)
{
    const std::string server_key = std::string(COMPANION_CLSID_KEY) + "\\InProcServer32";
    const std::string page_handler_key = std::string(MOUSE_HANDLERS_KEY) + "\\QVMousePage";
    expect_registry_text(HKEY_CLASSES_ROOT, COMPANION_CLSID_KEY, nullptr, "QVMouseControlPage");
    expect_registry_text(HKEY_CLASSES_ROOT, server_key, nullptr, entries.server);
    expect_registry_text(HKEY_CLASSES_ROOT, server_key, "ThreadingModel", "Apartment");
    expect_registry_text(HKEY_LOCAL_MACHINE, MOUSE_HANDLERS_KEY, nullptr, "QVMousePage");
    expect_registry_text(HKEY_LOCAL_MACHINE, page_handler_key, nullptr, "{6B2D94F0-3C1A-11D2-8E47-52A0C3D9B71E}");
    expect_registry_text(HKEY_LOCAL_MACHINE, RUN_KEY_PATH, "RollPoint", entries.run);
    expect_registry_text(HKEY_LOCAL_MACHINE, UNINSTALL_KEY_PATH, "DisplayName", entries.title);
    expect_registry_text(HKEY_LOCAL_MACHINE, UNINSTALL_KEY_PATH, "UninstallString", entries.uninstall);
}
