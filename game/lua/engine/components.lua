-- Script components. A script under lua/components/ defines a type:
--
--   components.Define("Spinner", {
--     fields = { speed = 2.0, label = "spin" },  -- saved, loaded, copied and edited
--     Initialize = function(self) ... end,       -- self.entity is the owner
--     Update = function(self, dt) ... end,       -- every "LogicUpdate"
--     Remove = function(self) ... end,
--   })
--
-- Each component on an entity is an instance table holding the fields. The
-- engine drives the life cycle through the global lb_*Component functions
-- below; their names and arguments are the engine's.
local lb = require("lua.engine.api")
local events = require("lua.engine.events")

local components = {}
local types = {}      -- name -> definition
local instances = {}  -- name -> { [generation] = instance }
local updating = {}   -- instances with an Update, in order of initialisation
local updateSlot = {} -- instance -> index in updating

-- Defines and registers the script component type name: def.fields (saved, with their defaults), and
-- optionally def.Add, Initialize, Update(dt), Remove, Copy, Serialize, Deserialize and EditInfoSet.
function components.Define(name, def)
  def.fields = def.fields or {}
  def.__name = name
  types[name] = def
  instances[name] = instances[name] or {}
  lb.register_component(name)
  return def
end

-- The instance of component type name on the entity, or nil.
function components.Get(entity, name)
  local list = instances[name]
  return list and list[entity.generation]
end

-- How many components of type name exist.
function components.Count(name)
  local n = 0
  for _ in pairs(instances[name] or {}) do n = n + 1 end
  return n
end

local function startUpdates(inst)
  if updateSlot[inst] then return end
  updating[#updating + 1] = inst
  updateSlot[inst] = #updating
end

local function stopUpdates(inst)
  local slot = updateSlot[inst]
  if not slot then return end
  local last = updating[#updating]
  updating[slot] = last
  updateSlot[last] = slot
  updating[#updating] = nil
  updateSlot[inst] = nil
end

-- Set by the engine while its frame profiler runs: each type's Update time this
-- frame, in seconds, by type name. Nil otherwise, and then nothing is timed.
components.timings = nil

local ffi = require("ffi")
pcall(ffi.cdef, "typedef struct qm_timespec { long sec; long nsec; } qm_timespec;"
  .. "int clock_gettime(int clock, qm_timespec* now);")
local now = ffi.new("qm_timespec")
local function seconds()
  ffi.C.clock_gettime(1, now)  -- CLOCK_MONOTONIC
  return tonumber(now.sec) + tonumber(now.nsec) * 1e-9
end

local function timedUpdates(list, dt, timings)
  for i = 1, #list do
    local inst = list[i]
    local def = inst.__type
    local start = seconds()
    def.Update(inst, dt)
    timings[def.__name] = (timings[def.__name] or 0) + seconds() - start
  end
end

-- One engine listener drives every component's Update.
function components.Update(dt)
  local list = updating
  if components.timings then return timedUpdates(list, dt, components.timings) end
  for i = 1, #list do
    local inst = list[i]
    inst.__type.Update(inst, dt)
  end
end
events.Connect("LogicUpdate", "ScriptComponentsUpdate", components.Update)

-- Called by the engine: makes the instance, fields at their defaults, and runs def.Add.
function lb_AddComponent(entity, name, _)
  local def = types[name]
  if not def then error("script component type " .. tostring(name) .. " is not defined") end
  local inst = { entity = entity, __type = def }
  for k, v in pairs(def.fields) do inst[k] = v end
  instances[name][entity.generation] = inst
  if def.Add then def.Add(inst) end
end

-- Called by the engine once the entity is loaded: starts Update and runs def.Initialize.
function lb_InitializeComponent(entity, name)
  local inst = components.Get(entity, name)
  if not inst then return end
  if inst.__type.Update then startUpdates(inst) end
  if inst.__type.Initialize then inst.__type.Initialize(inst) end
end

-- Called by the engine: stops Update, forgets the instance and runs def.Remove.
function lb_RemoveComponent(entity, name)
  local inst = components.Get(entity, name)
  if not inst then return end
  stopUpdates(inst)
  instances[name][entity.generation] = nil
  if inst.__type.Remove then inst.__type.Remove(inst) end
end

-- Called by the engine when an entity is duplicated: copies the fields, then def.Copy.
function lb_CopyComponent(entity, name, source, sourceName)
  local inst, from = components.Get(entity, name), components.Get(source, sourceName)
  if not inst or not from then return end
  for k in pairs(inst.__type.fields) do inst[k] = from[k] end
  if inst.__type.Copy then inst.__type.Copy(inst, from) end
end

-- Called by the engine when saving: writes the number and string fields, then def.Serialize.
function lb_SerializeComponent(entity, name)
  local inst = components.Get(entity, name)
  if not inst then return end
  for k in pairs(inst.__type.fields) do
    local v = inst[k]
    if type(v) == "number" then lb.serialize_number(k, v)
    elseif type(v) == "string" then lb.serialize_string(k, v) end
  end
  if inst.__type.Serialize then inst.__type.Serialize(inst) end
end

-- Called by the engine when loading: reads each field of the same type from data, then def.Deserialize.
function lb_DeserializeComponent(entity, name, data)
  local inst = components.Get(entity, name)
  if not inst then return end
  for k, default in pairs(inst.__type.fields) do
    local v = data[k]
    if v ~= nil and type(v) == type(default) then inst[k] = v end
  end
  if inst.__type.Deserialize then inst.__type.Deserialize(inst, data) end
end

-- Called by the inspector: one edit field per number or string field, by name.
function lb_ComponentEditInfoDisplay(entity, name)
  local inst = components.Get(entity, name)
  if not inst then return end
  local keys = {}
  for k in pairs(inst.__type.fields) do keys[#keys + 1] = k end
  table.sort(keys)
  for _, k in ipairs(keys) do
    local v = inst[k]
    if type(v) == "number" then lb.component_edit_double(k, v)
    elseif type(v) == "string" then lb.component_edit_string(k, v) end
  end
end

-- Called by the inspector with an edited value: sets the field, then def.EditInfoSet.
function lb_ComponentEditInfoSet(entity, name, label, value)
  local inst = components.Get(entity, name)
  if not inst then return end
  if inst.__type.fields[label] ~= nil then inst[label] = value end
  if inst.__type.EditInfoSet then inst.__type.EditInfoSet(inst, label, value) end
end

return components
