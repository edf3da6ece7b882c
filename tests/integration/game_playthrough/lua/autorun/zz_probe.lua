-- Reports what the test waits on, and on F2 where the player and the camera
-- are (world pixels) and how much of the world the window shows.
local KEY_F2 = 291
events.Connect("PauseMenuPaused", "ProbePaused", function() lb.print("probe: paused") end)
events.Connect("PauseMenuUnPaused", "ProbeUnPaused", function() lb.print("probe: unpaused") end)
events.Connect("LevelLoad", "ProbeLoad", function()
  lb.print("probe: level loaded " .. tostring(levelInfo.name))
end)
events.Connect("KeyPressed", "ProbeWhere", function(key)
  if key ~= KEY_F2 then return end
  local cx, cy = lb.camera_get_pos_xy()
  for _, player in pairs(players) do
    local p = player.entity:GetPos()
    lb.print(string.format("probe: at %s player %.1f %.1f camera %.1f %.1f view %d %d", tostring(levelInfo.name),
      p.x, p.y, cx, cy, lb.graphics_get_width(), lb.graphics_get_height()))
  end
end)
events.Connect("KeyPressed", "ProbeKey", function(key)
  lb.print("probe: key " .. key .. ", paused " .. tostring(lb.engine_is_paused()) .. ", menu " .. tostring(game.menu.page))
end)
