-- Logs every sound the game asks for (the calls still go to the engine). The
-- shared game probe (game_common) reports the rest.

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
