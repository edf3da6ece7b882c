#pragma once
// Where the game's content folder is. A player who installed the game runs it
// from anywhere, so when the working directory holds no content the executable
// looks for the copy installed beside it (<prefix>/share/quillmere for
// <prefix>/bin/quillmere; the build may rename both). That copy is read-only, so the editor, which writes
// levels and the cue table into the content folder, works on a copy of it in
// the save folder instead.
#include <string>

// Whether `folder` holds a game: its start-up script and a levels/ folder.
bool HoldsContent(const std::string& folder);

// The content installed for the executable at `executable`
// (<dir of executable>/../share/quillmere), or "" when that holds no content.
std::string InstalledContentFolder(const std::string& executable);

// Chooses the content folder at start and makes it the working directory:
// `requested` (--content) when given, else the working directory when it holds
// content, else the installed content. Returns false with `error` set when
// `requested` cannot be entered; no content at all is left for the start-up
// script's own error.
bool EnterContentFolder(const std::string& requested, std::string& error);

// Called as the editor opens. When the game runs on installed content, copies it
// (once; a copy made in an earlier session is kept with its edits) to
// <save folder>/content/ and makes that the working directory, so the editor's
// writes land there; `quillmere --content` plays it later. Returns false, with
// the reason printed, when the copy cannot be made: the editor then stays shut
// rather than lose its edits.
bool SwitchToEditableContent();
