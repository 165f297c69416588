#include "install/copy_files.h"

#include <lzexpand.h>

#include "setup/bounded_text.h"
#include "setup/setup_state.h"

namespace {

// LZOpenFileA reports its failures as negative codes.
bool lz_valid(int handle) { return handle >= 0; }

const FileEntry& entry_at(int disk, int index) { return state.disk_files[disk][index]; }

// The order is fixed: announce, open, take a message, report the share,
// create and copy, take a message.
void copy_one_file(const CopyProgress& progress, int disk, int index)
{
    char path[MAX_PATH];
    progress.file_begins(progress.context, entry_at(disk, index));
    build_source_path(path, disk, index);
    open_source(path);
    progress.take_message(progress.context);

    progress.disk_share(progress.context, disk_percent(index, state.files_per_disk[disk]));

    build_target_path(path, disk, index);
    copy_to_target(path);
    progress.take_message(progress.context);
}

}  // namespace

void copy_files(const CopyProgress& progress)
{
    for (int d = 0; d < state.disk_count && !progress.cancelled(progress.context); ++d) {
        progress.disk_begins(progress.context);
        for (int j = 0; j < state.files_per_disk[d] && !progress.cancelled(progress.context); ++j)
            copy_one_file(progress, d, j);
    }
}

void build_source_path(char (&out)[MAX_PATH], int disk, int index)
{
    const FileEntry& entry = entry_at(disk, index);
    copy_text(out, state.source_dir);
    append_text(out, "\\");
    append_text(out, entry.source_subdir);
    append_text(out, "\\");
    append_text(out, entry.source_name);
}

void build_target_path(char (&out)[MAX_PATH], int disk, int index)
{
    const FileEntry& entry = entry_at(disk, index);
    out[0] = '\0';
    if (entry.absolute == 0) {
        append_text(out, state.dest_dir);
        append_text(out, "\\");
    }
    append_text(out, entry.target_dir);
    append_text(out, "\\");
    append_text(out, entry.target_name);
}

void open_source(char* path)
{
    OFSTRUCT source_info = {};
    state.lz_source = LZOpenFileA(path, &source_info, OF_READ);
}

void copy_to_target(char* path)
{
    // Creating the target empties it: only worth it when there is something to put in.
    state.lz_target = LZERROR_BADINHANDLE;
    if (!lz_valid(state.lz_source)) return;
    OFSTRUCT target_info = {};
    state.lz_target = LZOpenFileA(path, &target_info, OF_CREATE);
    if (lz_valid(state.lz_target)) LZCopy(state.lz_source, state.lz_target);
    LZClose(state.lz_source);
    if (lz_valid(state.lz_target)) LZClose(state.lz_target);
}

short disk_percent(int j, int count)
{
    return static_cast<short>((j * 100 + 100) / count);
}
