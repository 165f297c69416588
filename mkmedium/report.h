// What the checks find, each finding with the file, line, section and key it
// is about.
#pragma once

#include <string>
#include <string_view>
#include <vector>

enum class Finding {
    Cut,                // a value longer than the field the loader keeps it in
    ReadsOtherwise,     // a number the loader reads as another (wrapped, negative, not a number)
    CountDisagrees,     // a [FileCounts] value and its section's lines
    LineMissing,        // a line inside a count that is absent or empty
    LineIgnored,        // a line the loader never reads (past a count, past six disks, past ten items)
    MissingFile,
    BadLzFile,
    UnknownName,        // a directory key, section or key the loader does not know
    EmptySection,
    DiskGap,            // a labelled disk after an unlabelled one
    SameTarget,         // two files that land on the same place
    BadName,            // not an 8.3 name, or a folder outside the medium
    BadDescription,     // anything else wrong in a description
    Output,             // the output folder, or writing to it
    Unlisted,           // a file on the medium that no line names (a warning)
    Default,            // a value left to the loader's default (a warning)
};

struct Problem {
    Finding finding;
    bool warning = false;
    std::string file;
    int line = 0;  // 0: the file as a whole
    std::string section;
    std::string key;
    std::string text;
};

struct Report {
    std::string file;  // named in every finding added
    std::vector<Problem> problems;
};

void add_problem(Report& report, Finding finding, int line, std::string_view section, std::string_view key,
                 std::string text);
void add_warning(Report& report, Finding finding, int line, std::string_view section, std::string_view key,
                 std::string text);

bool has_errors(const Report& report);

// "SETUP.INF:12: [Main] MinimumSpace: ...", with "warning: " after the line
// number for a warning.
std::string describe(const Problem& problem);
