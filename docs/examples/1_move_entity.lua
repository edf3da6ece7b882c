-- Move an entity: a marker walks right at 30 world units a second for one second.
local marker, walked = nil, 0

events.Connect("LevelLoad", "ExampleMoveStart", function()
  marker = entity.Create()
  marker:SetPos(100, 50)
  walked = 0
end)
-- Entities die with their level: forget them when it goes.
events.Connect("LevelUnload", "ExampleMoveStop", function() marker = nil end)

events.Connect("LogicUpdate", "ExampleMove", function(dt)
  if not marker or walked >= 1 then return end
  local p = marker:GetPos()
  marker:SetPos(p.x + 30 * dt, p.y)  -- dt is in seconds (0 while paused)
  walked = walked + dt
  if walked >= 1 then print("move_entity: now at " .. tostring(marker:GetPos())) end
end)
