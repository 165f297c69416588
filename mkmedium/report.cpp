#include "mkmedium/report.h"

namespace {

void add(Report& report, Finding finding, bool warning, int line, std::string_view section, std::string_view key,
         std::string text)
{
    report.problems.push_back(
        {finding, warning, report.file, line, std::string(section), std::string(key), std::move(text)});
}

}  // namespace

void add_problem(Report& report, Finding finding, int line, std::string_view section, std::string_view key,
                 std::string text)
{
    add(report, finding, false, line, section, key, std::move(text));
}

void add_warning(Report& report, Finding finding, int line, std::string_view section, std::string_view key,
                 std::string text)
{
    add(report, finding, true, line, section, key, std::move(text));
}

bool has_errors(const Report& report)
{
    for (const Problem& p : report.problems)
        if (!p.warning) return true;
    return false;
}

std::string describe(const Problem& problem)
{
    std::string out = problem.file;
    if (problem.line > 0) {
        out += ':';
        out += std::to_string(problem.line);
    }
    out += ": ";
    if (problem.warning) out += "warning: ";
    if (!problem.section.empty()) {
        out += '[';
        out += problem.section;
        out += ']';
        if (!problem.key.empty()) {
            out += ' ';
            out += problem.key;
        }
        out += ": ";
    }
    return out + problem.text;
}
