#include "mkmedium/names.h"

#include <cctype>

namespace {

constexpr size_t BASE_CHARS = 8;
constexpr size_t EXTENSION_CHARS = 3;
constexpr std::string_view SHORT_NAME_SYMBOLS = "!#$%&'()-@^_`{}~";

bool is_short_name_char(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return std::isalnum(u) || SHORT_NAME_SYMBOLS.find(c) != std::string_view::npos;
}

bool is_short_name_part(std::string_view part, size_t most)
{
    if (part.size() > most) return false;
    for (char c : part)
        if (!is_short_name_char(c)) return false;
    return true;
}

}  // namespace

bool is_short_name(std::string_view name)
{
    const size_t dot = name.find('.');
    const std::string_view base = name.substr(0, dot);
    const std::string_view extension = dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
    return !base.empty() && is_short_name_part(base, BASE_CHARS) && is_short_name_part(extension, EXTENSION_CHARS);
}

std::string compressed_name(std::string_view name, char& replaced)
{
    const size_t dot = name.find('.');
    std::string out(name);
    replaced = 0;
    if (dot == std::string_view::npos) return out + "._";
    if (name.size() - dot - 1 < EXTENSION_CHARS) return out + "_";
    replaced = out.back();
    out.back() = '_';
    return out;
}

std::string_view file_part(std::string_view path)
{
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string lower_case(std::string_view text)
{
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}
