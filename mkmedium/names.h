// File names on a medium: the 8.3 form, and the name a compressed file is
// stored under.
#pragma once

#include <string>
#include <string_view>

// A base name of one to eight characters and an extension of up to three,
// each of the characters that FAT short names allow.
bool is_short_name(std::string_view name);

// The last character of the extension replaced with "_" (QVMAIN.EXE ->
// QVMAIN.EX_); a shorter extension gets "_" appended (A.C -> A.C_, A -> A._).
// replaced receives the character given up, or 0.
std::string compressed_name(std::string_view name, char& replaced);

// The last part of a path written with either slash.
std::string_view file_part(std::string_view path);

std::string lower_case(std::string_view text);
