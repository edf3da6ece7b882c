-- Ending: marks the level shown when the player reaches home (game.lua shows
-- the words and the time over it).
ending = ending or { present = false }

components.Define("Ending", {
  Initialize = function() ending.present = true end,
  Remove = function() ending.present = false end,
})
