-- The game's flow: the title screen, new game and continue, what is kept in
-- the save record, and the pause menu.
local KEY_ENTER, KEY_UP, KEY_DOWN, KEY_C, KEY_N, KEY_Y = 257, 265, 264, 67, 78, 89
local FIRST_LEVEL = "veltrane_clearing"

game = { title = true, visits = 0 }

-- A level without a player is the title screen.
local function onTitle()
  return next(players) == nil
end

events.Connect("LevelLoad", "GameLevelLoad", function(record)
  game.visits = tonumber(record.visits) or 0
  game.title = onTitle()
  if game.title then
    -- The record names the level to continue in: leaving the title (or
    -- quitting there) must not write it, or Continue would open the title.
    lb.engine_save_on_unload(false)
  else
    game.visits = game.visits + 1
    lb.engine_save_on_unload(true)
    lb.print("Level entered, visit " .. game.visits)
  end
end)

events.Connect("LevelUnload", "GameLevelUnload", function()
  lb.serialize_number("visits", game.visits)
end)

-- Pause menu: Resume / Quit, quitting asks first.
local menu = { open = false, choice = 1, confirm = false }
game.menu = menu

events.Connect("PauseMenuPaused", "GameMenuOpen", function()
  menu.open, menu.choice, menu.confirm = true, 1, false
end)
events.Connect("PauseMenuUnPaused", "GameMenuClose", function()
  menu.open, menu.confirm = false, false
end)
events.Connect("PauseMenuConfirmClose", "GameMenuConfirm", function()
  menu.confirm = true
end)

events.Connect("KeyPressed", "GameKeys", function(key)
  if menu.open then
    if menu.confirm then
      if key == KEY_Y or key == KEY_ENTER then lb.engine_quit_game()
      elseif key == KEY_N then menu.confirm = false end
    elseif key == KEY_UP or key == KEY_DOWN then
      menu.choice = 3 - menu.choice
    elseif key == KEY_ENTER then
      if menu.choice == 1 then lb.pause_menu_unpause() else menu.confirm = true end
    end
    return
  end
  if game.title then
    game.title = false
    -- Again here, in case a script re-armed it: whatever happens below (even a
    -- continue that finds no record), the title is never recorded.
    lb.engine_save_on_unload(false)
    if key == KEY_C and lb.engine_has_save_file() then
      lb.engine_load_saved_level()
    else
      lb.engine_load_level_restart(FIRST_LEVEL)
    end
    lb.engine_save_on_unload(false)
  end
end)

-- The menu is drawn over the frame: a panel, two entries (the chosen one
-- bright), and a red band while the quit question is open.
events.Connect("DebugDraw", "GameMenuDraw", function()
  if not menu.open then return end
  local cx, cy = lb.camera_get_pos_xy()
  lb.debug_draw_set_color(0.9, 0.85, 0.6, 1)
  lb.debug_draw_rect(cx, cy, 160, 100)
  for i = 1, 2 do
    local bright = (i == menu.choice) and 1 or 0.35
    lb.debug_draw_set_color(bright, bright, bright, 1)
    lb.debug_draw_rect(cx, cy - 40 + i * 26, 120, 18)
  end
  if menu.confirm then
    lb.debug_draw_set_color(1, 0.2, 0.2, 1)
    lb.debug_draw_rect(cx, cy, 150, 90)
  end
end)
