// The sample installation medium (media/medium.ini, laid out in
// build/medium): where it and the files it was made from are, and what a
// Typical installation from it leaves.
#pragma once

#include <span>
#include <string>
#include <vector>

namespace e2e {

// build/medium, the companion programs' build folder and the medium's
// sources in the source tree, as Windows paths.
std::string medium_dir();
std::string companion_dir();
std::string media_source_dir();
std::string windows_dir();

enum class Below { destination, windows };
enum class Original { companion_build, medium, media_sources };

// One file of the medium as a Typical installation copies it.
struct SampleFile {
    const char* announced;  // its name on the medium, as the install page announces it
    Below folder;
    const char* installed;  // where it goes below that folder
    Original original_folder;
    const char* original;   // the file it must equal below that folder: compressed files by their sources
};

// In the order of copying.
std::span<const SampleFile> sample_files();

std::string installed_path(const SampleFile& file, const std::string& destination);
// The medium is the copy that was installed from: its SETUP.INF is installed too.
std::string original_path(const SampleFile& file, const std::string& medium);

// What a Typical installation puts below the destination, folders with a
// trailing backslash, sorted.
std::vector<std::string> installed_tree();

// Deletes what installing the sample medium writes outside its destination:
// its files in the Windows folder, the class id, the Mouse property-sheet
// handler, the Run value, the uninstall entry and the RkWheel service key.
void remove_roller_kit_installation();

}  // namespace e2e
