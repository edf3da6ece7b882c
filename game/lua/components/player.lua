-- The player's character: moved with WASD, the arrow keys or the left stick,
-- pushed by the physics like any body, followed by the camera. He carries a
-- lantern (the point light on his entity).
local KEY_RIGHT, KEY_LEFT, KEY_DOWN, KEY_UP = 262, 263, 264, 265
local KEY_A, KEY_D, KEY_S, KEY_W = 65, 68, 83, 87

-- Footsteps: one of three grass steps in turn, one every STEP_TIME seconds
-- while walking; the first comes as the player sets off.
local STEP_TIME = 0.36
local STEPS = { "Footstep1", "Footstep2", "Footstep3" }

local function held(a, b)
  return lb.intput_get_key(a) == 1 or lb.intput_get_key(b) == 1
end

-- The hero's strips, one 4-frame animation each; the one shown follows the
-- direction of travel, and standing still shows the idle strip.
local function StripFor(dx, dy)
  if dx == 0 and dy == 0 then return "hero_idle" end
  if math.abs(dx) > math.abs(dy) then
    return dx > 0 and "hero_walk_right" or "hero_walk_left"
  end
  return dy > 0 and "hero_walk_down" or "hero_walk_up"
end

local function Step(self, dt, walking)
  if not walking then
    self.stepTimer = 0
    return
  end
  self.stepTimer = (self.stepTimer or 0) - dt
  if self.stepTimer <= 0 then
    self.stepTimer = STEP_TIME
    self.step = (self.step or 0) % #STEPS + 1
    lb.sounds_play(STEPS[self.step])
  end
end

-- The camera follows the player, easing towards him (CAMERA_EASE per second)
-- and stopping where the view would pass the level's edge (LevelInfo). It is
-- set on whole pixels so the picture and the interface do not shimmer.
local CAMERA_EASE = 5

local function Follow(self, e, dt)
  local x, y = lb.entity_get_pos_xy(e.index, e.generation)
  local tx, ty = x, y + 12
  local info = levelInfo or { half_width = 249, half_height = 140 }
  local w, h = lb.graphics_get_width(), lb.graphics_get_height()
  if w <= 0 or h <= 0 then w, h = 498, 280 end
  local mx, my = math.max(0, info.half_width - w / 2), math.max(0, info.half_height - h / 2)
  tx, ty = math.max(-mx, math.min(mx, tx)), math.max(-my, math.min(my, ty))
  if self.snap or not self.camX then
    self.snap = false
    self.camX, self.camY = tx, ty
  else
    local k = 1 - math.exp(-CAMERA_EASE * dt)
    self.camX = self.camX + (tx - self.camX) * k
    self.camY = self.camY + (ty - self.camY) * k
  end
  lb.camera_set_pos(math.floor(self.camX + 0.5), math.floor(self.camY + 0.5))
end

players = players or {}

components.Define("Player", {
  fields = { speed = 70 },

  Initialize = function(self)
    players[self.entity:Id()] = self
  end,

  Remove = function(self)
    players[self.entity:Id()] = nil
  end,

  Update = function(self, dt)
    local e = self.entity
    local dx, dy = 0, 0
    if held(KEY_RIGHT, KEY_D) then dx = dx + 1 end
    if held(KEY_LEFT, KEY_A) then dx = dx - 1 end
    if held(KEY_DOWN, KEY_S) then dy = dy + 1 end  -- +y is down the screen
    if held(KEY_UP, KEY_W) then dy = dy - 1 end
    local sx, sy = lb.intput_get_stick_xy(0)
    dx, dy = dx + sx, dy + sy
    local len = math.sqrt(dx * dx + dy * dy)
    if len > 1 then dx, dy = dx / len, dy / len end
    if lb.engine_is_paused() or (game and game.leaving) then dx, dy = 0, 0 end
    lb.rigidbody_set_velocity(e.index, e.generation, dx * self.speed, dy * self.speed)
    Step(self, dt, dx ~= 0 or dy ~= 0)
    local strip = StripFor(dx, dy)
    if strip ~= self.strip then
      self.strip = strip
      lb.sprite_set_texture(e.index, e.generation, strip)
      lb.sprite_set_frame_time(e.index, e.generation, strip == "hero_idle" and 0.25 or 0.12)
    end
    -- nearer the viewer the lower he stands, like the props (their z is
    -- 0.3 + the y of their foot / 1000)
    local _, y = lb.entity_get_pos_xy(e.index, e.generation)
    lb.entity_set_z(e.index, e.generation, 0.3 + (y + 24) / 1000)
    Follow(self, e, dt)
  end,
})

function IsPlayer(e)
  return e ~= nil and players[e:Id()] ~= nil
end
