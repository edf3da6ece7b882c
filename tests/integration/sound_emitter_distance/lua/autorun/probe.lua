-- One emitter at (0, 0) with enclosed distance 30 and fall-off 10. The camera
-- (the listener) stands 10 units away for 1.5 s of game time, then 34 units
-- (between 30 and 40), then 100 units, then the script quits.
events.Connect("LevelLoad", "ProbeLoad", function()
  lb.camera_set_pos(10, 0)
  lb.print("probe: level loaded")
end)
events.Connect("PauseMenuPaused", "ProbePaused", function() lb.print("probe: paused") end)
events.Connect("PauseMenuUnPaused", "ProbeUnPaused", function() lb.print("probe: unpaused") end)

local phase, t = "near", 0
events.Connect("LogicUpdate", "ProbeTime", function(dt)
  -- The first frame's dt is the whole start-up; it is not game time here.
  if dt <= 0 or dt > 0.25 then return end
  t = t + dt
  if phase == "near" and t > 1.5 then
    lb.camera_set_pos(34, 0)
    phase, t = "middle", 0
    lb.print("probe: middle")
  elseif phase == "middle" and t > 1.5 then
    lb.camera_set_pos(100, 0)
    phase, t = "far", 0
    lb.print("probe: far")
  elseif phase == "far" and t > 1.5 then
    phase = "done"
    lb.print("probe: done")
    lb.engine_quit_game()
  end
end)
