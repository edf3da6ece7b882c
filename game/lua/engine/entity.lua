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
-- An entity object for a handle (slot index, generation) the script already has.
entity.new = new

-- Creates an entity (lb_create_entity) and returns its object.
function entity.Create()
  local h = lb.create_entity()
  return new(h.index, h.generation)
end

-- The entity's unique id (its generation).
function mt:Id() return self.generation end
function mt.__eq(a, b) return a.generation == b.generation end
function mt.__tostring(e) return "Entity(" .. e.index .. ", " .. e.generation .. ")" end

-- Destroys the entity at the end of the frame.
function mt:Destroy() lb.destroy_entity(self.index, self.generation) end

-- The entity's position as a vector, world units.
function mt:GetPos()
  return vector.new(lb.entity_get_pos_xy(self.index, self.generation))
end
-- Moves the entity to (x, y) or to a vector, world units; z is kept.
function mt:SetPos(x, y)
  if type(x) == "table" then x, y = x.x, x.y end
  lb.entity_set_pos(self.index, self.generation, x, y)
end
-- Sets the draw depth: larger z is drawn in front.
function mt:SetZ(z) lb.entity_set_z(self.index, self.generation, z) end

-- Adds a built-in or script component with its defaults.
function mt:AddComponent(name) lb.entity_add_component(self.index, self.generation, name) end
-- Whether the entity has the component.
function mt:HasComponent(name) return lb.entity_has_component(self.index, self.generation, name) end
-- Removes the component; true when there was one.
function mt:RemoveComponent(name) return lb.entity_remove_component(self.index, self.generation, name) end

-- The script component of type name on this entity (its instance table), or nil.
function mt:GetScript(name)
  local components = require("lua.engine.components")
  return components.Get(self, name)
end

-- The rigid body's velocity as a vector, world units per second.
function mt:GetVelocity()
  return vector.new(lb.rigidbody_get_velocity_xy(self.index, self.generation))
end
-- Sets the rigid body's velocity from (x, y) or a vector, world units per second.
function mt:SetVelocity(x, y)
  if type(x) == "table" then x, y = x.x, x.y end
  lb.rigidbody_set_velocity(self.index, self.generation, x, y)
end

-- Calls lb.<prefix>_<name>(index, generation, ...): e:Call("sprite_set_tint", 1, 0, 0, 1).
function mt:Call(name, ...)
  return lb[name](self.index, self.generation, ...)
end

return entity
