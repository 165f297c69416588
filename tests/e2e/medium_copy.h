// A copy of the sample medium for one test.
#pragma once

#include <string>

namespace e2e {

// A copy of build/medium in a fresh temporary folder. Its SETUP.INF names a
// destination of its own (DefaultPath), which does not exist yet but whose
// parent does. What an installation from it leaves behind (that folder, the
// Windows-folder files, the registry entries) is removed at its start and
// at its end, see remove_roller_kit_installation().
class MediumCopy {
public:
    MediumCopy();
    ~MediumCopy();
    MediumCopy(const MediumCopy&) = delete;
    MediumCopy& operator=(const MediumCopy&) = delete;

    const std::string& dir() const { return dir_; }
    std::string setup_exe() const { return dir_ + "\\SETUP.EXE"; }
    // The default destination, e.g. C:\users\...\Temp\setup-test-dest-12-2\Roller Kit.
    const std::string& destination() const { return destination_; }
    // Changes one value of the copy's SETUP.INF (an empty value stays as
    // "key=", a null value removes the key).
    void set_script_value(const char* section, const char* key, const char* value) const;

private:
    std::string dir_;
    std::string destination_parent_;
    std::string destination_;
};

}  // namespace e2e
