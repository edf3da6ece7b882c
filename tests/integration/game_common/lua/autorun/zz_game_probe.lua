-- Reports for the game tests: at each load the level, the lanterns lit and the
-- options in force; every sound the scripts ask for, with the game time; on F2
-- where the player and the camera are (world pixels). Keys carry the hero:
-- F4 beside this level's lantern (which lights it), F5 onto the door to
-- veltrane_hollow, F6 to veltrane_shore, F7 to veltrane_clearing, F8 just
-- south of the gate, facing it, F9 48 pixels west of the door to the hollow.
local KEY_F2, KEY_F4, KEY_F8, KEY_F9 = 291, 293, 297, 298
local DOORS = { [294] = "veltrane_hollow", [295] = "veltrane_shore", [296] = "veltrane_clearing" }
-- The game time is counted before the frame's logic, so a sound the logic asks
-- for carries the time of its own frame (the order of one event's listeners
-- is not fixed).
local time = 0
events.Connect("PreLogicUpdate", "ProbeTime", function(dt) time = time + dt end)
events.Connect("LevelLoad", "ProbeGame", function()
  lb.print(string.format("probe: in %s, lanterns %d, fullscreen %s, music muted %s, all muted %s",
    tostring(levelInfo.name), game.LitCount(), tostring(lb.graphics_get_fullscreen()),
    tostring(lb.sounds_music_muted()), tostring(lb.sounds_all_muted())))
end)

for _, name in ipairs({ "sounds_play", "sounds_stop" }) do
  local engine = lb[name]
  rawset(lb, name, function(cue)
    lb.print(string.format("probe: %s %s at %.2f", name, cue, time))
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

local function put(x, y)
  for _, player in pairs(players) do player.entity:SetPos(x, y) end
end
local function at(thing) return lb.entity_get_pos_xy(thing.entity.index, thing.entity.generation) end

events.Connect("KeyPressed", "ProbeGameKeys", function(key)
  if key == KEY_F2 then
    local cx, cy = lb.camera_get_pos_xy()
    for _, player in pairs(players) do
      local p = player.entity:GetPos()
      lb.print(string.format("probe: at %s player %.1f %.1f camera %.1f %.1f", tostring(levelInfo.name), p.x, p.y, cx, cy))
    end
  elseif key == KEY_F4 then
    for _, lantern in pairs(lanterns.all) do
      local x, y = at(lantern)
      put(x + 14, y + 8)
    end
  elseif DOORS[key] or key == KEY_F9 then
    -- the hero's position is 18 above his collider
    local door = doors.To(DOORS[key] or "veltrane_hollow")
    if door then
      local x, y = at(door)
      put(key == KEY_F9 and x - 48 or x, y - 18)
    end
  elseif key == KEY_F8 then
    for _, gate in pairs(gates.all) do
      local x, y = at(gate)
      put(x, y + 52)
    end
  end
end)
