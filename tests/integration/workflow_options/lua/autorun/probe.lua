-- Saves on every unload (the record names the level left) and says which frame it is.
local frames = 0
lb.engine_save_on_unload(true)
events.Connect("LevelLoad", "ProbeLoad", function() lb.print("probe: level loaded") end)
events.Connect("LogicUpdate", "ProbeFrames", function() frames = frames + 1 end)
events.Connect("LevelUnload", "ProbeUnload", function() lb.print("probe: unloaded after " .. frames .. " frames") end)
lb.print("probe: scripts ran")
