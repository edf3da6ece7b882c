-- The frame benchmarks' script: bench_spawn(count, mode) makes that many
-- sprites in view, 16 x 16, lit (environmental) and clamped unless the mode
-- says otherwise, and every LogicUpdate moves each of them by one pixel back
-- and forth, through the exports, as a game script would.
--   "plain": one texture.   "mixed": 8 textures and animated sheets, z mixed.
--   "free": not clamped, at fractional positions.
-- bench_clear() destroys them. The start-up pause menu is closed as it opens.
local sprites = {}
local tick = 0

local function rand(seed)
  seed = (seed * 1103515245 + 12345) % 2147483648
  return seed, seed / 2147483648
end

function bench_spawn(count, mode)
  local seed = 17
  for i = 1, count do
    local e = lb.create_entity()
    local r
    seed, r = rand(seed); local x = -236 + 472 * r
    seed, r = rand(seed); local y = -136 + 256 * r
    if mode ~= "free" then x, y = math.floor(x), math.floor(y) else x, y = x + 0.37, y + 0.61 end
    lb.entity_set_pos(e.index, e.generation, x, y)
    lb.entity_add_component(e.index, e.generation, "Sprite")
    if mode == "mixed" then
      local k = i % 10
      if k < 8 then
        lb.sprite_set_texture(e.index, e.generation, "b" .. k)
      else
        lb.sprite_set_texture(e.index, e.generation, "sheet")
        lb.sprite_set_num_columns(e.index, e.generation, 4)
        lb.sprite_set_num_frames(e.index, e.generation, 4)
        lb.sprite_set_frame_time(e.index, e.generation, 0.05 + 0.01 * k)
      end
      seed, r = rand(seed)
      lb.entity_set_z(e.index, e.generation, math.floor(r * 4) * 0.1)
    else
      lb.sprite_set_texture(e.index, e.generation, "b0")
    end
    if mode == "free" then lb.sprite_set_clamped(e.index, e.generation, false) end
    sprites[#sprites + 1] = { e.index, e.generation, x, y }
  end
end

function bench_clear()
  for _, s in ipairs(sprites) do lb.destroy_entity(s[1], s[2]) end
  sprites = {}
end

events.Connect("LogicUpdate", "BenchMover", function()
  if lb.engine_is_paused() then lb.pause_menu_unpause() end
  tick = tick + 1
  local d = tick % 2
  for i = 1, #sprites do
    local s = sprites[i]
    lb.entity_set_pos(s[1], s[2], s[3] + d, s[4])
  end
end)
