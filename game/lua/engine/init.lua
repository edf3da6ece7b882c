-- Start-up script: the first Lua the engine runs. It declares the engine's
-- functions to the FFI, defines the names the engine calls (events,
-- lb_CreateEntity, lb_CreateVector and the lb_*Component functions) and
-- connects the engine's events. The game itself lives in lua/autorun/ and
-- lua/components/, which the engine runs after this file.
dofile("lua/engine/ffi_decls.lua")

events = require("lua.engine.events")
vector = require("lua.engine.vector")
entity = require("lua.engine.entity")
lb = require("lua.engine.api")
components = require("lua.engine.components")

-- Called by the engine to hand a script an entity: an entity object.
function lb_CreateEntity(index, generation)
  return entity.new(index, generation)
end

-- Called by the engine to hand a script a point: a vector.
function lb_CreateVector(x, y)
  return vector.new(x, y)
end

-- Prints its arguments, separated by tabs, as one line of the log and the console.
function print(...)
  local parts = {}
  for i = 1, select("#", ...) do parts[#parts + 1] = tostring((select(i, ...))) end
  lb.print(table.concat(parts, "\t"))
end

lb.connect_events()
