#include "medium_copy.h"

#include <windows.h>

#include "prefix_settings.h"
#include "sample_medium.h"
#include "support/test_files.h"

namespace e2e {

MediumCopy::MediumCopy()
    : dir_(make_temp_dir("medium")), destination_parent_(make_temp_dir("dest")),
      destination_(destination_parent_ + "\\Roller Kit")
{
    unmanage_program_windows();
    remove_roller_kit_installation();
    copy_tree(medium_dir(), dir_);
    set_script_value("Main", "DefaultPath", destination_.c_str());
}

MediumCopy::~MediumCopy()
{
    remove_tree(dir_);
    remove_tree(destination_parent_);
    remove_roller_kit_installation();
}

void MediumCopy::set_script_value(const char* section, const char* key, const char* value) const
{
    const std::string script = dir_ + "\\SETUP.INF";
    WritePrivateProfileStringA(section, key, value, script.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, script.c_str());
}

}  // namespace e2e
