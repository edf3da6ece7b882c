-- The engine's exported functions, without the "lb_" prefix: lb.entity_get_pos(i, g).
--
-- Most are the FFI functions themselves, which compiled code calls directly.
-- The ones that can run Lua code before they return (they add or remove script
-- components, draw script fields, raise forwarded events, or call
-- events.Register) are wrapped in functions the JIT never compiles: LuaJIT must
-- not be re-entered from a C function that a compiled trace called through the
-- FFI, so these calls always come from the interpreter.
local ffi = require("ffi")
local C = ffi.C

local reentrant = {
  connect_events = true,
  entity_add_component = true,
  entity_remove_component = true,
  component_edit_double = true,
  component_edit_string = true,
  pause_menu_unpause = true,
  engine_load_level_restart = true,
  graphics_set_fullscreen = true, -- the window's callbacks may open the pause menu
}

local lb = {}

local function interpreted(f)
  local wrapper = function(...) return f(...) end
  jit.off(wrapper)
  return wrapper
end

setmetatable(lb, {
  __index = function(t, name)
    local f = C["lb_" .. name]  -- raises for a name the engine does not export
    if reentrant[name] then f = interpreted(f) end
    rawset(t, name, f)
    return f
  end,
})

return lb
