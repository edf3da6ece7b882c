-- F4 shows the next scene; "probe: settled" follows one second of game time
-- after each load, when the animated sheets have stopped. The free scenes hold
-- the camera between whole pixels, so the sprites that keep their sub-pixel
-- place and the scene itself are shifted by a fraction of a pixel.
local KEY_F4 = 293
local scenes = { "sprites", "free", "free_only", "shadows", "shadow_limit", "depth_range", "free_ambient" }
local current, t, started = 1, 0, false
events.Connect("LevelLoad", "SceneLoad", function() t = 0 end)
events.Connect("KeyPressed", "SceneNext", function(key)
  if key ~= KEY_F4 or current == #scenes then return end
  current = current + 1
  lb.print("probe: scene " .. scenes[current])
  lb.engine_change_level(scenes[current])
end)
events.Connect("LogicUpdate", "SceneTime", function(dt)
  local free = scenes[current]:sub(1, 4) == "free"
  lb.camera_set_pos(free and 3.37 or 0, free and -2.61 or 0)
  -- The first frame's dt is the whole start-up: not game time here.
  if not started then started = true return end
  t = t + dt
  if t > 1 and t - dt <= 1 then lb.print("probe: settled") end
end)
