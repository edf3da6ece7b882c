-- Each level of the game held still as it loads: the game is paused before
-- its first update, so no flame flickers, no firefly drifts and no sheet
-- animates, and chance and the menu's pulse are held, so the picture depends
-- on the drawing alone. F4 goes on to the next level.
local KEY_F4 = 293
local levels = { "veltrane_splash", "veltrane_home", "veltrane_hollow", "veltrane_shore", "veltrane_clearing" }
local current = 1
os.clock = function() return 0 end
-- Scripts may draw on chance even in a frame of no time (a flame's noise).
math.random = function() return 0.5 end
-- The game resumes a start-up pause at each load; here nothing resumes.
rawset(lb, "engine_unpause", function() end)
events.Connect("LevelLoad", "HoldStill", function()
  lb.engine_pause()
  lb.print("probe: holding " .. levels[current])
end)
events.Connect("KeyPressed", "NextLevel", function(key)
  if key ~= KEY_F4 or current == #levels then return end
  current = current + 1
  lb.engine_change_level(levels[current])
end)
