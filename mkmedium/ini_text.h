// INI text as the Windows profile functions read it: sections in square
// brackets, key=value lines, blanks around both trimmed, ';' lines ignored,
// names compared without regard to case and the first of a repeated name
// taken. Each line keeps its number, for messages.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct IniLine {
    int number = 0;
    std::string key;    // the whole line when it has no '='
    std::string value;
    bool has_value = false;
};

struct IniSection {
    std::string name;
    int number = 0;  // line of the [name] header
    std::vector<IniLine> lines;
};

struct IniText {
    std::vector<IniSection> sections;
};

// inline_comments: a ';' after a blank also ends a line (the description's
// syntax; the profile functions keep such text as part of the value).
IniText parse_ini(std::string_view text, bool inline_comments);

bool same_name(std::string_view a, std::string_view b);
const IniSection* find_section(const IniText& ini, std::string_view name);
const IniLine* find_key(const IniSection* section, std::string_view key);

// The value as GetPrivateProfileString gives it: one pair of enclosing
// quotes removed.
std::string profile_string(const IniLine& line);

// The number GetPrivateProfileInt makes of a value: blanks skipped, an
// optional sign, the decimal digits that follow, in 32-bit arithmetic.
int profile_int(std::string_view value);
