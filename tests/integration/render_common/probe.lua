-- Tells the picture tests when the level is there and whether the start-up
-- pause menu opened (the window has no focus before the first frame).
events.Connect("PauseMenuPaused", "RenderProbePaused", function() lb.print("probe: paused") end)
events.Connect("PauseMenuUnPaused", "RenderProbeUnPaused", function() lb.print("probe: unpaused") end)
events.Connect("LevelLoad", "RenderProbeLoad", function() lb.print("probe: level loaded") end)
