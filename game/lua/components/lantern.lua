-- Lantern: one of the valley's three lanterns. It stands cold until the player
-- walks up to it; then it lights (for good: game.lit keeps it across levels and
-- in the save record, and the field `lit` in the level's saved copy), its light
-- flickering like the flame it now holds.
local REACH = 24        -- pixels between the player's feet and the lantern's foot
local LIGHT = 1.1       -- diffuse intensity when lit

lanterns = lanterns or { all = {} }

local function show(self)
  local e = self.entity
  local lit = self.lit ~= 0
  lb.sprite_set_texture(e.index, e.generation, lit and "lantern" or "lantern_cold")
  lb.point_light_set_color(e.index, e.generation, 0.62, 0.8, 1.0)
  lb.point_light_set_diffuse_intensity(e.index, e.generation, lit and LIGHT or 0)
end

-- Shows each lantern as game.lit says (after a level load or a continue).
function lanterns.Refresh()
  for _, self in pairs(lanterns.all) do
    if game.lit[self.id] then self.lit = 1 end
    if self.lit ~= 0 and self.id ~= "" then game.lit[self.id] = true end
    show(self)
  end
end

components.Define("Lantern", {
  fields = { id = "", lit = 0 },

  Initialize = function(self)
    lanterns.all[self.entity:Id()] = self
    self.t = 0
    if game and game.lit[self.id] then self.lit = 1 end
    show(self)
  end,

  Remove = function(self)
    lanterns.all[self.entity:Id()] = nil
  end,

  Update = function(self, dt)
    local e = self.entity
    if self.lit ~= 0 then
      self.t = self.t + dt
      local k = 1 + 0.12 * math.sin(self.t * 9.1) + 0.06 * math.sin(self.t * 23.7)
      lb.point_light_set_diffuse_intensity(e.index, e.generation, LIGHT * k)
      return
    end
    local lx, ly = lb.entity_get_pos_xy(e.index, e.generation)
    for _, player in pairs(players) do
      local px, py = lb.entity_get_pos_xy(player.entity.index, player.entity.generation)
      -- feet: the lantern's foot is 32 below its top, the hero's 24 below his
      local dx, dy = px - lx, (py + 24) - (ly + 32)
      if dx * dx + dy * dy < REACH * REACH then
        self.lit = 1
        show(self)
        game.LightLantern(self.id)
      end
    end
  end,
})
