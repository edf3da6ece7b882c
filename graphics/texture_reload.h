#pragma once
// A texture image changed on disk (hot reload, engine/hot_reload.h).
#include <string>

// The cached texture `name` ("tree", "hero/walk") gets the new pixels in place,
// so every user of its id (sprites, tile maps, scripts) shows the new picture.
// Then every sprite showing `name`, or whose "_nm"/"_sm" companion `name` is,
// takes its texture again: its size follows the file, and a sprite that showed
// "debug" because the file was missing now shows the file. A file that does not
// decode keeps the old picture (the reason is printed). Returns the number of
// sprites that took their texture again.
int ApplyChangedTexture(const std::string& name);
