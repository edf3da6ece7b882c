-- Plays the "Tone" cue for 1.5 s of game time, then mutes the master bus for
-- 1.5 s, then quits. Game time stops while paused, so the phases are whole.
events.Connect("LevelLoad", "ProbeLoad", function() lb.print("probe: level loaded") end)
events.Connect("PauseMenuPaused", "ProbePaused", function() lb.print("probe: paused") end)
events.Connect("PauseMenuUnPaused", "ProbeUnPaused", function() lb.print("probe: unpaused") end)

local phase, t = "wait", 0
events.Connect("LogicUpdate", "ProbeTime", function(dt)
  -- The first frame's dt is the whole start-up; it is not game time here.
  if dt <= 0 or dt > 0.25 then return end
  t = t + dt
  if phase == "wait" and t > 0.5 then
    lb.sounds_play("Tone")
    phase, t = "playing", 0
    lb.print("probe: playing")
  elseif phase == "playing" and t > 1.5 then
    lb.sounds_mute_all(true)
    phase, t = "muted", 0
    lb.print("probe: muted " .. tostring(lb.sounds_all_muted()))
  elseif phase == "muted" and t > 1.5 then
    phase = "done"
    lb.print("probe: done")
    lb.engine_quit_game()
  end
end)
