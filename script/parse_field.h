// Splitting the comma-separated fields of a script line. Plain C++, shared
// with the medium builder, which checks lines the way the loader reads them.
#pragma once

#include <cstddef>

constexpr int PARSE_FIELD_WORK_CHARS = 128;

// Copies the next comma-separated field of text, without its outer blanks,
// into out (bounded by out_size) and returns where the following field
// begins; at the end of the text, the end of the text.
const char* parse_field(const char* text, char* out, size_t out_size);

template <size_t N>
const char* parse_field(const char* text, char (&out)[N]) { return parse_field(text, out, N); }
