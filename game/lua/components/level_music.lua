-- LevelMusic: names the music cue a level plays while the player is in it.
-- One per level; the game starts it when the level has loaded (game.lua).
levelMusic = levelMusic or { cue = nil }

components.Define("LevelMusic", {
  fields = { cue = "" },

  Initialize = function(self)
    if self.cue ~= "" then levelMusic.cue = self.cue end
  end,

  Remove = function(self)
    if levelMusic.cue == self.cue then levelMusic.cue = nil end
  end,
})
