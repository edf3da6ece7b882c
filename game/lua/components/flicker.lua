-- Flicker: makes the entity's point light breathe like a flame: its strength
-- and reach wander around `diffuse` and `radius` by about `amount` (a fraction),
-- from two out-of-step waves and a little noise, so no two fires move together.
components.Define("Flicker", {
  fields = { diffuse = 1.0, radius = 120, amount = 0.15 },

  Initialize = function(self)
    local e = self.entity
    self.t = (e.generation % 97) * 0.37
    self.noise = 0
  end,

  Update = function(self, dt)
    if self.off then return end
    local e = self.entity
    self.t = self.t + dt
    self.noise = self.noise + (math.random() - 0.5) * 0.6 - self.noise * math.min(1, dt * 8)
    local wave = 0.55 * math.sin(self.t * 7.3) + 0.3 * math.sin(self.t * 12.9 + 1.7) + self.noise
    local k = 1 + self.amount * math.max(-1, math.min(1, wave))
    lb.point_light_set_diffuse_intensity(e.index, e.generation, self.diffuse * k)
    lb.point_light_set_radius(e.index, e.generation, self.radius * (1 + 0.4 * (k - 1)))
  end,
})
