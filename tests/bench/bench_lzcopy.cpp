// The install page's copy without the page: for every line "source<TAB>target"
// of a list file, the same LZOpenFile, LZCopy and LZClose calls, timed as a
// whole and split by the kind of source: "LZCOPY_US <all> <plain sources>
// <compressed sources (NAME.EX_)> <files> <bytes written>", times in microseconds.
//
// bench_lzcopy <list file>
#include <windows.h>

#include <lzexpand.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

std::vector<std::pair<std::string, std::string>> read_list(const char* list_path)
{
    std::vector<std::pair<std::string, std::string>> files;
    FILE* list = std::fopen(list_path, "r");
    if (list == nullptr) return files;
    char line[1024];
    while (std::fgets(line, sizeof line, list) != nullptr) {
        line[std::strcspn(line, "\r\n")] = '\0';
        const char* tab = std::strchr(line, '\t');
        if (tab == nullptr) continue;
        files.emplace_back(std::string(line, static_cast<std::size_t>(tab - line)), std::string(tab + 1));
    }
    std::fclose(list);
    return files;
}

long long copy_one(const std::string& source, const std::string& target)
{
    OFSTRUCT source_info = {};
    OFSTRUCT target_info = {};
    const int from = LZOpenFileA(const_cast<char*>(source.c_str()), &source_info, OF_READ);
    if (from < 0) return -1;
    const int to = LZOpenFileA(const_cast<char*>(target.c_str()), &target_info, OF_CREATE);
    long long written = -1;
    if (to >= 0) written = LZCopy(from, to);
    LZClose(from);
    if (to >= 0) LZClose(to);
    return written;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_lzcopy <list file>\n");
        return 2;
    }
    const auto files = read_list(argv[1]);
    if (files.empty()) {
        std::fprintf(stderr, "no files listed in %s\n", argv[1]);
        return 2;
    }
    LARGE_INTEGER frequency, start, end, before, after;
    QueryPerformanceFrequency(&frequency);
    long long ticks[2] = {0, 0};  // plain, compressed
    long long bytes = 0;
    QueryPerformanceCounter(&start);
    for (const auto& [source, target] : files) {
        QueryPerformanceCounter(&before);
        const long long written = copy_one(source, target);
        QueryPerformanceCounter(&after);
        if (written < 0) {
            std::fprintf(stderr, "cannot copy %s to %s\n", source.c_str(), target.c_str());
            return 1;
        }
        ticks[source.back() == '_' ? 1 : 0] += after.QuadPart - before.QuadPart;
        bytes += written;
    }
    QueryPerformanceCounter(&end);
    const auto us = [&](long long t) { return t * 1000000 / frequency.QuadPart; };
    std::printf("LZCOPY_US %lld %lld %lld %u %lld\n", us(end.QuadPart - start.QuadPart), us(ticks[0]), us(ticks[1]),
                static_cast<unsigned>(files.size()), bytes);
    return 0;
}
