-- Logs every sound the game asks for (the calls still go to the engine), and
-- reports what the test waits on. F9 puts the player just west of the
-- clearing's east door, so the test can walk through it without a long route.
local KEY_F9 = 298

for _, name in ipairs({ "sounds_play", "sounds_stop" }) do
  local engine = lb[name]
  rawset(lb, name, function(cue)
    lb.print("probe: " .. name .. " " .. cue)
    engine(cue)
  end)
end
for _, name in ipairs({ "sounds_play_hover", "sounds_play_select" }) do
  local engine = lb[name]
  rawset(lb, name, function()
    lb.print("probe: " .. name)
    engine()
  end)
end

events.Connect("PauseMenuPaused", "ProbePaused", function() lb.print("probe: paused") end)
events.Connect("PauseMenuUnPaused", "ProbeUnPaused", function() lb.print("probe: unpaused") end)
events.Connect("LevelLoad", "ProbeLoad", function() lb.print("probe: level loaded") end)
events.Connect("KeyPressed", "ProbeTeleport", function(key)
  if key ~= KEY_F9 then return end
  for _, player in pairs(players) do
    player.entity:SetPos(310, 16)
    lb.print("probe: by the door")
  end
end)
