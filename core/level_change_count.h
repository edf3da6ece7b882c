#pragma once
// How many times the level was marked as changed (core/level_changes.h): a
// block of editor code that moved the count made an edit, whichever widget
// or popup made it.
namespace editor {

unsigned long long LevelChangeCount();

}  // namespace editor
