-- At frame 10 a "door" takes the game to level_b, at frame 15 the save files
-- are looked at, at frame 20 it quits; the
-- run is headless, so the frames stand in for the player. Saving on unload is
-- left on, as the game has it. The marker's label is changed before leaving,
-- so the saved copy shows the level as it was left.
local level = "veltrane_splash"
local frames = 0
events.Connect("LevelLoad", "ProbeLoad", function() lb.print("probe: level loaded " .. level) end)
events.Connect("LogicUpdate", "ProbeFrames", function()
  frames = frames + 1
  if frames == 10 and level == "veltrane_splash" then
    local record = io.open(os.getenv("HOME") .. "/Documents/Quillmere/save_file.json")
    lb.print("probe: record before leaving " .. tostring(record ~= nil))
    if record then record:close() end
    marker.label = "left " .. level
    level = "level_b"
    lb.engine_change_level("level_b")
  elseif frames == 15 then
    -- In level_b: the record names the level left, and level_b has no copy yet.
    local folder = os.getenv("HOME") .. "/Documents/Quillmere/"
    local record = io.open(folder .. "save_file.json")
    local text = record and record:read("*a") or ""
    if record then record:close() end
    local copy = io.open(folder .. "level_b.json")
    if copy then copy:close() end
    lb.print("probe: after the change, record names " .. (text:match('"last_level"%s*:%s*"([^"]*)"') or "nothing") ..
      ", level_b copy " .. tostring(copy ~= nil))
  elseif frames == 20 then
    lb.engine_quit_game()
  end
end)
