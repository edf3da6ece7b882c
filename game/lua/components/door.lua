-- A door: a ghost collider that takes the player to another level. It creaks
-- open, and the level changes a moment later (game.Leave), once the music has
-- faded. A player coming the other way appears at (arrive_x, arrive_y) from
-- the door that leads back (game.lua).
doors = doors or { all = {} }

-- The door of this level leading to `level`, or nil.
function doors.To(level)
  for _, door in pairs(doors.all) do
    if door.target == level then return door end
  end
  return nil
end

components.Define("Door", {
  fields = { target = "", arrive_x = 0, arrive_y = 0 },

  Initialize = function(self)
    doors.all[self.entity:Id()] = self
  end,

  Remove = function(self)
    doors.all[self.entity:Id()] = nil
  end,
})

events.Connect("OnCollisionStarted", "DoorsTakePlayers", function(a, b)
  if a == nil or b == nil then return end
  for _, pair in ipairs({ { a, b }, { b, a } }) do
    local door = components.Get(pair[1], "Door")
    -- the door behind the gate leads nowhere while the gate is shut
    local shut = door and gates and gates.Guards(door.target) and not game.GateOpen()
    if door and IsPlayer(pair[2]) and door.target ~= "" and not shut and not (game and game.leaving) then
      local target = door.target
      lb.print("Door: to " .. target)
      lb.sounds_play("Door")
      local go = function() lb.engine_change_level(target) end
      if game then
        game.doorFrom = levelInfo and levelInfo.name or nil
        game.Leave(go)
      else
        go()
      end
      return
    end
  end
end)
