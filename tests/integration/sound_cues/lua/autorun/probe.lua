-- A timetable in game time (which stops while paused, so the phases are
-- whole). The listener, at the camera, hears the emitter at (0, 0) (enclosed
-- distance 30, fall-off 10) from 10, 34 and 100 units, 1.5 s each; meanwhile
-- "Title" plays from 0.5 s and "Forest" takes over at 2.5 s; the effect "Tone"
-- plays at 4.5 s, every sound is muted at 6 s, and the script quits at 7.5 s.
local steps = {
  { 0, function() lb.camera_set_pos(10, 0) end },
  { 0.5, function() lb.sounds_play("Title") end },
  { 1.5, function() lb.camera_set_pos(34, 0) end },
  { 2.5, function() lb.sounds_play("Forest") end },
  { 3, function() lb.camera_set_pos(100, 0) end },
  { 4.5, function() lb.sounds_play("Tone") end },
  { 6, function()
    lb.sounds_mute_all(true)
    lb.print("probe: muted " .. tostring(lb.sounds_all_muted()))
  end },
  { 7.5, lb.engine_quit_game },
}
local t, next, started = 0, 1, false
events.Connect("LogicUpdate", "ProbeTime", function(dt)
  -- The first frame's dt is the whole start-up: not game time here.
  if not started then started = true return end
  t = t + dt
  while steps[next] and t >= steps[next][1] do
    steps[next][2]()
    next = next + 1
  end
end)
