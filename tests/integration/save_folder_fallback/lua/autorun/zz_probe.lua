-- Reports what the scripts see, for the test to wait on.
events.Connect("PauseMenuPaused", "ProbePaused", function() lb.print("probe: paused " .. tostring(lb.engine_is_paused())) end)
events.Connect("PauseMenuUnPaused", "ProbeUnPaused", function() lb.print("probe: unpaused " .. tostring(lb.engine_is_paused())) end)
events.Connect("PauseMenuConfirmClose", "ProbeConfirm", function() lb.print("probe: confirm close") end)
events.Connect("LevelLoad", "ProbeLoad", function(record)
  lb.print("probe: level loaded, title " .. tostring(game.title) .. ", save " .. tostring(lb.engine_has_save_file()))
end)
