-- Draws the game's interface each frame: the title menu, the pause menu, the
-- options, the quit question, the lantern counter, messages and the ending.
-- What is shown follows game.menu (game.lua).
-- Half the part of the view the window shows. The window shows the world
-- scaled by a whole number rounded up, so it may cut a little off the
-- 498 x 280 view (1920 x 1080 shows 480 x 270, a 1280 x 720 window 426 x 240):
-- the corner pieces keep to what is shown, as the engine reports it.
local function halfView()
  local w, h = lb.graphics_get_width(), lb.graphics_get_height()
  if w <= 0 or h <= 0 then w, h = 498, 280 end
  return math.floor(w / 2), math.floor(h / 2)
end

-- A panel centred on (0, cy) with an optional heading and the entries,
-- centred in it as a block.
local function drawMenu(title, entries, choice, cy, panel)
  ui.Panel(panel, 0, cy)
  local height = #entries * ui.LINE - 5 + (title and ui.LINE + 6 or 0)
  local y = math.floor(cy - height / 2 + 0.5)
  if title then
    ui.TextCentred(title, 0, y, 1)
    y = y + ui.LINE + 6
  end
  ui.Menu(entries, choice, 0, y)
end

local function drawCounter()
  local hw, hh = halfView()
  local x, y = -hw + 6, -hh + 6
  for i, id in ipairs({ "clearing", "hollow", "shore" }) do
    ui.Image(game.lit[id] and "ui_lantern_lit" or "ui_lantern_cold", x + (i - 1) * 11, y, 9, 13, 1)
  end
  ui.Text("LANTERNS " .. game.LitCount() .. "/3", x + 38, y + 3, 0.85)
end

local function drawMessage()
  local m = game.message
  if not m then return end
  local alpha = math.min(1, m.left / 0.5)
  local _, hh = halfView()
  local cy = hh - 28
  local _, top = ui.Panel("ui_panel_wide", 0, cy, alpha)
  if m[2] ~= "" then
    ui.TextCentred(m[1], 0, top + 6, alpha)
    ui.TextCentred(m[2], 0, top + 20, alpha)
  else
    ui.TextCentred(m[1], 0, top + 14, alpha)
  end
end

local function drawEnding()
  local _, top = ui.Panel("ui_panel_end", 0, 10)
  ui.TextCentred("HOME AT LAST", 0, top + 12, 1, 2)
  ui.TextCentred("THE LANTERNS OF THE VALLEY BURN", 0, top + 42, 0.9)
  ui.TextCentred("AND THE WAY HOME IS LIT.", 0, top + 56, 0.9)
  ui.TextCentred("TIME " .. ui.Clock(game.time), 0, top + 76, 1)
  ui.TextCentred("PRESS ENTER", 0, top + 100, 0.6 + 0.4 * math.abs(math.sin(os.clock() * 2)))
end

events.Connect("PostDraw", "GameInterface", function()
  if lb.engine_in_editor() then return end
  local menu = game.menu
  if not game.title and not game.ending then
    drawCounter()
    drawMessage()
  end
  if game.ending and menu.page == nil then drawEnding() end
  if menu.page == "title" and not game.leaving then
    drawMenu(nil, game.MenuEntries(), menu.choice, 72, "ui_panel_title")
  elseif menu.page == "pause" then
    drawMenu("PAUSED", game.MenuEntries(), menu.choice, 0, "ui_panel_menu")
  elseif menu.page == "options" then
    drawMenu("OPTIONS", game.MenuEntries(), menu.choice, 0, "ui_panel_menu")
  elseif menu.page == "confirm" then
    ui.Panel("ui_panel_small", 0, 0)
    ui.TextCentred("QUIT? Y/N", 0, -4, 1)
  end
end)
