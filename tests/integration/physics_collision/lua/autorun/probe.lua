-- Tells the test when the level is in and when the pause menu opens and closes.
events.Connect("LevelLoad", "ProbeLoad", function() lb.print("probe: level loaded") end)
events.Connect("PauseMenuPaused", "ProbePaused", function() lb.print("probe: paused") end)
events.Connect("PauseMenuUnPaused", "ProbeUnPaused", function() lb.print("probe: unpaused") end)

-- The bodies get their speed on the first frame's logic update, so the first
-- frame (whose dt is the whole start-up time, long in a checked build) moves
-- nothing; from the next frame on they slide at `speed` units/s.
components.Define("Launch", {
  fields = { speed = 0 },
  Update = function(self, dt)
    if self.launched then return end
    self.launched = true
    local e = self.entity
    lb.rigidbody_set_velocity(e.index, e.generation, self.speed, 0)
  end,
})
