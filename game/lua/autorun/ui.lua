-- Drawing the game's interface over the scene: words in the pixel font, panels
-- and the bar behind a chosen menu entry. Every picture is one texture made by
-- the content generator (font_<hex code> per character, ui_* for the rest),
-- drawn unlit in "PostDraw".
--
-- Positions are in screen pixels of the 498 x 280 view, (0, 0) at its centre,
-- +y down; the camera's position is added here. The camera is kept on whole
-- pixels (player.lua), so glyphs land on whole pixels too.
ui = ui or {}

local GLYPH_W, GLYPH_H, ADVANCE = 7, 9, 6
ui.LINE = 14
ui.ADVANCE = ADVANCE

local textures = {}

-- The texture of a picture, loaded once.
function ui.Texture(name)
  local t = textures[name]
  if not t then
    t = lb.graphics_load_texture(name)
    textures[name] = t
  end
  return t
end

local function glyphName(ch)
  return string.format("font_%02x", string.byte(ch))
end

-- Draws a picture of w x h pixels with its top-left at (x, y) on the screen.
function ui.Image(name, x, y, w, h, alpha)
  local cx, cy = lb.camera_get_pos_xy()
  lb.graphics_draw(ui.Texture(name), w, h, cx + x + w / 2, cy + y + h / 2, 0.99, alpha or 1)
end

-- Width in pixels of text drawn at the given scale.
function ui.TextWidth(text, scale)
  scale = scale or 1
  if #text == 0 then return 0 end
  return ((#text - 1) * ADVANCE + GLYPH_W) * scale
end

-- Draws text with its top-left at (x, y); lower-case letters draw as capitals.
function ui.Text(text, x, y, alpha, scale)
  scale = scale or 1
  text = string.upper(text)
  for i = 1, #text do
    local ch = text:sub(i, i)
    if ch ~= " " then
      ui.Image(glyphName(ch), x + (i - 1) * ADVANCE * scale, y, GLYPH_W * scale, GLYPH_H * scale, alpha)
    end
  end
end

-- Draws text centred on x, its top at y.
function ui.TextCentred(text, x, y, alpha, scale)
  local w = ui.TextWidth(text, scale)
  ui.Text(text, math.floor(x - w / 2 + 0.5), y, alpha, scale)
end

-- Panels are pictures of fixed sizes (the generator makes one per use).
local PANELS = {
  ui_panel_menu = { 150, 112 },
  ui_panel_title = { 132, 76 },
  ui_panel_small = { 104, 32 },
  ui_panel_wide = { 292, 38 },
  ui_panel_end = { 250, 120 },
}
ui.PANELS = PANELS

-- Draws a panel centred on (cx, cy); returns its top-left.
function ui.Panel(name, cx, cy, alpha)
  local size = PANELS[name]
  local x, y = math.floor(cx - size[1] / 2), math.floor(cy - size[2] / 2)
  ui.Image(name, x, y, size[1], size[2], alpha)
  return x, y
end

-- A list of entries centred on x starting at y, one per line; the chosen one
-- bright on the gold bar between two markers, the others dimmed.
function ui.Menu(entries, choice, x, y)
  for i, text in ipairs(entries) do
    local ly = y + (i - 1) * ui.LINE
    if i == choice then
      ui.Image("ui_bar", math.floor(x - 64), ly - 1, 128, 11, 1)
      local w = ui.TextWidth(text)
      local left = math.floor(x - w / 2 + 0.5)
      ui.Text(">", left - 12, ly, 1)
      ui.Text("<", left + w + 5, ly, 1)
      ui.Text(text, left, ly, 1)
    else
      ui.TextCentred(text, x, ly, 0.6)
    end
  end
end

-- "m:ss" for a number of seconds.
function ui.Clock(seconds)
  seconds = math.max(0, math.floor(seconds + 0.5))
  return string.format("%d:%02d", math.floor(seconds / 60), seconds % 60)
end
