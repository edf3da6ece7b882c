#include "editor/recovery_copy.h"

#include <filesystem>
#include <system_error>

#include "core/crash_report.h"
#include "core/engine_state.h"
#include "core/level_changes.h"
#include "core/save_folder.h"
#include "editor/editor.h"
#include "editor/editor_actions.h"
#include "editor/level_panel.h"
#include "level/level_copies.h"

namespace editor {
namespace {

struct RecoveryCheck {
    std::string level;
    uint32_t epoch = 0;
    bool checked = false;
    bool waiting = false;
};
RecoveryCheck g_check;

}  // namespace

std::string RecoveryCopyPath(const std::string& level) { return GetSaveFolder() + "recovery/" + level + ".json"; }

void InstallCrashRescue() { SetCrashRescue(WriteRecoveryCopy); }

std::string WriteRecoveryCopy() {
    if (!GetEditor() || !LevelChanged()) return "";
    const std::string level = GetEngineState().previousLevelName;
    const std::string path = RecoveryCopyPath(level);
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    if (error || !WriteLevelFile(path)) return "Your unsaved edits could not be kept (" + path + ").";
    return "Your unsaved edits of level \"" + level + "\" were kept in \"" + path +
           "\"; the editor offers them the next time it opens that level.";
}

bool HasRecoveryCopy(const std::string& level) {
    if (g_check.checked && g_check.level == level && g_check.epoch == LevelEpoch()) return g_check.waiting;
    g_check = {level, LevelEpoch(), true, false};
    try {
        std::error_code error;
        g_check.waiting = std::filesystem::is_regular_file(RecoveryCopyPath(level), error);
    } catch (const std::exception&) {
        // No save folder: nothing can have been kept.
    }
    return g_check.waiting;
}

bool LoadRecoveryCopy(const std::string& level) {
    ReadFileAtNextLoad(RecoveryCopyPath(level));
    if (!LoadLevelFromEditor(level)) return false;
    MarkLevelChanged();  // the edits are not in levels/ yet
    DiscardRecoveryCopy(level);
    return true;
}

void DiscardRecoveryCopy(const std::string& level) {
    g_check.checked = false;
    try {
        std::error_code error;
        std::filesystem::remove(RecoveryCopyPath(level), error);
    } catch (const std::exception&) {
    }
}

}  // namespace editor
