#include "messages.h"

#include <windows.h>

#include <string>
#include <vector>

#include "path_checks.h"
#include "uninstall_state.h"

namespace {

constexpr const char* CAPTION = "Roller Kit Uninstall";
constexpr size_t LISTED_NAMES = 8;  // more would push the box off the screen

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

// A path below the folder by its name there, anything else in full.
std::string display_name(const std::string& path)
{
    if (!is_below(path.c_str(), uninstall.folder)) return path;
    char full[MAX_PATH];
    if (!full_path(full, path.c_str())) return path;
    const size_t length = static_cast<size_t>(lstrlenA(uninstall.folder));
    const size_t skip = uninstall.folder[length - 1] == '\\' ? length : length + 1;
    return std::string(full).substr(skip);
}

void append_list(std::string& text, const std::vector<std::string>& names, bool below_folder)
{
    for (size_t i = 0; i < names.size() && i < LISTED_NAMES; ++i)
        text += "\n    " + (below_folder ? display_name(names[i]) : names[i]);
    if (names.size() > LISTED_NAMES) text += "\n    and " + std::to_string(names.size() - LISTED_NAMES) + " more";
}

void append_paragraph(std::string& text, const std::string& paragraph)
{
    if (!text.empty()) text += "\n\n";
    text += paragraph;
}

bool something_remains()
{
    return uninstall.script != ScriptStatus::usable || !uninstall.pending.empty() || !uninstall.failed.empty() ||
           !uninstall.failed_keys.empty() || uninstall.refused_entries > 0;
}

std::string headline()
{
    if (uninstall.script == ScriptStatus::missing) return std::string(FILES_LEFT) + uninstall.folder + SCRIPT_MISSING;
    if (uninstall.script == ScriptStatus::foreign) return std::string(FILES_LEFT) + uninstall.folder + SCRIPT_FOREIGN;
    if (!uninstall.failed.empty() || !uninstall.failed_keys.empty() || uninstall.refused_entries > 0) return INCOMPLETE;
    if (!uninstall.pending.empty()) {
        std::string text = REMOVED_AT_RESTART;
        append_list(text, uninstall.pending, true);
        return text;
    }
    return REMOVED;
}

std::string compose_outcome()
{
    std::string text = headline();
    const bool incomplete = text == INCOMPLETE;
    if (incomplete && !uninstall.pending.empty()) {
        std::string pending = ALSO_AT_RESTART;
        append_list(pending, uninstall.pending, true);
        append_paragraph(text, pending);
    }
    if (!uninstall.failed.empty()) {
        std::string failed = NOT_REMOVED;
        append_list(failed, uninstall.failed, true);
        append_paragraph(text, failed);
    }
    if (!uninstall.failed_keys.empty()) {
        std::string keys = REGISTRY_LEFT;
        append_list(keys, uninstall.failed_keys, false);
        append_paragraph(text, keys);
    }
    if (uninstall.refused_entries > 0) {
        const int count = uninstall.refused_entries;
        append_paragraph(text, std::to_string(count) + (count == 1 ? " entry" : " entries") + REFUSED);
    }
    if (!uninstall.leftovers.empty()) {
        std::string leftovers = std::string(LEFTOVERS) + uninstall.folder + ":";
        append_list(leftovers, uninstall.leftovers, false);
        append_paragraph(text, leftovers);
    }
    append_paragraph(text, DRIVER_STAYS);
    return text;
}

}  // namespace

bool ask_to_remove()
{
    const std::string text = std::string(QUESTION) + uninstall.folder + QUESTION_DETAIL;
    return MessageBoxA(nullptr, text.c_str(), CAPTION, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

int report_outcome()
{
    const bool remains = something_remains();
    const std::string text = compose_outcome();
    MessageBoxA(nullptr, text.c_str(), CAPTION, MB_OK | (remains ? MB_ICONEXCLAMATION : MB_ICONINFORMATION));
    return remains ? EXIT_REMAINS : EXIT_REMOVED;
}

void report_already_running()
{
    MessageBoxA(nullptr, ALREADY_RUNNING, CAPTION, MB_OK | MB_ICONEXCLAMATION);
}
