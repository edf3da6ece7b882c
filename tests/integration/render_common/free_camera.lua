-- Holds the camera between whole pixels, so the scene and every sprite that
-- keeps its sub-pixel position are shifted by a fraction of a pixel.
events.Connect("LogicUpdate", "RenderFreeCamera", function() lb.camera_set_pos(3.37, -2.61) end)
