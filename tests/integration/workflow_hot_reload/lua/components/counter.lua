-- Counts frames in a saved field: a rebuilt script host must hand it back.
components.Define("Counter", {
  fields = { count = 0 },
  Initialize = function(self) lb.print("probe: counter starts at " .. self.count) end,
  Update = function(self, dt) self.count = self.count + 1 end,
})
