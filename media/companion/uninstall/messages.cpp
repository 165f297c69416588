#include "messages.h"

#include <windows.h>

#include "path_checks.h"
#include "setup/bounded_text.h"
#include "uninstall_state.h"

namespace {

constexpr const char* CAPTION = "Roller Kit Uninstall";

constexpr const char* QUESTION = "Remove Roller Kit from this computer?\n\nThe files that Setup installed in ";
constexpr const char* QUESTION_DETAIL =
    " and the registry entries of Roller Kit will be removed. The wheel-mouse driver stays installed.";

constexpr const char* REMOVED = "Roller Kit has been removed from this computer.";
constexpr const char* REMOVED_AT_RESTART =
    "Roller Kit has been removed. A restart of Windows finishes the removal; these were in use and are deleted "
    "then:";
constexpr const char* ALSO_AT_RESTART = "A restart of Windows deletes these, which were in use:";
constexpr const char* INCOMPLETE = "Roller Kit has not been removed completely.";
constexpr const char* NOT_REMOVED = "These could not be removed:";
constexpr const char* REGISTRY_LEFT = "These registry entries could not be removed:";
constexpr const char* FILES_LEFT = "The registry entries of Roller Kit have been removed. Its files were left in ";
constexpr const char* SCRIPT_MISSING = ": SETUP.INF there, which lists them, is missing or cannot be read.";
constexpr const char* SCRIPT_FOREIGN = ": SETUP.INF there was written for another product.";
constexpr const char* REFUSED = " of SETUP.INF were ignored, since they lead outside the folder of Roller Kit.";
constexpr const char* LEFTOVERS = "These were not installed by Setup and stay in ";
constexpr const char* DRIVER_STAYS =
    "The wheel-mouse driver stays installed, with its files in the Windows folders: removing it could leave "
    "Windows without a mouse pointer.";
constexpr const char* ALREADY_RUNNING = "Roller Kit Uninstall is already running.";

// Room for the longest message: four lists of LISTED_NAMES names (a path
// each) and their counts, and paragraphs that name the folder.
constexpr int LIST_CHARS = LISTED_NAMES * (MAX_PATH + 8) + 32;
constexpr int PARAGRAPH_CHARS = MAX_PATH + 256;
constexpr int MESSAGE_CHARS = 4 * LIST_CHARS + 8 * PARAGRAPH_CHARS;
using MessageText = char[MESSAGE_CHARS];

// Kept free behind each name of a list, for its count and the paragraph on
// the driver, which ends every message: a list that would take it is cut.
constexpr int LIST_TAIL_CHARS = 32 + PARAGRAPH_CHARS;

// The names of one list as the message shows them: stored of them are at
// hand, of total in all.
struct NameList {
    const char (*names)[MAX_PATH];
    int stored;
    int total;
    bool below_folder;  // paths, shown relative to the folder when below it
};

NameList list_of(const PathList& list)
{
    return {list.paths, list.count, list.count, true};
}

// A path below the folder by its name there, anything else in full.
void display_name(char (&out)[MAX_PATH], const char* path)
{
    copy_text(out, path);
    char full[MAX_PATH];
    if (!is_below(path, uninstall.folder) || !full_path(full, path)) return;
    const int length = lstrlenA(uninstall.folder);
    const int skip = uninstall.folder[length - 1] == '\\' ? length : length + 1;
    copy_text(out, full + skip);
}

void append_list(MessageText& text, const NameList& list)
{
    int shown = 0;
    for (; shown < list.stored && shown < LISTED_NAMES; ++shown) {
        char name[MAX_PATH];
        if (list.below_folder)
            display_name(name, list.names[shown]);
        else
            copy_text(name, list.names[shown]);
        if (lstrlenA(text) + 5 + lstrlenA(name) + LIST_TAIL_CHARS >= MESSAGE_CHARS) break;
        append_text(text, "\n    ");
        append_text(text, name);
    }
    if (list.total > shown) {
        char more[32];
        wsprintfA(more, "\n    and %d more", list.total - shown);
        append_text(text, more);
    }
}

void append_paragraph(MessageText& text, const char* paragraph)
{
    if (text[0] != '\0') append_text(text, "\n\n");
    append_text(text, paragraph);
}

bool is_incomplete()
{
    return uninstall.failed.count > 0 || uninstall.failed_key_count > 0 || uninstall.refused_entries > 0;
}

bool something_remains()
{
    return uninstall.script != ScriptStatus::usable || uninstall.pending.count > 0 || is_incomplete();
}

// The first paragraph; true when it says that the removal is incomplete.
bool write_headline(MessageText& text)
{
    if (uninstall.script != ScriptStatus::usable) {
        copy_text(text, FILES_LEFT);
        append_text(text, uninstall.folder);
        append_text(text, uninstall.script == ScriptStatus::foreign ? SCRIPT_FOREIGN : SCRIPT_MISSING);
        return false;
    }
    if (is_incomplete()) {
        copy_text(text, INCOMPLETE);
        return true;
    }
    if (uninstall.pending.count > 0) {
        copy_text(text, REMOVED_AT_RESTART);
        append_list(text, list_of(uninstall.pending));
        return false;
    }
    copy_text(text, REMOVED);
    return false;
}

void append_refused_entries(MessageText& text)
{
    const int count = uninstall.refused_entries;
    char paragraph[PARAGRAPH_CHARS];
    wsprintfA(paragraph, "%d", count);
    append_text(paragraph, count == 1 ? " entry" : " entries");
    append_text(paragraph, REFUSED);
    append_paragraph(text, paragraph);
}

void compose_outcome(MessageText& text)
{
    const bool incomplete = write_headline(text);
    if (incomplete && uninstall.pending.count > 0) {
        append_paragraph(text, ALSO_AT_RESTART);
        append_list(text, list_of(uninstall.pending));
    }
    if (uninstall.failed.count > 0) {
        append_paragraph(text, NOT_REMOVED);
        append_list(text, list_of(uninstall.failed));
    }
    if (uninstall.failed_key_count > 0) {
        append_paragraph(text, REGISTRY_LEFT);
        append_list(text, {uninstall.failed_keys, uninstall.failed_key_count, uninstall.failed_key_count, false});
    }
    if (uninstall.refused_entries > 0) append_refused_entries(text);
    const NameSample& leftovers = uninstall.leftovers;
    if (leftovers.total > 0) {
        append_paragraph(text, LEFTOVERS);
        append_text(text, uninstall.folder);
        append_text(text, ":");
        const int stored = leftovers.total < LISTED_NAMES ? leftovers.total : LISTED_NAMES;
        append_list(text, {leftovers.names, stored, leftovers.total, false});
    }
    append_paragraph(text, DRIVER_STAYS);
}

MessageText outcome = {};

}  // namespace

bool ask_to_remove()
{
    char text[PARAGRAPH_CHARS];
    copy_text(text, QUESTION);
    append_text(text, uninstall.folder);
    append_text(text, QUESTION_DETAIL);
    return MessageBoxA(nullptr, text, CAPTION, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

int report_outcome()
{
    const bool remains = something_remains();
    compose_outcome(outcome);
    MessageBoxA(nullptr, outcome, CAPTION, MB_OK | (remains ? MB_ICONEXCLAMATION : MB_ICONINFORMATION));
    return remains ? EXIT_REMAINS : EXIT_REMOVED;
}

void report_already_running()
{
    MessageBoxA(nullptr, ALREADY_RUNNING, CAPTION, MB_OK | MB_ICONEXCLAMATION);
}
