#include <gtest/gtest.h>

#include <string>

#include <windows.h>
#include <setupapi.h>

#include "driver/device_keys.h"
#include "support/driver_registry.h"
#include "support/driver_trace.h"

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
    void SetUp() override { delete_key_tree(ROOT); }
    void TearDown() override { delete_key_tree(ROOT); }

    TraceRecorder traces_;
};

TEST_F(DeviceKeys, RepairsClassAndOpensEveryInstanceToAdministrators)
{
    set_string_value(LOWER_CASE_MOUSE, "Class", "mouse");
    set_string_value(LOWER_CASE_MOUSE, "Driver", "{4D36E96F-E325-11CE-BFC1-08002BE10318}\\0000");
    set_string_value(OTHER_CLASS, "Class", "Ports");
    set_string_value(OTHER_CLASS, "Driver", "{4D36E978-E325-11CE-BFC1-08002BE10318}\\0003");
    set_string_value(NO_CLASS, "Driver", "{4D36E96F-E325-11CE-BFC1-08002BE10318}\\0001");

    repair_device_keys();

    const TraceLines expected =
        secured(LOWER_CASE_MOUSE) + TraceLines{{"mouse", "class name in registry"}} + secured(OTHER_CLASS) +
        TraceLines{{"Ports", "class name in registry"}, {"Class Not Mouse, Update Class", ""}} + secured(NO_CLASS) +
        TraceLines{{"Class Not Mouse, Update Class", ""}};
    EXPECT_EQ(traces_.lines(), expected);

    EXPECT_EQ(read_value(LOWER_CASE_MOUSE, "Class")->data, std::string("mouse", 6));
    EXPECT_TRUE(read_value(LOWER_CASE_MOUSE, "Driver"));
    for (const std::string& repaired : {OTHER_CLASS, NO_CLASS}) {
        SCOPED_TRACE(repaired);
        const auto value = read_value(repaired, "Class");
        ASSERT_TRUE(value);
        EXPECT_EQ(value->type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(value->data, REPAIRED_CLASS);
        EXPECT_FALSE(read_value(repaired, "Driver"));
    }
    for (const std::string& instance : {LOWER_CASE_MOUSE, OTHER_CLASS, NO_CLASS}) {
        SCOPED_TRACE(instance);
        EXPECT_EQ(key_dacl(instance), OPEN_TO_ADMINISTRATORS);
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
        delete_key_tree(ROOT);
        set_string_value(ROOT + "\\0000", "Class", c.stored);
        set_string_value(ROOT + "\\0000", "Driver", "x");

        repair_device_keys();

        EXPECT_EQ(read_value(ROOT + "\\0000", "Class")->data, c.kept ? std::string(c.stored) + '\0' : REPAIRED_CLASS);
        EXPECT_EQ(read_value(ROOT + "\\0000", "Driver").has_value(), c.kept);
    }
}

TEST_F(DeviceKeys, NothingToRepair)
{
    repair_device_keys();
    EXPECT_TRUE(traces_.lines().empty());

    create_key(ROOT);
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
    create_key(ROOT);
    lock_key(ROOT);
    EXPECT_TRUE(key_dacl(ROOT).empty());

    EXPECT_EQ(secure_device_key(ROOT.c_str()), 0);
    EXPECT_EQ(key_dacl(ROOT), OPEN_TO_ADMINISTRATORS);
    EXPECT_EQ(traces_.lines(),
              (TraceLines{{ROOT, "REG KEY"}, {"SUCCESS updating performance data security\n", ""}}));
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
