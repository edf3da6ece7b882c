-- What the tests wait on: the level, the pause menu and its close request,
-- "probe: tick" for the Pause key (by which a test knows a frame has run), and
-- for Scroll Lock where the GUI's windows are, read from the GUI's own record.
local ffi = require("ffi")
ffi.cdef [[
typedef struct { const char* name; unsigned id; int flags; float x, y, w, h; } ProbeGuiWindow;
ProbeGuiWindow* ProbeFindWindow(const char* name) asm("_ZN5ImGui16FindWindowByNameEPKc");
]]
local KEY_PAUSE, KEY_SCROLL_LOCK = 284, 281
lb.print("probe: scripts started")
events.Connect("LevelLoad", "ProbeLoad", function() lb.print("probe: level loaded") end)
events.Connect("PauseMenuPaused", "ProbePaused", function() lb.print("probe: paused " .. tostring(lb.engine_is_paused())) end)
events.Connect("PauseMenuUnPaused", "ProbeUnPaused", function() lb.print("probe: unpaused") end)
events.Connect("PauseMenuConfirmClose", "ProbeConfirm", function() lb.print("probe: confirm close") end)
events.Connect("KeyPressed", "ProbeCommonKeys", function(key)
  if key == KEY_PAUSE then lb.print("probe: tick") end
  if key ~= KEY_SCROLL_LOCK then return end
  for _, name in ipairs({ "Editor", "Console" }) do
    local w = ffi.C.ProbeFindWindow(name)
    if w ~= nil then lb.print(string.format("probe: window %s %d %d", name, w.x, w.y)) end
  end
end)
