-- Shortcuts for the test, so it can reach every part of the world quickly:
--   F4  puts the hero beside this level's valley lantern (which lights it)
--   F5  onto the door to veltrane_hollow, F6 to veltrane_shore, F7 to veltrane_clearing
--   F8  just south of the gate, facing it
--   F2  reports the level and whether the gate stands open
local KEY_F2, KEY_F4, KEY_F5, KEY_F6, KEY_F7, KEY_F8 = 291, 293, 294, 295, 296, 297
local DOORS = { [KEY_F5] = "veltrane_hollow", [KEY_F6] = "veltrane_shore", [KEY_F7] = "veltrane_clearing" }

events.Connect("PauseMenuPaused", "ProbePaused", function() lb.print("probe: paused") end)
events.Connect("PauseMenuUnPaused", "ProbeUnPaused", function() lb.print("probe: unpaused") end)
events.Connect("LevelLoad", "ProbeLoad", function()
  lb.print("probe: level loaded " .. tostring(levelInfo.name) .. ", lanterns " .. game.LitCount())
end)

local function put(x, y)
  for _, player in pairs(players) do player.entity:SetPos(x, y) end
end

events.Connect("KeyPressed", "ProbeKeys", function(key)
  if key == KEY_F2 then
    local open = "none"
    for _, gate in pairs(gates.all) do open = tostring(gate.open) end
    lb.print("probe: in " .. tostring(levelInfo.name) .. ", gate open " .. open)
  elseif key == KEY_F4 then
    for _, lantern in pairs(lanterns.all) do
      local x, y = lb.entity_get_pos_xy(lantern.entity.index, lantern.entity.generation)
      put(x + 14, y + 8)
    end
  elseif DOORS[key] then
    local door = doors.To(DOORS[key])
    if door then
      local x, y = lb.entity_get_pos_xy(door.entity.index, door.entity.generation)
      put(x, y - 18)
    end
  elseif key == KEY_F8 then
    for _, gate in pairs(gates.all) do
      local x, y = lb.entity_get_pos_xy(gate.entity.index, gate.entity.generation)
      put(x, y + 52)
    end
  end
end)
