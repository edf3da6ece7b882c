-- LevelInfo: the level's own name and its size, half-width and half-height in
-- pixels around the origin (the camera stops at its edges). One per level.
levelInfo = levelInfo or { name = nil, half_width = 249, half_height = 140 }

components.Define("LevelInfo", {
  fields = { name = "", half_width = 249, half_height = 140 },

  Initialize = function(self)
    levelInfo.name = self.name
    levelInfo.half_width, levelInfo.half_height = self.half_width, self.half_height
  end,

  Remove = function(self)
    if levelInfo.name == self.name then
      levelInfo.name, levelInfo.half_width, levelInfo.half_height = nil, 249, 140
    end
  end,
})
