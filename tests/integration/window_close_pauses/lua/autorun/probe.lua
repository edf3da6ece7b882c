-- Reports the pause events and the engine's pause state.
events.Connect("LevelLoad", "ProbeLoad", function() lb.print("probe: level loaded") end)
events.Connect("PauseMenuPaused", "ProbePaused", function() lb.print("probe: paused " .. tostring(lb.engine_is_paused())) end)
events.Connect("PauseMenuUnPaused", "ProbeUnPaused", function() lb.print("probe: unpaused") end)
events.Connect("PauseMenuConfirmClose", "ProbeConfirm", function() lb.print("probe: confirm close") end)
events.Connect("KeyPressed", "ProbeKeys", function(key)
  if key == 81 then lb.engine_quit_game() end -- Q
end)
