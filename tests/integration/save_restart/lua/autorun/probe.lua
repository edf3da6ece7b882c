-- R restarts the first level (as a "restart" button of a pause menu would),
-- Q quits.
events.Connect("LevelLoad", "ProbeLoad", function() lb.print("probe: level loaded") end)
events.Connect("PauseMenuPaused", "ProbePaused", function() lb.print("probe: paused") end)
events.Connect("PauseMenuUnPaused", "ProbeUnPaused", function() lb.print("probe: unpaused") end)
events.Connect("KeyPressed", "ProbeKeys", function(key)
  if key == 82 then -- R
    lb.print("probe: restart")
    lb.engine_load_level_restart("veltrane_splash")
  elseif key == 81 then -- Q
    lb.engine_quit_game()
  end
end)
