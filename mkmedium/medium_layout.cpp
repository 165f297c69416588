#include "mkmedium/medium_layout.h"

#include "mkmedium/script_rules.h"

namespace {

constexpr const char* EOL = "\r\n";

// A copied section's lines, key=value as written, in their order.
void copy_section(std::string& out, const Description& d, const char* name)
{
    const IniSection* section = find_section(d.ini, name);
    if (section == nullptr) return;
    out += std::string("[") + name + "]" + EOL;
    for (const IniLine& line : section->lines) out += line.key + "=" + line.value + EOL;
    out += EOL;
}

}  // namespace

int split_into_disks(const std::vector<uint64_t>& stored_sizes, const std::vector<bool>& starts_disk,
                     uint64_t disk_size, std::vector<int>& disk_of)
{
    disk_of.assign(stored_sizes.size(), 0);
    int disk = 1;
    uint64_t used = 0;
    bool disk_has_files = false;
    for (size_t i = 0; i < stored_sizes.size(); ++i) {
        const uint64_t size = stored_sizes[i];
        if (size > disk_size) return static_cast<int>(i);
        if (disk_has_files && (starts_disk[i] || used + size > disk_size)) {
            ++disk;
            used = 0;
        }
        used += size;
        disk_has_files = true;
        disk_of[i] = disk;
    }
    return -1;
}

std::string script_text(const Description& d, const std::string& description_name, const std::vector<int>& disk_of,
                        const std::vector<std::string>& labels, int minimum_space)
{
    std::string out = "; Written by mkmedium from " + description_name + "." + EOL;
    const IniSection* main = find_section(d.ini, "Main");
    out += std::string("[Main]") + EOL;
    if (main != nullptr)
        for (const IniLine& line : main->lines) out += line.key + "=" + line.value + EOL;
    if (find_key(main, "MinimumSpace") == nullptr) out += "MinimumSpace=" + std::to_string(minimum_space) + EOL;
    out += EOL;

    out += std::string("[DiskLabel]") + EOL;
    for (size_t k = 0; k < labels.size(); ++k) out += "Disk" + std::to_string(k + 1) + "=" + labels[k] + EOL;
    out += EOL;

    copy_section(out, d, "DirectoryName");

    std::vector<int> counts(labels.size(), 0);
    for (int disk : disk_of) ++counts[disk - 1];
    out += std::string("[FileCounts]") + EOL;
    for (size_t k = 0; k < counts.size(); ++k) out += "Disk" + std::to_string(k + 1) + "=" + std::to_string(counts[k]) + EOL;

    for (size_t k = 0; k < labels.size(); ++k) {
        out += EOL + std::string("[Disk") + std::to_string(k + 1) + "]" + EOL;
        int number = 0;
        for (size_t i = 0; i < d.files.size(); ++i) {
            if (disk_of[i] != static_cast<int>(k + 1)) continue;
            const DescribedFile& f = d.files[i];
            out += std::to_string(++number) + "=" + f.stored_name + ", " + f.name + ", " + f.description + ", " +
                   DIRECTORY_KEYS[f.directory].name + EOL;
        }
    }
    out += EOL;

    copy_section(out, d, "PM Info");
    copy_section(out, d, "Startup");
    const std::string blank_line = std::string(EOL) + EOL;
    while (out.size() >= blank_line.size() && out.compare(out.size() - blank_line.size(), blank_line.size(), blank_line) == 0)
        out.resize(out.size() - std::string(EOL).size());
    return out;
}
