-- D goes through a "door" to level_b, Q quits. Saving on unload is left on, as
-- the game has it. The marker's label is changed before leaving, so the saved
-- copy shows the level as it was left.
local level = "veltrane_splash"
events.Connect("LevelLoad", "ProbeLoad", function() lb.print("probe: level loaded " .. level) end)
events.Connect("PauseMenuPaused", "ProbePaused", function() lb.print("probe: paused") end)
events.Connect("PauseMenuUnPaused", "ProbeUnPaused", function() lb.print("probe: unpaused") end)
events.Connect("KeyPressed", "ProbeKeys", function(key)
  if key == 68 and level == "veltrane_splash" then -- D
    marker.label = "left " .. level
    level = "level_b"
    lb.engine_change_level("level_b")
  elseif key == 81 then -- Q
    lb.engine_quit_game()
  end
end)
