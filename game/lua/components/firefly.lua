-- Firefly: drifts about its home on its rigid body, and scatters away from the
-- player when he comes near, drifting back once he has gone.
local FLEE_DIST = 56     -- pixels
local FLEE_SPEED = 110   -- pixels per second
local DRIFT_SPEED = 22

components.Define("Firefly", {
  fields = { home_x = 0, home_y = 0 },

  Initialize = function(self)
    self.t = (self.entity.generation % 53) * 0.71
    self.fleeing = 0
  end,

  Update = function(self, dt)
    local e = self.entity
    self.t = self.t + dt
    local x, y = lb.entity_get_pos_xy(e.index, e.generation)
    local vx, vy
    for _, player in pairs(players) do
      local px, py = lb.entity_get_pos_xy(player.entity.index, player.entity.generation)
      local dx, dy = x - px, y - (py + 12)
      local d = math.sqrt(dx * dx + dy * dy)
      if d < FLEE_DIST then
        if d < 0.01 then dx, dy, d = 1, 0, 1 end
        vx, vy = dx / d * FLEE_SPEED, dy / d * FLEE_SPEED
        self.fleeing = 1.2
      end
    end
    self.fleeing = math.max(0, self.fleeing - dt)
    if not vx then
      -- wander on a slow figure around a point that circles home
      local tx = self.home_x + 26 * math.sin(self.t * 0.7) + 8 * math.sin(self.t * 2.3)
      local ty = self.home_y + 16 * math.sin(self.t * 0.9 + 1.1) + 6 * math.cos(self.t * 2.9)
      local dx, dy = tx - x, ty - y
      local speed = self.fleeing > 0 and FLEE_SPEED * 0.5 or DRIFT_SPEED
      local d = math.sqrt(dx * dx + dy * dy)
      local k = math.min(speed, d * 2) / math.max(d, 0.01)
      local old_x, old_y = lb.rigidbody_get_velocity_xy(e.index, e.generation)
      -- ease the velocity towards the wanted one, so flight curves
      local blend = math.min(1, dt * 3)
      vx = old_x + (dx * k - old_x) * blend
      vy = old_y + (dy * k - old_y) * blend
    end
    lb.rigidbody_set_velocity(e.index, e.generation, vx, vy)
  end,
})
