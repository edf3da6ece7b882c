-- A door: a ghost collider that takes the player to another level.
components.Define("Door", {
  fields = { target = "" },
})

events.Connect("OnCollisionStarted", "DoorsTakePlayers", function(a, b)
  if a == nil or b == nil then return end
  for _, pair in ipairs({ { a, b }, { b, a } }) do
    local door = components.Get(pair[1], "Door")
    if door and IsPlayer(pair[2]) and door.target ~= "" then
      lb.print("Door: to " .. door.target)
      lb.engine_change_level(door.target)
      return
    end
  end
end)
