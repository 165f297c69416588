// Texts of the string table.
#pragma once

// Returns the text in the next of four rotating buffers, or null when the
// string table has none. The text lives until four further calls.
const char* load_text(unsigned id);
