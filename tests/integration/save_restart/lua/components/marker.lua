-- One per level: says which copy of the level was loaded (its label is saved
-- with the level), and lets the probe change it before the level is left.
components.Define("Marker", {
  fields = { label = "" },
  Initialize = function(self)
    marker = self
    lb.print("probe: marker " .. self.label)
  end,
})
