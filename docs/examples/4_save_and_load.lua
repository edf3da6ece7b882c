-- Save and load: count the game's starts in the save record, which the level
-- load hands over and the level unload writes.
local starts = 0

events.Connect("LevelLoad", "ExampleSaveLoad", function(record)
  starts = (tonumber(record.example_starts) or 0) + 1  -- a first start has no record
  print("save_and_load: start " .. starts)
  lb.engine_save_on_unload(true)  -- leaving the level (a door, quitting) writes the record
end)

events.Connect("LevelUnload", "ExampleSaveStore", function()
  lb.serialize_number("example_starts", starts)
end)
