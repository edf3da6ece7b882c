-- Two-component vectors in world units (+y points down the screen).
local vector = {}
local mt = {}
mt.__index = mt

local function new(x, y)
  return setmetatable({ x = x or 0, y = y or 0 }, mt)
end
-- A vector (x, y), missing values 0; vectors add, subtract, negate, scale by a number and compare.
vector.new = new

function mt.__add(a, b) return new(a.x + b.x, a.y + b.y) end
function mt.__sub(a, b) return new(a.x - b.x, a.y - b.y) end
function mt.__unm(a) return new(-a.x, -a.y) end
function mt.__mul(a, b)
  if type(a) == "number" then return new(a * b.x, a * b.y) end
  return new(a.x * b, a.y * b)
end
function mt.__eq(a, b) return a.x == b.x and a.y == b.y end
function mt.__tostring(a) return string.format("(%g, %g)", a.x, a.y) end

-- The vector's length.
function mt:Length() return math.sqrt(self.x * self.x + self.y * self.y) end
-- The vector scaled to length 1; (0, 0) stays (0, 0).
function mt:Normalized()
  local len = self:Length()
  if len == 0 then return new(0, 0) end
  return new(self.x / len, self.y / len)
end
-- The dot product with another vector.
function mt:Dot(other) return self.x * other.x + self.y * other.y end

-- Whether v is a vector.
vector.is = function(v) return getmetatable(v) == mt end
return vector
