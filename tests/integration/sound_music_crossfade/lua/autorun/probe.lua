-- Music cross-fade: "Title" plays, 2 s later "Forest" takes over, 2.5 s later
-- the script quits. Game time stops while paused, so the phases are whole.
events.Connect("LevelLoad", "ProbeLoad", function() lb.print("probe: level loaded") end)
events.Connect("PauseMenuPaused", "ProbePaused", function() lb.print("probe: paused") end)
events.Connect("PauseMenuUnPaused", "ProbeUnPaused", function() lb.print("probe: unpaused") end)

local phase, t = "wait", 0
events.Connect("LogicUpdate", "ProbeTime", function(dt)
  -- The first frame's dt is the whole start-up; it is not game time here.
  if dt <= 0 or dt > 0.25 then return end
  t = t + dt
  if phase == "wait" and t > 0.5 then
    lb.sounds_play("Title")
    phase, t = "title", 0
    lb.print("probe: title")
  elseif phase == "title" and t > 2.0 then
    lb.sounds_play("Forest")
    phase, t = "forest", 0
    lb.print("probe: forest")
  elseif phase == "forest" and t > 2.5 then
    phase = "done"
    lb.print("probe: done")
    lb.engine_quit_game()
  end
end)
