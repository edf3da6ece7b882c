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

-- lb.<name>_xy(...) for every export returning an lb_vec2: the same call,
-- answered as two numbers x, y. LuaJIT does not compile calls returning a
-- structure, so on x86-64 (where the pair comes back packed in one double) the
-- generated "<name>__xmm" declaration of the same symbol is used instead and
-- the loop around it stays compiled.
local packedPairs = ffi.arch == "x64" and ffi.os ~= "Windows"
local pair = ffi.new("union { double d; float f[2]; }")

local function xy(base)
  if packedPairs then
    local packed = C["lb_" .. base .. "__xmm"]
    return function(...)
      pair.d = packed(...)
      return pair.f[0], pair.f[1]
    end
  end
  local plain = C["lb_" .. base]
  return function(...)
    local v = plain(...)
    return v.x, v.y
  end
end

local function interpreted(f)
  local wrapper = function(...) return f(...) end
  jit.off(wrapper)
  return wrapper
end

setmetatable(lb, {
  __index = function(t, name)
    local f
    if name:sub(-3) == "_xy" then
      f = xy(name:sub(1, -4))
    else
      f = C["lb_" .. name]  -- raises for a name the engine does not export
      if reentrant[name] then f = interpreted(f) end
    end
    rawset(t, name, f)
    return f
  end,
})

return lb
