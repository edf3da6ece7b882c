-- A still picture to photograph: "split" 16 x 16 units at (0, 0) and (0, 30).
events.Connect("LevelLoad", "ProbeLoad", function() lb.print("probe: level loaded") end)
events.Connect("PostDraw", "ProbeDraw", function()
  local t = lb.graphics_load_texture("split")
  lb.graphics_draw(t, 16, 16, 0, 0, 0, 1)
  lb.graphics_draw(t, 16, 16, 0, 30, 0, 1)
end)
