-- Entity objects: a handle (slot index, generation) with methods. The engine
-- makes one through lb_CreateEntity whenever it hands an entity to a script.
-- Handles are checked by the engine: using a destroyed entity is fatal, so
-- scripts keep entities only while they are alive (IsSame compares handles).
local lb = require("lua.engine.api")
local vector = require("lua.engine.vector")

local entity = {}
local mt = {}
mt.__index = mt

local function new(index, generation)
  return setmetatable({ index = index, generation = generation }, mt)
end
entity.new = new

function entity.Create()
  local h = lb.create_entity()
  return new(h.index, h.generation)
end

-- The generation is the entity's unique id.
function mt:Id() return self.generation end
function mt.__eq(a, b) return a.generation == b.generation end
function mt.__tostring(e) return "Entity(" .. e.index .. ", " .. e.generation .. ")" end

function mt:Destroy() lb.destroy_entity(self.index, self.generation) end

function mt:GetPos()
  return vector.new(lb.entity_get_pos_xy(self.index, self.generation))
end
function mt:SetPos(x, y)
  if type(x) == "table" then x, y = x.x, x.y end
  lb.entity_set_pos(self.index, self.generation, x, y)
end
function mt:SetZ(z) lb.entity_set_z(self.index, self.generation, z) end

function mt:AddComponent(name) lb.entity_add_component(self.index, self.generation, name) end
function mt:HasComponent(name) return lb.entity_has_component(self.index, self.generation, name) end
function mt:RemoveComponent(name) return lb.entity_remove_component(self.index, self.generation, name) end

-- The script component of type name on this entity (its instance table), or nil.
function mt:GetScript(name)
  local components = require("lua.engine.components")
  return components.Get(self, name)
end

function mt:GetVelocity()
  return vector.new(lb.rigidbody_get_velocity_xy(self.index, self.generation))
end
function mt:SetVelocity(x, y)
  if type(x) == "table" then x, y = x.x, x.y end
  lb.rigidbody_set_velocity(self.index, self.generation, x, y)
end

-- Calls lb.<prefix>_<name>(index, generation, ...): e:Call("sprite_set_tint", 1, 0, 0, 1).
function mt:Call(name, ...)
  return lb[name](self.index, self.generation, ...)
end

return entity
