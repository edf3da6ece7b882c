-- A game test for the command line. What it does is chosen by the file "mode"
-- beside the levels: "quit" counts 120 frames and quits, "error" raises an
-- error at frame 30, "lua_error" makes an export print a "Lua Error" line at
-- frame 30, "run" never quits. Every unload saves and says after how many frames.
local f = io.open("mode")
local mode = f and f:read("*l") or "quit"
if f then f:close() end

local frames, time = 0, 0
lb.engine_save_on_unload(true)
events.Connect("LevelUnload", "TestSave", function()
  lb.serialize_number("frames", frames)
  lb.print("test: unloaded after " .. frames .. " frames")
end)
events.Connect("LogicUpdate", "TestFrames", function(dt)
  frames = frames + 1
  time = time + dt
  if frames == 30 and mode == "error" then error("the game logic broke") end
  if frames == 30 and mode == "lua_error" then lb.serialize_number("late", 1) end
  if frames == 120 and mode == "quit" then
    lb.print(string.format("test: %d frames, %.6f s, dt %.9f", frames, time, dt))
    lb.engine_quit_game()
  end
end)
