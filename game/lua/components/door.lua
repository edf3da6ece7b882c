-- A door: a ghost collider that takes the player to another level. It creaks
-- open, and the level changes a moment later (game.Leave), once the music has
-- faded.
components.Define("Door", {
  fields = { target = "" },
})

events.Connect("OnCollisionStarted", "DoorsTakePlayers", function(a, b)
  if a == nil or b == nil then return end
  for _, pair in ipairs({ { a, b }, { b, a } }) do
    local door = components.Get(pair[1], "Door")
    if door and IsPlayer(pair[2]) and door.target ~= "" and not (game and game.leaving) then
      local target = door.target
      lb.print("Door: to " .. target)
      lb.sounds_play("Door")
      local go = function() lb.engine_change_level(target) end
      if game then game.Leave(go) else go() end
      return
    end
  end
end)
