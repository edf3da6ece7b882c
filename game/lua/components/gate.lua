-- Gate: closed (solid) until the valley's lanterns are all lit, then open, so
-- the player can walk through to the door beyond it.
gates = gates or { all = {} }

local function show(self, announce)
  local e = self.entity
  local open = game.GateOpen()
  if open == self.open then return end
  self.open = open
  lb.sprite_set_texture(e.index, e.generation, open and "gate_open" or "gate_closed")
  lb.collider_box_set_ghost(e.index, e.generation, open)
  if open and announce then lb.sounds_play("Door") end
end

-- Whether a gate of this level stands before the door to `level`.
function gates.Guards(level)
  for _, self in pairs(gates.all) do
    if self.target == level then return true end
  end
  return false
end

function gates.Refresh()
  for _, self in pairs(gates.all) do show(self, not game.title) end
end

components.Define("Gate", {
  fields = { target = "" },

  Initialize = function(self)
    gates.all[self.entity:Id()] = self
    self.open = false
    if game then show(self, false) end
  end,

  Remove = function(self)
    gates.all[self.entity:Id()] = nil
  end,
})
