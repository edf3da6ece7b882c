-- W switches to the window, F back to full screen; each reports the flag the
-- scripts read afterwards.
events.Connect("LevelLoad", "ProbeLoad", function()
  lb.print("probe: level loaded, fullscreen " .. tostring(lb.graphics_get_fullscreen()))
end)
events.Connect("KeyPressed", "ProbeKeys", function(key)
  if key == 87 then -- W
    lb.graphics_set_fullscreen(false)
    lb.print("probe: windowed, fullscreen " .. tostring(lb.graphics_get_fullscreen()))
  elseif key == 70 then -- F
    lb.graphics_set_fullscreen(true)
    lb.graphics_set_fullscreen(true) -- already full screen: nothing happens
    lb.print("probe: full screen, fullscreen " .. tostring(lb.graphics_get_fullscreen()))
  end
end)
