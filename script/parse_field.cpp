#include "script/parse_field.h"

const char* parse_field(const char* text, char* out, size_t out_size)
{
    char work[PARSE_FIELD_WORK_CHARS];
    int n = 0;
    bool leading = true;
    const char* next = text;
    for (;; ++next) {
        const char c = *next;
        if (c == '\0') break;
        if (c == ',') {
            ++next;
            break;
        }
        if (leading && c == ' ') continue;
        if (n < PARSE_FIELD_WORK_CHARS - 1) work[n++] = c;
        leading = false;
    }
    work[n] = '\0';
    for (int i = n - 1; i >= 1 && work[i] == ' '; --i) work[i] = '\0';

    if (out_size == 0) return next;
    size_t i = 0;
    for (; i + 1 < out_size && work[i] != '\0'; ++i) out[i] = work[i];
    out[i] = '\0';
    return next;
}
