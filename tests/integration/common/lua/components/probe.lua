-- Reports where each probed entity is whenever that changes, and when it goes,
-- as "probe: <label>#<id> <x> <y>" and "probe: removed <label>#<id>".
components.Define("Probe", {
  fields = { label = "" },
  Update = function(self, dt)
    local p = self.entity:GetPos()
    local text = string.format("%s#%d %d %d", self.label, self.entity:Id(), math.floor(p.x + 0.5), math.floor(p.y + 0.5))
    if text ~= self.last then
      self.last = text
      lb.print("probe: " .. text)
    end
  end,
  Remove = function(self)
    lb.print(string.format("probe: removed %s#%d", self.label, self.entity:Id()))
  end,
})
