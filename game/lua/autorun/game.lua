-- The game's flow: the title screen, new game and continue, what is kept in
-- the save record, the pause menu, and the music of each level.
local KEY_ENTER, KEY_UP, KEY_DOWN, KEY_C, KEY_N, KEY_Y = 257, 265, 264, 67, 78, 89
local FIRST_LEVEL = "veltrane_clearing"
local TITLE_MUSIC = "Music_Title"
-- Seconds between choosing to leave a level (a door, the title's key) and the
-- change itself: the engine silences everything when a level loads, so this is
-- the time in which the door creaks and the music fades out.
local LEAVE_DELAY = 0.8

game = { title = true, visits = 0, leaving = nil, music = nil }

-- A level without a player is the title screen.
local function onTitle()
  return next(players) == nil
end

-- Music: the title has its own theme; a level names its theme with a
-- LevelMusic component. Music cues cross-fade, so playing one fades out the
-- other. Loading a level silences everything, so the theme starts again on
-- each load.
function game.PlayMusic(cue)
  if cue == nil then return end
  game.music = cue
  lb.sounds_play(cue)
end

function game.FadeOutMusic()
  if game.music then lb.sounds_stop(game.music) end
end

-- Leaves the level after LEAVE_DELAY seconds of game time (which stands still
-- while paused): `go` is called then. The music fades out meanwhile. Asking
-- again while leaving does nothing.
function game.Leave(go)
  if game.leaving then return end
  game.FadeOutMusic()
  game.leaving = { left = LEAVE_DELAY, go = go }
end

events.Connect("LogicUpdate", "GameLeave", function(dt)
  local leaving = game.leaving
  if not leaving then return end
  leaving.left = leaving.left - dt
  if leaving.left <= 0 then
    game.leaving = nil
    leaving.go()
  end
end)

events.Connect("LevelLoad", "GameLevelLoad", function(record)
  game.leaving = nil
  game.visits = tonumber(record.visits) or 0
  game.title = onTitle()
  if game.title then
    game.PlayMusic(TITLE_MUSIC)
    -- The record names the level to continue in: leaving the title (or
    -- quitting there) must not write it, or Continue would open the title.
    lb.engine_save_on_unload(false)
  else
    game.PlayMusic(levelMusic and levelMusic.cue)
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
      elseif key == KEY_N then
        lb.sounds_play_select()
        menu.confirm = false
      end
    elseif key == KEY_UP or key == KEY_DOWN then
      lb.sounds_play_hover()
      menu.choice = 3 - menu.choice
    elseif key == KEY_ENTER then
      lb.sounds_play_select()
      if menu.choice == 1 then lb.pause_menu_unpause() else menu.confirm = true end
    end
    return
  end
  if game.title then
    game.title = false
    lb.sounds_play_select()
    -- Again here, in case a script re-armed it: whatever happens below (even a
    -- continue that finds no record), the title is never recorded.
    lb.engine_save_on_unload(false)
    local continue = key == KEY_C and lb.engine_has_save_file()
    game.Leave(function()
      lb.engine_save_on_unload(false)
      if continue then
        lb.engine_load_saved_level()
      else
        lb.engine_load_level_restart(FIRST_LEVEL)
      end
      lb.engine_save_on_unload(false)
    end)
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
