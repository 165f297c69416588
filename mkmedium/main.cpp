// mkmedium: lays out an installation medium for SETUP.EXE from a short
// description, and checks an existing medium for what the setup program's
// script loader would silently get wrong.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "mkmedium/lz_compress.h"
#include "mkmedium/medium_build.h"
#include "mkmedium/medium_check.h"
#include "mkmedium/medium_files.h"
#include "mkmedium/names.h"

namespace {

constexpr int EXIT_OK = 0;
constexpr int EXIT_PROBLEMS = 1;
constexpr int EXIT_USAGE = 2;

constexpr const char* USAGE =
    "usage: mkmedium build [--force] OUT_DIR DESCRIPTION\n"
    "       mkmedium check MEDIUM_DIR\n"
    "       mkmedium compress OUT_DIR FILE...\n"
    "\n"
    "build     lays out a medium in OUT_DIR from DESCRIPTION (an INI file; see the README)\n"
    "check     lists what the setup program's loader would get wrong on a medium\n"
    "compress  writes each FILE LZ-compressed into OUT_DIR, named as on a medium (NAME.EX_)\n";

int usage()
{
    std::fputs(USAGE, stderr);
    return EXIT_USAGE;
}

int print(const Report& report)
{
    for (const Problem& p : report.problems) std::fprintf(stderr, "%s\n", describe(p).c_str());
    return has_errors(report) ? EXIT_PROBLEMS : EXIT_OK;
}

int build(const std::vector<std::string>& args)
{
    BuildRequest request;
    std::vector<std::string> paths;
    for (const std::string& arg : args) {
        if (arg == "--force")
            request.force = true;
        else
            paths.push_back(arg);
    }
    if (paths.size() != 2) return usage();
    request.out = paths[0];
    request.description = paths[1];
    return print(build_medium(request));
}

int check(const std::vector<std::string>& args)
{
    if (args.size() != 1) return usage();
    const Report report = check_medium(args[0]);
    const int result = print(report);
    if (result == EXIT_OK) std::printf("%s: no problems\n", args[0].c_str());
    return result;
}

int compress(const std::vector<std::string>& args)
{
    if (args.size() < 2) return usage();
    const std::filesystem::path out = args[0];
    int result = EXIT_OK;
    std::vector<uint8_t> data;
    for (size_t i = 1; i < args.size(); ++i) {
        char replaced = 0;
        const std::string name = compressed_name(std::string(file_part(args[i])), replaced);
        if (!read_bytes(args[i], data) || data.size() > LZ_MAX_INPUT) {
            std::fprintf(stderr, "%s: cannot read it, or it is larger than the LZ header can say\n", args[i].c_str());
            result = EXIT_PROBLEMS;
            continue;
        }
        if (!write_bytes(out / name, lz_compress(data.data(), data.size(), static_cast<uint8_t>(replaced)))) {
            std::fprintf(stderr, "%s: cannot write it\n", (out / name).string().c_str());
            result = EXIT_PROBLEMS;
        }
    }
    return result;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) return usage();
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "build") return build(args);
    if (command == "check") return check(args);
    if (command == "compress") return compress(args);
    return usage();
}
