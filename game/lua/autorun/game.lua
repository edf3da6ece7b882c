-- The game's flow: the title menu, new game and continue, options, the pause
-- menu, the goal (the valley's three lanterns), the ending, what is kept in the
-- save record, and the music of each level. The menus are drawn by menu.lua.
local KEY_ENTER, KEY_KP_ENTER, KEY_SPACE = 257, 335, 32
local KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT = 265, 264, 263, 262
local KEY_W, KEY_S, KEY_A, KEY_D = 87, 83, 65, 68
local KEY_C, KEY_N, KEY_Y = 67, 78, 89
local PAD_A, PAD_B, PAD_UP, PAD_DOWN, PAD_LEFT, PAD_RIGHT = 350, 351, 354, 356, 357, 355

local FIRST_LEVEL = "veltrane_clearing"
local TITLE_LEVEL = "veltrane_splash"
local TITLE_MUSIC = "Music_Title"
local LANTERNS = 3
-- Seconds the opening hint stays up.
local HINT_TIME = 14
-- Seconds between choosing to leave a level (a door, the title's menu) and the
-- change itself: the engine silences everything when a level loads, so this is
-- the time in which the door creaks and the music fades out.
local LEAVE_DELAY = 0.8

game = game or {}
game.title = true
game.ending = false
game.visits = game.visits or 0
game.leaving = nil
game.music = nil
game.time = game.time or 0
game.lit = game.lit or {}
game.options = game.options or { fullscreen = true, music = true, sound = true }
game.message = nil

-- The menu on screen: page is "title", "pause", "options", "confirm" or nil.
local menu = { page = nil, choice = 1, back = nil }
game.menu = menu

-- A level without a player is the title screen (or the ending).
local function noPlayer()
  return next(players) == nil
end

function game.LitCount()
  local n = 0
  for _ in pairs(game.lit) do n = n + 1 end
  return n
end

function game.GateOpen()
  return game.LitCount() >= LANTERNS
end

-- A line of text at the bottom of the screen for a few seconds.
function game.Say(line1, line2, seconds)
  game.message = { line1, line2 or "", left = seconds or 4 }
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

-- Lights the valley lantern `id` (once): the chime, a word on screen, and the
-- gate opens with the last one.
function game.LightLantern(id)
  if game.lit[id] then return end
  game.lit[id] = true
  lb.sounds_play("Chime")
  local n = game.LitCount()
  lb.print("Lantern lit: " .. id .. ", " .. n .. " of " .. LANTERNS)
  if n >= LANTERNS then
    game.Say("ALL THREE LANTERNS BURN!", "THE GATE HOME HAS OPENED, IN THE CLEARING", 6)
    if gates then gates.Refresh() end
  else
    game.Say("A LANTERN IS LIT: " .. n .. " OF " .. LANTERNS, "", 4)
  end
end

-- ---- options -------------------------------------------------------------

function game.ApplyOptions()
  local o = game.options
  lb.graphics_set_fullscreen(o.fullscreen)
  lb.sounds_mute_music(not o.music)
  lb.sounds_mute_all(not o.sound)
end

local function readOptions(record)
  local function flag(key, default)
    local v = tonumber(record[key])
    if v == nil then return default end
    return v ~= 0
  end
  game.options.fullscreen = flag("option_fullscreen", game.options.fullscreen)
  game.options.music = flag("option_music", game.options.music)
  game.options.sound = flag("option_sound", game.options.sound)
end

-- ---- the save record -------------------------------------------------------

local function litList()
  local ids = {}
  for id in pairs(game.lit) do ids[#ids + 1] = id end
  table.sort(ids)
  return table.concat(ids, ",")
end

-- The level Continue opens: the record's own "continue_level" (the title keeps
-- it when it writes the record for its options), else the level the record was
-- written in, unless that is the title. nil when there is nothing to continue.
local function continueLevel(record)
  local level = record.continue_level
  if level == nil or level == "" then level = record.last_level end
  if level == nil or level == "" or level == TITLE_LEVEL then return nil end
  return tostring(level)
end

local function readProgress(record)
  if record.play_time == nil then return end
  game.time = tonumber(record.play_time) or 0
  game.lit = {}
  for id in string.gmatch(tostring(record.lanterns or ""), "[^,]+") do game.lit[id] = true end
end

events.Connect("LevelUnload", "GameLevelUnload", function()
  -- The title writes the record only when its options changed (the engine
  -- names the title as the level left, so the game keeps its own note of the
  -- level to continue in, and the progress read at the title's load).
  local level = game.continueLevel
  if not game.title and not game.ending then level = levelInfo and levelInfo.name end
  lb.serialize_string("continue_level", level or "")
  lb.serialize_number("visits", game.visits)
  lb.serialize_number("play_time", game.time)
  lb.serialize_string("lanterns", litList())
  lb.serialize_string("door_from", game.doorFrom or "")
  lb.serialize_number("option_fullscreen", game.options.fullscreen and 1 or 0)
  lb.serialize_number("option_music", game.options.music and 1 or 0)
  lb.serialize_number("option_sound", game.options.sound and 1 or 0)
  game.doorFrom = nil
end)

-- Where a player coming through a door appears: beside the door of this level
-- that leads back.
local function arriveFrom(level)
  if level == nil or level == "" then return end
  local door = doors and doors.To(level)
  if not door then return end
  local dx, dy = lb.entity_get_pos_xy(door.entity.index, door.entity.generation)
  for _, player in pairs(players) do
    player.entity:SetPos(dx + door.arrive_x, dy + door.arrive_y - 18)
  end
end

events.Connect("LevelLoad", "GameLevelLoad", function(record)
  game.leaving = nil
  game.message = nil
  game.visits = tonumber(record.visits) or 0
  if not game.optionsLoaded then
    game.optionsLoaded = true
    readOptions(record)
    game.ApplyOptions()
  end
  game.ending = ending ~= nil and ending.present
  game.title = noPlayer() and not game.ending
  menu.page, menu.choice, menu.back = nil, 1, nil
  if game.title or game.ending then
    lb.camera_set_pos(0, 0)
    -- The record names the level to continue in: leaving the title or the
    -- ending (or quitting there) must not write it, or Continue would open them.
    lb.engine_save_on_unload(false)
  end
  if game.pauseOpen then
    menu.page, menu.back = "pause", game.title and "title" or nil
  elseif lb.engine_is_paused() then
    -- paused at start-up before the pause menu existed, so without its menu:
    -- resume, or the title's menu would wait for time that never passes
    lb.engine_unpause()
  end
  if game.title then
    readProgress(record)
    game.continueLevel = continueLevel(record)
    game.PlayMusic(TITLE_MUSIC)
    if not game.pauseOpen then menu.page = "title" end
    return
  end
  game.PlayMusic(levelMusic and levelMusic.cue)
  if game.ending then
    lb.print("The end, time " .. ui.Clock(game.time))
    return
  end
  readProgress(record)
  arriveFrom(record.door_from)
  game.visits = game.visits + 1
  lb.engine_save_on_unload(true)
  lb.print("Level entered, visit " .. game.visits)
  for _, player in pairs(players) do
    local p = player.entity:GetPos()
    game.entry = { p.x, p.y }
    player.snap = true
  end
  if lanterns then lanterns.Refresh() end
  if gates then gates.Refresh() end
  if game.freshStart then
    game.freshStart = false
    game.Say("LIGHT THE THREE LANTERNS OF THE VALLEY", "TO OPEN THE GATE HOME.  WALK: ARROWS OR WASD", HINT_TIME)
  end
end)

events.Connect("LogicUpdate", "GameUpdate", function(dt)
  local leaving = game.leaving
  if leaving then
    leaving.left = leaving.left - dt
    if leaving.left <= 0 then
      game.leaving = nil
      leaving.go()
    end
  end
  if not game.title and not game.ending then game.time = game.time + dt end
  if game.message then
    game.message.left = game.message.left - dt
    if game.message.left <= 0 then game.message = nil end
  end
end)

-- ---- menus ------------------------------------------------------------------

local function titleEntries()
  local list = {}
  if game.continueLevel then list[#list + 1] = "Continue" end
  list[#list + 1] = "New game"
  list[#list + 1] = "Options"
  list[#list + 1] = "Quit"
  return list
end

local function pauseEntries()
  if game.title then return { "Resume", "Options", "Quit game" } end
  if game.ending then return { "Resume", "Quit game" } end
  return { "Resume", "Restart level", "Options", "Quit to title", "Quit game" }
end

local function onOff(on) return on and "ON" or "OFF" end

local function optionEntries()
  local o = game.options
  return { "Full screen: " .. (o.fullscreen and "ON" or "WINDOW"), "Music: " .. onOff(o.music),
    "All sound: " .. onOff(o.sound), "Back" }
end

function game.MenuEntries()
  if menu.page == "title" then return titleEntries() end
  if menu.page == "pause" then return pauseEntries() end
  if menu.page == "options" then return optionEntries() end
  return {}
end

local function open(page)
  menu.back = menu.page
  menu.page, menu.choice = page, 1
end

local function startGame(continue)
  lb.sounds_play_select()
  menu.page = nil
  -- Again here, in case a script re-armed it: whatever happens below (even a
  -- continue that finds no record), the title is never recorded.
  lb.engine_save_on_unload(false)
  game.Leave(function()
    lb.engine_save_on_unload(false)
    if continue then
      lb.engine_change_level(game.continueLevel)
    else
      game.time, game.lit, game.freshStart = 0, {}, true
      lb.engine_load_level_restart(FIRST_LEVEL)
    end
    lb.engine_save_on_unload(false)
  end)
end

local function restartLevel()
  lb.pause_menu_unpause()
  if not game.entry then return end
  for _, player in pairs(players) do
    player.entity:SetPos(game.entry[1], game.entry[2])
    player.entity:SetVelocity(0, 0)
    player.snap = true
  end
end

local function choose(entry)
  if entry == "Continue" then startGame(true)
  elseif entry == "New game" then startGame(false)
  elseif entry == "Options" then
    lb.sounds_play_select()
    open("options")
  elseif entry == "Quit" or entry == "Quit game" then
    lb.sounds_play_select()
    open("confirm")
  elseif entry == "Resume" then
    lb.sounds_play_select()
    lb.pause_menu_unpause()
  elseif entry == "Restart level" then
    lb.sounds_play_select()
    restartLevel()
  elseif entry == "Quit to title" then
    lb.sounds_play_select()
    lb.pause_menu_unpause()
    game.Leave(function() lb.engine_change_level(TITLE_LEVEL) end)
  elseif entry == "Back" then
    lb.sounds_play_select()
    menu.page, menu.choice = menu.back or "title", 1
  else
    -- an option: switch it
    lb.sounds_play_select()
    local o = game.options
    if menu.choice == 1 then o.fullscreen = not o.fullscreen
    elseif menu.choice == 2 then o.music = not o.music
    elseif menu.choice == 3 then o.sound = not o.sound end
    game.ApplyOptions()
    -- On the title nothing is saved unless asked: the options are kept in the
    -- record when the title is left or the game quit.
    if game.title then lb.engine_save_on_unload(true) end
  end
end

-- One step of menu navigation: "up", "down", "left", "right", "select", "back".
function game.Navigate(action)
  if game.ending and not menu.page then
    if action == "select" and not game.leaving then
      lb.sounds_play_select()
      game.Leave(function() lb.engine_change_level(TITLE_LEVEL) end)
    end
    return
  end
  if menu.page == "confirm" then
    if action == "select" then lb.engine_quit_game()
    elseif action == "back" then
      lb.sounds_play_select()
      menu.page, menu.choice = menu.back or "title", 1
    end
    return
  end
  local entries = game.MenuEntries()
  if #entries == 0 then return end
  if action == "up" or action == "down" then
    lb.sounds_play_hover()
    local step = action == "up" and -1 or 1
    menu.choice = (menu.choice - 1 + step) % #entries + 1
  elseif action == "select" then
    choose(entries[menu.choice])
  elseif (action == "left" or action == "right") and menu.page == "options" and menu.choice <= 3 then
    choose(entries[menu.choice])
  elseif action == "back" and menu.page == "options" then
    choose("Back")
  end
end

events.Connect("PauseMenuPaused", "GameMenuOpen", function()
  game.pauseOpen = true
  menu.back = (menu.page == "title") and "title" or nil
  menu.page, menu.choice = "pause", 1
end)
events.Connect("PauseMenuUnPaused", "GameMenuClose", function()
  game.pauseOpen = false
  menu.page, menu.choice = game.title and "title" or nil, 1
  menu.back = nil
end)
events.Connect("PauseMenuConfirmClose", "GameMenuConfirm", function()
  menu.back = "pause"
  menu.page = "confirm"
end)

local KEY_ACTIONS = {
  [KEY_UP] = "up", [KEY_W] = "up", [KEY_DOWN] = "down", [KEY_S] = "down",
  [KEY_LEFT] = "left", [KEY_A] = "left", [KEY_RIGHT] = "right", [KEY_D] = "right",
  [KEY_ENTER] = "select", [KEY_KP_ENTER] = "select", [KEY_SPACE] = "select",
}

events.Connect("KeyPressed", "GameKeys", function(key)
  if game.leaving then return end
  if menu.page == "confirm" then
    if key == KEY_Y or key == KEY_ENTER then game.Navigate("select")
    elseif key == KEY_N then game.Navigate("back") end
    return
  end
  if menu.page == "title" and (key == KEY_C or key == KEY_N) then
    -- shortcuts: C continues (when there is a record), N starts anew
    startGame(key == KEY_C and game.continueLevel ~= nil)
    return
  end
  local action = KEY_ACTIONS[key]
  if action and (menu.page or game.ending) then game.Navigate(action) end
end)

-- The controller drives the menus too: the d-pad or the left stick moves, A
-- chooses, B goes back. Buttons are read each frame (also while paused) and act
-- when newly pressed.
local padHeld = {}
local PAD_ACTIONS = { [PAD_UP] = "up", [PAD_DOWN] = "down", [PAD_LEFT] = "left", [PAD_RIGHT] = "right",
  [PAD_A] = "select", [PAD_B] = "back" }
events.Connect("LogicUpdate", "GamePad", function()
  if not (menu.page or game.ending) or game.leaving then
    padHeld = {}
    return
  end
  local _, sy = lb.intput_get_stick_xy(0)
  local now = {}
  for code, action in pairs(PAD_ACTIONS) do now[action] = now[action] or lb.intput_get_key(code) == 1 end
  now.up = now.up or sy < -0.6
  now.down = now.down or sy > 0.6
  for action, down in pairs(now) do
    if down and not padHeld[action] then game.Navigate(action) end
  end
  padHeld = now
end)
