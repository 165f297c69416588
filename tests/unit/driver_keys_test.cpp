#include <gtest/gtest.h>

#include <string>

#include <windows.h>
#include <setupapi.h>

#include "driver/device_keys.h"
#include "support/driver_trace.h"
#include "support/registry.h"
#include "support/seam.h"

namespace {

const std::string ROOT = DEVICE_ROOT_KEY;
const std::string LOWER_CASE_MOUSE = ROOT + "\\0000";
const std::string OTHER_CLASS = ROOT + "\\0001";
const std::string NO_CLASS = ROOT + "\\0002";
const std::string REPAIRED_CLASS = std::string("Mouse", 6);

const std::vector<AllowedAce> OPEN_TO_ADMINISTRATORS = {
    {"S-1-5-4", 0x20019, 0},
    {"S-1-5-32-544", 0xF003F, 0},
};

TraceLines secured(const std::string& path)
{
    return {{path, "Enum Key"}, {path, "REG KEY"}, {"SUCCESS updating performance data security\n", ""}};
}

// The device keys are created by each test and removed after it. Wine keeps a
// key's new DACL only while its server runs, so every check reads it back
// within the test.
class DeviceKeys : public ::testing::Test {
protected:
    void SetUp() override { delete_registry_tree(HKEY_LOCAL_MACHINE, ROOT); }
    void TearDown() override { delete_registry_tree(HKEY_LOCAL_MACHINE, ROOT); }

    TraceRecorder traces_;
};

TEST_F(DeviceKeys, RepairsClassAndOpensEveryInstanceToAdministrators)
{
    ASSERT_TRUE(set_registry_string(HKEY_LOCAL_MACHINE, LOWER_CASE_MOUSE, "Class", "mouse"));
    ASSERT_TRUE(set_registry_string(HKEY_LOCAL_MACHINE, LOWER_CASE_MOUSE, "Driver",
                                    "{4D36E96F-E325-11CE-BFC1-08002BE10318}\\0000"));
    ASSERT_TRUE(set_registry_string(HKEY_LOCAL_MACHINE, OTHER_CLASS, "Class", "Ports"));
    ASSERT_TRUE(set_registry_string(HKEY_LOCAL_MACHINE, OTHER_CLASS, "Driver",
                                    "{4D36E978-E325-11CE-BFC1-08002BE10318}\\0003"));
    ASSERT_TRUE(set_registry_string(HKEY_LOCAL_MACHINE, NO_CLASS, "Driver",
                                    "{4D36E96F-E325-11CE-BFC1-08002BE10318}\\0001"));

    repair_device_keys();

    const TraceLines expected =
        secured(LOWER_CASE_MOUSE) + TraceLines{{"mouse", "class name in registry"}} + secured(OTHER_CLASS) +
        TraceLines{{"Ports", "class name in registry"}, {"Class Not Mouse, Update Class", ""}} + secured(NO_CLASS) +
        TraceLines{{"Class Not Mouse, Update Class", ""}};
    EXPECT_EQ(traces_.lines(), expected);

    EXPECT_EQ(read_registry_value(HKEY_LOCAL_MACHINE, LOWER_CASE_MOUSE, "Class")->data, std::string("mouse", 6));
    EXPECT_TRUE(read_registry_value(HKEY_LOCAL_MACHINE, LOWER_CASE_MOUSE, "Driver"));
    for (const std::string& repaired : {OTHER_CLASS, NO_CLASS}) {
        SCOPED_TRACE(repaired);
        const auto value = read_registry_value(HKEY_LOCAL_MACHINE, repaired, "Class");
        ASSERT_TRUE(value);
        EXPECT_EQ(value->type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(value->data, REPAIRED_CLASS);
        EXPECT_FALSE(read_registry_value(HKEY_LOCAL_MACHINE, repaired, "Driver"));
    }
    for (const std::string& instance : {LOWER_CASE_MOUSE, OTHER_CLASS, NO_CLASS}) {
        SCOPED_TRACE(instance);
        EXPECT_EQ(registry_key_dacl(HKEY_LOCAL_MACHINE, instance), OPEN_TO_ADMINISTRATORS);
    }
}

// The comparison folds ASCII letters only; a class that does not fit the
// 128-byte buffer counts as another class.
TEST_F(DeviceKeys, ClassComparison)
{
    struct ClassCase {
        const char* stored;
        bool kept;
    };
    const std::string too_long = "Mouse" + std::string(130, ' ');
    const ClassCase cases[] = {{"MOUSE", true}, {"Mouse", true}, {"M\xD6USE", false}, {"Mouse ", false},
                               {too_long.c_str(), false}};
    for (const ClassCase& c : cases) {
        SCOPED_TRACE(c.stored);
        delete_registry_tree(HKEY_LOCAL_MACHINE, ROOT);
        ASSERT_TRUE(set_registry_string(HKEY_LOCAL_MACHINE, ROOT + "\\0000", "Class", c.stored));
        ASSERT_TRUE(set_registry_string(HKEY_LOCAL_MACHINE, ROOT + "\\0000", "Driver", "x"));

        repair_device_keys();

        EXPECT_EQ(read_registry_value(HKEY_LOCAL_MACHINE, ROOT + "\\0000", "Class")->data,
                  c.kept ? std::string(c.stored) + '\0' : REPAIRED_CLASS);
        EXPECT_EQ(read_registry_value(HKEY_LOCAL_MACHINE, ROOT + "\\0000", "Driver").has_value(), c.kept);
    }
}

TEST_F(DeviceKeys, NothingToRepair)
{
    repair_device_keys();
    EXPECT_TRUE(traces_.lines().empty());

    ASSERT_TRUE(create_registry_key(HKEY_LOCAL_MACHINE, ROOT));
    repair_device_keys();
    EXPECT_TRUE(traces_.lines().empty());
}

TEST_F(DeviceKeys, KeyThatCannotBeOpenedForItsDacl)
{
    const std::string missing = ROOT + "\\0007";

    EXPECT_EQ(secure_device_key(missing.c_str()), ERROR_INVALID_DATA);

    EXPECT_EQ(traces_.lines(), (TraceLines{{missing, "REG KEY"},
                                           {"RegOpenKeyEx", "ERROE!"},
                                           {system_message_text(ERROR_FILE_NOT_FOUND), ""}}));
}

// The whole DACL is replaced, whatever it held before.
TEST_F(DeviceKeys, SecuredKeyHoldsExactlyTheTwoEntries)
{
    ASSERT_TRUE(create_registry_key(HKEY_LOCAL_MACHINE, ROOT));
    ASSERT_TRUE(lock_registry_key(HKEY_LOCAL_MACHINE, ROOT));
    EXPECT_EQ(registry_key_dacl(HKEY_LOCAL_MACHINE, ROOT), std::vector<AllowedAce>{});

    EXPECT_EQ(secure_device_key(ROOT.c_str()), 0);
    EXPECT_EQ(registry_key_dacl(HKEY_LOCAL_MACHINE, ROOT), OPEN_TO_ADMINISTRATORS);
    EXPECT_EQ(traces_.lines(),
              (TraceLines{{ROOT, "REG KEY"}, {"SUCCESS updating performance data security\n", ""}}));
}

// Key security that the system refuses after the key was opened for it.
struct RefusedSecurity {
    int calls = 0;
    SECURITY_INFORMATION information = 0;
} refused;

LONG WINAPI refuse_key_security(HKEY, SECURITY_INFORMATION information, PSECURITY_DESCRIPTOR)
{
    ++refused.calls;
    refused.information = information;
    return ERROR_ACCESS_DENIED;
}

// Lets everyone do anything to the key except what deny names.
void deny_key_access(const std::string& path, ACCESS_MASK deny)
{
    SID_IDENTIFIER_AUTHORITY world_authority = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    ASSERT_TRUE(AllocateAndInitializeSid(&world_authority, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone));
    alignas(DWORD) BYTE acl_bytes[128];
    auto* acl = reinterpret_cast<PACL>(acl_bytes);
    InitializeAcl(acl, sizeof acl_bytes, ACL_REVISION);
    AddAccessDeniedAce(acl, ACL_REVISION, deny, everyone);
    AddAccessAllowedAce(acl, ACL_REVISION, KEY_ALL_ACCESS, everyone);
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, WRITE_DAC, &key), ERROR_SUCCESS) << path;
    EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor), ERROR_SUCCESS) << path;
    RegCloseKey(key);
    FreeSid(everyone);
}

class RefusedKeySecurity : public DeviceKeys {
protected:
    void SetUp() override
    {
        DeviceKeys::SetUp();
        refused = {};
    }

    ScopedSeam<KeySecurityCalls> refusing_{key_security_calls, {refuse_key_security}};
};

TEST_F(RefusedKeySecurity, IsReportedAfterTheStepAndTheDaclStays)
{
    ASSERT_TRUE(create_registry_key(HKEY_LOCAL_MACHINE, ROOT));
    ASSERT_TRUE(lock_registry_key(HKEY_LOCAL_MACHINE, ROOT));

    EXPECT_EQ(secure_device_key(ROOT.c_str()), ERROR_INVALID_DATA);

    EXPECT_EQ(traces_.lines(), (TraceLines{{ROOT, "REG KEY"},
                                           {"RegSetKeySecurity", "ERROE!"},
                                           {system_message_text(ERROR_ACCESS_DENIED), ""},
                                           {"ERROR updating performance data security\n", ""}}));
    EXPECT_EQ(refused.calls, 1);
    EXPECT_EQ(refused.information, static_cast<SECURITY_INFORMATION>(DACL_SECURITY_INFORMATION));
    EXPECT_EQ(registry_key_dacl(HKEY_LOCAL_MACHINE, ROOT), std::vector<AllowedAce>{});
}

// The first instance may be opened for its DACL but not for setting values:
// with its security refused it stays as it was, and the walk goes on to the
// second, whose class is still repaired.
TEST_F(RefusedKeySecurity, ClassRepairGoesOnAndSkipsAnInstanceItCannotOpen)
{
    const std::string closed = ROOT + "\\0000";
    const std::string open = ROOT + "\\0001";
    for (const std::string& instance : {closed, open}) {
        ASSERT_TRUE(set_registry_string(HKEY_LOCAL_MACHINE, instance, "Class", "Ports"));
        ASSERT_TRUE(set_registry_string(HKEY_LOCAL_MACHINE, instance, "Driver",
                                        "{4D36E978-E325-11CE-BFC1-08002BE10318}\\0003"));
    }
    deny_key_access(closed, KEY_SET_VALUE);

    repair_device_keys();

    const TraceLines refused_security = {{"RegSetKeySecurity", "ERROE!"},
                                         {system_message_text(ERROR_ACCESS_DENIED), ""},
                                         {"ERROR updating performance data security\n", ""}};
    const TraceLines expected = TraceLines{{closed, "Enum Key"}, {closed, "REG KEY"}} + refused_security +
                                TraceLines{{open, "Enum Key"}, {open, "REG KEY"}} + refused_security +
                                TraceLines{{"Ports", "class name in registry"}, {"Class Not Mouse, Update Class", ""}};
    EXPECT_EQ(traces_.lines(), expected);
    EXPECT_EQ(refused.calls, 2);

    EXPECT_EQ(read_registry_value(HKEY_LOCAL_MACHINE, closed, "Class")->data, std::string("Ports", 6));
    EXPECT_TRUE(read_registry_value(HKEY_LOCAL_MACHINE, closed, "Driver"));
    EXPECT_EQ(read_registry_value(HKEY_LOCAL_MACHINE, open, "Class")->data, REPAIRED_CLASS);
    EXPECT_FALSE(read_registry_value(HKEY_LOCAL_MACHINE, open, "Driver"));
}

// Names of up to 127 characters fit the walk's buffer; the first longer one
// ends the walk, and the instances after it are not touched.
TEST_F(DeviceKeys, WalkEndsAtANameTooLongForItsBuffer)
{
    const std::string longest = ROOT + "\\" + std::string(127, '1');
    const std::string too_long = ROOT + "\\" + std::string(128, '2');
    const std::string after = ROOT + "\\3333";
    for (const std::string& instance : {longest, too_long, after})
        ASSERT_TRUE(set_registry_string(HKEY_LOCAL_MACHINE, instance, "Class", "Ports"));

    repair_device_keys();

    const TraceLines expected =
        secured(longest) + TraceLines{{"Ports", "class name in registry"}, {"Class Not Mouse, Update Class", ""}};
    EXPECT_EQ(traces_.lines(), expected);
    EXPECT_EQ(read_registry_value(HKEY_LOCAL_MACHINE, longest, "Class")->data, REPAIRED_CLASS);
    for (const std::string& untouched : {too_long, after}) {
        SCOPED_TRACE(untouched.substr(ROOT.size()));
        EXPECT_EQ(read_registry_value(HKEY_LOCAL_MACHINE, untouched, "Class")->data, std::string("Ports", 6));
    }
}

TEST(MessageText, TracesTheSystemTextOnly)
{
    TraceRecorder traces;
    trace_message_text(ERROR_ACCESS_DENIED);
    trace_message_text(ERROR_DI_DO_DEFAULT);  // no system text
    ASSERT_EQ(traces.lines().size(), 1u);
    EXPECT_EQ(traces.lines()[0].text, system_message_text(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(traces.lines()[0].text.empty());
}

// A text with inserts comes with the inserts as they stand, instead of the
// system reading arguments that were never given.
TEST(MessageText, TextWithInserts)
{
    TraceRecorder traces;
    trace_message_text(ERROR_DISK_CHANGE);
    ASSERT_EQ(traces.lines().size(), 1u);
    EXPECT_NE(traces.lines()[0].text.find("%1"), std::string::npos) << traces.lines()[0].text;
}

TEST(MessageText, SystemErrorNamesTheStepFirst)
{
    TraceRecorder traces;
    trace_system_error("InitializeAcl", ERROR_ACCESS_DENIED);
    EXPECT_EQ(traces.lines(),
              (TraceLines{{"InitializeAcl", "ERROE!"}, {system_message_text(ERROR_ACCESS_DENIED), ""}}));
}

}  // namespace
