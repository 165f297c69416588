// A destination that refuses some files and a registry that refuses writes:
// the install goes on to its end, reports nothing, and loses nothing else.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "install/install_page.h"
#include "install/registration.h"
#include "resources/resource_ids.h"
#include "script/setup_script.h"
#include "setup/page_framework.h"
#include "support/install_support.h"
#include "support/seam.h"
#include "support/setup_fixture.h"
#include "support/test_files.h"
#include "support/ui_script.h"

namespace {

const char* const MEDIUM_SCRIPT =
    "[Main]\r\nProductName=Roller Kit\r\n"
    "[DiskLabel]\r\nDisk1=Disk 1\r\n"
    "[DirectoryName]\r\nRootDir=\r\nSubDir1=HELP\r\nSubDir2=DOCS\r\nWinSystemDir=SYSFILES\r\n"
    "[FileCounts]\r\nDisk1=4\r\n"
    "[Disk1]\r\n"
    "1=README.TXT, README.TXT, Read me first, RootDir\r\n"
    "2=MOUSE.DL_, QVPAGE.DLL, Mouse property page, RootDir\r\n"
    "3=HELP.HL_, MOUSE.HLP, Help file, SubDir1\r\n"
    "4=DRIVER.SY_, DRIVER.SYS, Mouse driver, WinSystemDir\r\n"
    "[Startup]\r\nTitle=Roller Kit Mouse\r\n";

const MediumFile MEDIUM_FILES[] = {
    {"", "readme.txt", "README.TXT"},
    {"", "MOUSE.DL_", "MOUSE.DL_"},
    {"HELP", "HELP.HL_", "HELP.HL_"},
    {"SYSFILES", "DRIVER.SY_", "DRIVER.SY_"},
};

std::string expanded(const char* fixture) { return read_file(install_fixture(std::string(fixture) + ".expanded")); }

// A registry that refuses what refuse() names and passes the rest to the
// platform; it counts the keys it opened and closed.
struct RefusingRegistry {
    std::function<bool(HKEY root, const char* path)> refuse_key = [](HKEY, const char*) { return false; };
    bool refuse_values = false;
    int opened = 0;
    int closed = 0;
    int refused_calls = 0;

    static inline RefusingRegistry* active = nullptr;

    static LONG WINAPI create_key(HKEY root, LPCSTR path, PHKEY key)
    {
        if (active->refuse_key(root, path)) {
            ++active->refused_calls;
            return ERROR_ACCESS_DENIED;
        }
        const LONG result = RegCreateKeyA(root, path, key);
        if (result == ERROR_SUCCESS) ++active->opened;
        return result;
    }
    static LONG WINAPI set_value(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size)
    {
        if (active->refuse_values) {
            ++active->refused_calls;
            return ERROR_ACCESS_DENIED;
        }
        return RegSetValueExA(key, name, reserved, type, data, size);
    }
    static LONG WINAPI delete_key(HKEY root, LPCSTR path)
    {
        if (active->refuse_key(root, path)) {
            ++active->refused_calls;
            return ERROR_ACCESS_DENIED;
        }
        return RegDeleteKeyA(root, path);
    }
    static LONG WINAPI close_key(HKEY key)
    {
        ++active->closed;
        return RegCloseKey(key);
    }

    RefusingRegistry() { active = this; }
    ~RefusingRegistry() { active = nullptr; }
    RefusingRegistry(const RefusingRegistry&) = delete;
    RefusingRegistry& operator=(const RefusingRegistry&) = delete;

    ScopedSeam<RegistryCalls> seam{registry_calls, {create_key, set_value, delete_key, close_key}};
};

// Sets (or, for null, removes) the default value of the Mouse handlers key.
void set_handlers_default(const char* text)
{
    ASSERT_TRUE(create_registry_key(HKEY_LOCAL_MACHINE, MOUSE_HANDLERS_KEY));
    if (text != nullptr)
        EXPECT_TRUE(set_registry_string(HKEY_LOCAL_MACHINE, MOUSE_HANDLERS_KEY, nullptr, text));
    else
        delete_registry_value(HKEY_LOCAL_MACHINE, MOUSE_HANDLERS_KEY, nullptr);
}

class InstallRefusalTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        reset_setup_state();
        use_screen_size();
        windows_ = std::make_unique<WindowsDirSandbox>();
        medium_ = std::make_unique<ScriptFolder>(MEDIUM_SCRIPT);
        ASSERT_TRUE(lay_out_medium(medium_->dir(), MEDIUM_FILES));
        ASSERT_EQ(load_setup_script(), 1);
        dest_ = make_temp_dir("dest");
        copy_text(state.dest_dir, dest_.c_str());
    }
    void TearDown() override
    {
        release_file_table();
        remove_tree(dest_);
    }

    // The page run to its end: it must finish as after any complete copy, with no message box.
    void install()
    {
        MessageBoxWatcher boxes;
        EXPECT_EQ(run_page("SETUP_INSTALL", install_page_proc, IDD_INSTALL), PAGE_NEXT);
        EXPECT_TRUE(boxes.boxes().empty());
    }

    std::string dest(const std::string& name) const { return dest_ + "\\" + name; }

    CompanionRegistryCleanup registry_;
    std::unique_ptr<WindowsDirSandbox> windows_;
    std::unique_ptr<ScriptFolder> medium_;
    std::string dest_;
};

// Wine creates files in a folder marked read-only, and creates keys below a
// registry key whose ACL denies that: the refusals here are a folder where a
// file should go, a file where a folder should go, and a registry double.
TEST_F(InstallRefusalTest, TargetsThatCannotBeCreatedAreSkippedAndTheRestInstalled)
{
    ASSERT_TRUE(CreateDirectoryA(dest("QVPAGE.DLL").c_str(), nullptr));
    write_file(dest("QVPAGE.DLL\\KEEP.TXT"), "kept");
    write_file(dest("HELP"), "a file where the HELP folder should be");

    install();

    EXPECT_TRUE(directory_exists_at(dest("QVPAGE.DLL")));
    EXPECT_EQ(read_file(dest("QVPAGE.DLL\\KEEP.TXT")), "kept");
    EXPECT_EQ(read_file(dest("HELP")), "a file where the HELP folder should be");
    EXPECT_EQ(read_file(dest("README.TXT")), read_file(install_fixture("readme.txt")));
    EXPECT_EQ(read_file(windows_->dir() + "\\SYSTEM\\DRIVER.SYS"), expanded("DRIVER.SY_"));
    expect_companion_registration({dest("QVPAGE.DLL"), dest("QVMAIN.EXE"), "Roller Kit Mouse", dest("UNINSTAL.EXE")});
}

TEST_F(InstallRefusalTest, RegistryWithoutWriteAccessCostsOnlyTheRefusedSteps)
{
    const std::string server_key = std::string(COMPANION_CLSID_KEY) + "\\InProcServer32";
    const std::string page_handler_key = std::string(MOUSE_HANDLERS_KEY) + "\\QVMousePage";
    const struct {
        const char* name;
        std::function<bool(HKEY, const char*)> refuse_key;
        bool refuse_values;
        bool classes, handlers, run, uninstall;  // which entries are there afterwards
        const char* handlers_default;            // the handlers key's default value afterwards, "" for none
    } cases[] = {
        {"no write access at all", [](HKEY, const char*) { return true; }, true, false, false, false, false,
         "set before"},
        // The handlers key is deleted and made again, without a value.
        {"keys open, values refused", [](HKEY, const char*) { return false; }, true, false, false, false, false, ""},
        {"classes root refused", [](HKEY root, const char*) { return root == HKEY_CLASSES_ROOT; }, false, false, true,
         true, true, "QVMousePage"},
        {"Run key refused", [](HKEY, const char* path) { return std::string(path) == RUN_KEY_PATH; }, false, true,
         true, false, true, "QVMousePage"},
        {"uninstall key refused", [](HKEY, const char* path) { return std::string(path) == UNINSTALL_KEY_PATH; },
         false, true, true, true, false, "QVMousePage"},
    };
    // The handlers key may be there from before with the value under test: it
    // starts each case with a value of its own, and gets its own back at the end.
    const std::optional<RegistryValue> handlers_before =
        read_registry_value(HKEY_LOCAL_MACHINE, MOUSE_HANDLERS_KEY, nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        registry_.clean();
        set_handlers_default("set before");
        remove_tree(dest_);
        CreateDirectoryA(dest_.c_str(), nullptr);
        {
            RefusingRegistry refusing;
            refusing.refuse_key = c.refuse_key;
            refusing.refuse_values = c.refuse_values;

            install();

            EXPECT_GT(refusing.refused_calls, 0);
            EXPECT_EQ(refusing.closed, refusing.opened);
        }
        // The copy is whole whatever the registry did.
        EXPECT_EQ(read_file(dest("README.TXT")), read_file(install_fixture("readme.txt")));
        EXPECT_EQ(read_file(dest("QVPAGE.DLL")), expanded("MOUSE.DL_"));
        EXPECT_EQ(read_file(dest("HELP\\MOUSE.HLP")), expanded("HELP.HL_"));
        EXPECT_EQ(read_file(windows_->dir() + "\\SYSTEM\\DRIVER.SYS"), expanded("DRIVER.SY_"));

        EXPECT_EQ(read_registry_value(HKEY_CLASSES_ROOT, COMPANION_CLSID_KEY, nullptr).has_value(), c.classes);
        EXPECT_EQ(read_registry_value(HKEY_CLASSES_ROOT, server_key, nullptr).has_value(), c.classes);
        EXPECT_EQ(read_registry_value(HKEY_CLASSES_ROOT, server_key, "ThreadingModel").has_value(), c.classes);
        const std::optional<RegistryValue> handlers_default =
            read_registry_value(HKEY_LOCAL_MACHINE, MOUSE_HANDLERS_KEY, nullptr);
        EXPECT_EQ(handlers_default ? handlers_default->data : std::string(),
                  c.handlers_default[0] ? std::string(c.handlers_default) + '\0' : std::string());
        EXPECT_EQ(read_registry_value(HKEY_LOCAL_MACHINE, page_handler_key, nullptr).has_value(), c.handlers);
        EXPECT_EQ(read_registry_value(HKEY_LOCAL_MACHINE, RUN_KEY_PATH, "RollPoint").has_value(), c.run);
        EXPECT_EQ(read_registry_value(HKEY_LOCAL_MACHINE, UNINSTALL_KEY_PATH, "DisplayName").has_value(), c.uninstall);
        EXPECT_EQ(read_registry_value(HKEY_LOCAL_MACHINE, UNINSTALL_KEY_PATH, "UninstallString").has_value(),
                  c.uninstall);
    }
    set_handlers_default(handlers_before ? handlers_before->data.c_str() : nullptr);
}

}  // namespace
