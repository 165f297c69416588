#include "mkmedium/medium_build.h"

#include <algorithm>

#include "mkmedium/description.h"
#include "mkmedium/lz_compress.h"
#include "mkmedium/medium_check.h"
#include "mkmedium/medium_files.h"
#include "mkmedium/medium_layout.h"
#include "mkmedium/names.h"
#include "mkmedium/script_rules.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* SCRIPT_NAME = "SETUP.INF";
constexpr const char* NEW_SUFFIX = ".mkmedium-new";
constexpr const char* OLD_SUFFIX = ".mkmedium-old";
constexpr uint64_t KB = 1024;

// The folder the medium is made in; removed unless kept.
class Staging {
public:
    explicit Staging(fs::path path) : path_(std::move(path))
    {
        std::error_code error;
        fs::remove_all(path_, error);
        fs::create_directories(path_, error);
        made_ = !error;
    }
    ~Staging()
    {
        std::error_code error;
        if (!kept_) fs::remove_all(path_, error);
    }
    Staging(const Staging&) = delete;
    Staging& operator=(const Staging&) = delete;
    bool made() const { return made_; }
    const fs::path& path() const { return path_; }
    void keep() { kept_ = true; }

private:
    fs::path path_;
    bool made_ = false;
    bool kept_ = false;
};

fs::path beside(const fs::path& out, const char* suffix)
{
    return out.parent_path() / (out.filename().string() + suffix);
}

// An output folder may be new, empty, or, with --force, a medium to replace.
bool check_output(const BuildRequest& request, Report& report)
{
    std::error_code error;
    if (!fs::exists(request.out, error)) return true;
    if (!fs::is_directory(request.out, error)) {
        add_problem(report, Finding::Output, 0, "", "", "is no folder");
        return false;
    }
    if (fs::is_empty(request.out, error)) return true;
    if (index_medium(request.out).count(medium_key("", SCRIPT_NAME)) == 0) {
        add_problem(report, Finding::Output, 0, "", "", "is not empty and holds no medium: mkmedium replaces only a medium");
        return false;
    }
    if (request.force) return true;
    add_problem(report, Finding::Output, 0, "", "", "already holds a medium; give --force to replace it");
    return false;
}

bool write_file(const fs::path& folder, const std::string& name, const std::vector<uint8_t>& data, Report& report)
{
    std::error_code error;
    fs::create_directories(folder, error);
    if (!error && write_bytes(folder / name, data)) return true;
    add_problem(report, Finding::Output, 0, "", "", "cannot write " + (folder / name).string());
    return false;
}

// Compresses or copies every file into the staging folder; stored_sizes and
// expanded_bytes receive what they take.
bool lay_out_files(const Description& d, const fs::path& staging, Report& description_report, Report& out_report,
                   std::vector<uint64_t>& stored_sizes, uint64_t& expanded_bytes)
{
    std::vector<uint8_t> data;
    for (const DescribedFile& f : d.files) {
        if (f.is_script) {
            // Written last, once the disks are known; like the extra files,
            // it does not count against a disk's size.
            stored_sizes.push_back(0);
            continue;
        }
        if (!read_bytes(f.path, data)) {
            add_problem(description_report, Finding::MissingFile, f.line, "Files", "", "cannot read " + f.path.string());
            return false;
        }
        if (!f.plain && data.size() > LZ_MAX_INPUT) {
            add_problem(description_report, Finding::BadDescription, f.line, "Files", "",
                        f.name + " is too large for the LZ header's 32-bit length; mark it plain");
            return false;
        }
        expanded_bytes += data.size();
        if (!f.plain) data = lz_compress(data.data(), data.size(), static_cast<uint8_t>(f.replaced));
        stored_sizes.push_back(data.size());
        if (!write_file(staging / fs::path(folder_path(f.folder)), f.stored_name, data, out_report)) return false;
    }
    for (const ExtraFile& e : d.extras) {
        if (!read_bytes(e.path, data)) {
            add_problem(description_report, Finding::MissingFile, e.line, "Extra files", "", "cannot read " + e.path.string());
            return false;
        }
        if (!write_file(staging / fs::path(folder_path(e.folder)), e.name, data, out_report)) return false;
    }
    return true;
}

bool split_disks(const Description& d, const std::vector<uint64_t>& stored_sizes, Report& report,
                 std::vector<int>& disk_of, std::vector<std::string>& labels)
{
    std::vector<bool> starts_disk;
    for (const DescribedFile& f : d.files) starts_disk.push_back(f.starts_disk);
    const int too_large = split_into_disks(stored_sizes, starts_disk, d.disk_size, disk_of);
    if (too_large >= 0) {
        const DescribedFile& f = d.files[too_large];
        add_problem(report, Finding::BadDescription, f.line, "Files", "",
                    f.stored_name + " takes " + std::to_string(stored_sizes[too_large]) +
                        " bytes, more than a disk holds (" + std::to_string(d.disk_size) + ")");
        return false;
    }
    const int disks = disk_of.empty() ? 0 : disk_of.back();
    for (size_t i = 0; i < d.files.size(); ++i) {
        if (disk_of[i] > MAX_DISKS) {
            add_problem(report, Finding::BadDescription, d.files[i].line, "Files", "",
                        "the files need more than " + std::to_string(MAX_DISKS) +
                            " disks from here on: the loader reads " + std::to_string(MAX_DISKS));
            return false;
        }
    }
    bool ok = true;
    for (int k = 1; k <= disks; ++k) {
        int line = d.label_line;
        std::string label;
        for (size_t i = 0; i < d.files.size(); ++i)
            if (disk_of[i] == k && d.files[i].starts_disk && !d.files[i].disk_label.empty()) {
                label = d.files[i].disk_label;
                line = d.files[i].disk_line;
                break;
            }
        if (label.empty()) label = disk_label(d.label_pattern, k);
        ok = check_width(report, line, line == d.label_line ? "Disks" : "Files", "", "the label of disk " + std::to_string(k),
                         label, chars_kept(DISK_LABEL_CHARS)) &&
             ok;
        labels.push_back(label);
    }
    return ok;
}

int minimum_space(const Description& d, uint64_t expanded_bytes, Report& report)
{
    const IniLine* given = find_key(find_section(d.ini, "Main"), "MinimumSpace");
    if (given != nullptr) return profile_int(profile_string(*given));
    const uint64_t needed = (expanded_bytes + KB - 1) / KB;
    if (needed <= MAX_MINIMUM_SPACE) return static_cast<int>(needed);
    add_warning(report, Finding::Default, 0, "Main", "MinimumSpace",
                "the files take " + std::to_string(needed) + " KB; the script says " +
                    std::to_string(MAX_MINIMUM_SPACE) + ", the most the loader reads");
    return MAX_MINIMUM_SPACE;
}

// The finished medium takes the output folder's place.
bool move_into_place(Staging& staging, const fs::path& out, Report& report)
{
    std::error_code error;
    const fs::path old = beside(out, OLD_SUFFIX);
    fs::remove_all(old, error);
    const bool replacing = fs::exists(out, error);
    if (replacing) fs::rename(out, old, error);
    if (!error) fs::rename(staging.path(), out, error);
    if (error) {
        add_problem(report, Finding::Output, 0, "", "", "cannot move the new medium into place: " + error.message());
        if (replacing) fs::rename(old, out, error);
        return false;
    }
    staging.keep();
    fs::remove_all(old, error);
    return true;
}

void append(Report& into, const Report& from)
{
    into.problems.insert(into.problems.end(), from.problems.begin(), from.problems.end());
}

}  // namespace

Report build_medium(const BuildRequest& given)
{
    BuildRequest request = given;
    std::error_code error;
    request.out = fs::absolute(given.out, error).lexically_normal();
    if (!request.out.has_filename()) request.out = request.out.parent_path();

    Report report;
    report.file = request.description.string();
    Report out_report;
    out_report.file = request.out.string();

    const Description d = read_description(request.description, report);
    if (has_errors(report) || !check_output(request, out_report)) {
        append(report, out_report);
        return report;
    }

    Staging staging(beside(request.out, NEW_SUFFIX));
    std::vector<uint64_t> stored_sizes;
    uint64_t expanded_bytes = 0;
    std::vector<int> disk_of;
    std::vector<std::string> labels;
    bool ok = staging.made();
    if (!ok) add_problem(out_report, Finding::Output, 0, "", "", "cannot make " + staging.path().string());
    ok = ok && lay_out_files(d, staging.path(), report, out_report, stored_sizes, expanded_bytes);
    ok = ok && split_disks(d, stored_sizes, report, disk_of, labels);
    if (ok) {
        const std::string text = script_text(d, request.description.filename().string(), disk_of, labels,
                                             minimum_space(d, expanded_bytes, report));
        ok = write_file(staging.path(), SCRIPT_NAME, std::vector<uint8_t>(text.begin(), text.end()), out_report);
    }
    if (ok) {
        // What was written must pass the same check as any medium.
        Report check = check_medium(staging.path());
        for (Problem& p : check.problems)
            if (!p.warning) {
                p.text = "the medium made fails its check: " + p.text;
                out_report.problems.push_back(p);
                ok = false;
            }
    }
    ok = ok && move_into_place(staging, request.out, out_report);
    append(report, out_report);
    return report;
}
