#include "mkmedium/ini_text.h"

#include <cctype>
#include <cstdint>

namespace {

std::string_view trim(std::string_view s)
{
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

std::string_view without_inline_comment(std::string_view line)
{
    for (size_t i = 1; i < line.size(); ++i)
        if (line[i] == ';' && std::isspace(static_cast<unsigned char>(line[i - 1]))) return line.substr(0, i);
    return line;
}

IniLine key_line(std::string_view text, int number)
{
    IniLine line;
    line.number = number;
    const size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        line.key = std::string(text);
        return line;
    }
    line.key = std::string(trim(text.substr(0, equals)));
    line.value = std::string(trim(text.substr(equals + 1)));
    line.has_value = true;
    return line;
}

}  // namespace

IniText parse_ini(std::string_view text, bool inline_comments)
{
    IniText ini;
    int number = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view raw = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++number;

        if (inline_comments) raw = without_inline_comment(raw);
        const std::string_view line = trim(raw);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            const size_t close = line.find(']');
            IniSection section;
            section.name = std::string(trim(line.substr(1, close == std::string_view::npos ? close : close - 1)));
            section.number = number;
            ini.sections.push_back(std::move(section));
            continue;
        }
        // Lines before the first section belong to no section anyone reads.
        if (!ini.sections.empty()) ini.sections.back().lines.push_back(key_line(line, number));
    }
    return ini;
}

bool same_name(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

const IniSection* find_section(const IniText& ini, std::string_view name)
{
    for (const IniSection& section : ini.sections)
        if (same_name(section.name, name)) return &section;
    return nullptr;
}

const IniLine* find_key(const IniSection* section, std::string_view key)
{
    if (section == nullptr) return nullptr;
    for (const IniLine& line : section->lines)
        if (same_name(line.key, key)) return &line;
    return nullptr;
}

std::string profile_string(const IniLine& line)
{
    const std::string& v = line.value;
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

int profile_int(std::string_view value)
{
    size_t i = 0;
    while (i < value.size() && std::isspace(static_cast<unsigned char>(value[i]))) ++i;
    bool negative = false;
    if (i < value.size() && (value[i] == '-' || value[i] == '+')) negative = value[i++] == '-';
    uint32_t n = 0;
    for (; i < value.size() && std::isdigit(static_cast<unsigned char>(value[i])); ++i)
        n = n * 10 + static_cast<uint32_t>(value[i] - '0');
    if (negative) n = 0u - n;
    return static_cast<int>(n);
}
