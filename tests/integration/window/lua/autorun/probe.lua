-- W switches to a window, F back to full screen (twice: the second does
-- nothing), each reporting the flag the scripts read afterwards; Q quits.
events.Connect("KeyPressed", "WindowKeys", function(key)
  if key == 87 then -- W
    lb.graphics_set_fullscreen(false)
    lb.print("probe: fullscreen " .. tostring(lb.graphics_get_fullscreen()))
  elseif key == 70 then -- F
    lb.graphics_set_fullscreen(true)
    lb.graphics_set_fullscreen(true)
    lb.print("probe: fullscreen " .. tostring(lb.graphics_get_fullscreen()))
  elseif key == 81 then -- Q
    lb.engine_quit_game()
  end
end)
