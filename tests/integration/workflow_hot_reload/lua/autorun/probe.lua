-- Draws the picture "split" 16 x 16 units centred on (0, 0) and (0, 30) after
-- every frame and says whenever its texture handle or size changes.
local last = ""
events.Connect("LevelLoad", "ProbeCounters", function()
  lb.print("probe: " .. components.Count("Counter") .. " counters")
end)
events.Connect("PostDraw", "ProbeDraw", function()
  local t = lb.graphics_load_texture("split")
  local shown = t.id .. " " .. t.width .. "x" .. t.height
  if shown ~= last then
    lb.print("probe: texture " .. shown)
    last = shown
  end
  lb.graphics_draw(t, 16, 16, 0, 0, 0, 1)
  lb.graphics_draw(t, 16, 16, 0, 30, 0, 1)
end)
lb.print("probe: script version 1")
