-- Draws the two-colour picture "split" after every frame: 16 x 16 world units
-- centred on (0, 0) and again on (0, 30).
local texture
events.Connect("LevelLoad", "ProbeLoad", function() lb.print("probe: level loaded") end)
events.Connect("PostDraw", "ProbeDraw", function()
  texture = texture or lb.graphics_load_texture("split")
  lb.graphics_draw(texture, 16, 16, 0, 0, 0, 1)
  lb.graphics_draw(texture, 16, 16, 0, 30, 0, 1)
end)
