-- Script-side events. The engine forwards its events here through events.Call
-- once lb_connect_events has run; scripts subscribe with events.Connect.
--
-- Listeners run in the order they were connected. A listener list is replaced,
-- never changed in place, so connecting or disconnecting from inside a listener
-- takes effect at the next call of that event.
local events = {}

local lists = {}      -- name -> array of { id = ..., fn = ... }
local registered = {} -- names the engine forwards (events.Register)

-- Called by the engine for each event it forwards, before any is raised.
function events.Register(name)
  registered[name] = true
  if not lists[name] then lists[name] = {} end
end

-- Whether the engine forwards the event name.
function events.IsRegistered(name)
  return registered[name] == true
end

-- Connects fn under id; a second listener with the same id on the same event
-- replaces the first (scripts reconnect on reload without bookkeeping).
function events.Connect(name, id, fn)
  assert(type(fn) == "function", "events.Connect: listener must be a function")
  local old = lists[name] or {}
  local new = {}
  for i = 1, #old do
    if old[i].id ~= id then new[#new + 1] = old[i] end
  end
  new[#new + 1] = { id = id, fn = fn }
  lists[name] = new
end

-- Removes the listener id from the event; true when there was one.
function events.Disconnect(name, id)
  local old = lists[name]
  if not old then return false end
  local new, removed = {}, false
  for i = 1, #old do
    if old[i].id == id then removed = true else new[#new + 1] = old[i] end
  end
  lists[name] = new
  return removed
end

-- Runs the event's listeners with the arguments, in the order they were connected.
function events.Call(name, ...)
  local list = lists[name]
  if not list then return end
  for i = 1, #list do
    list[i].fn(...)
  end
end

-- How many listeners the event has.
function events.Count(name)
  local list = lists[name]
  return list and #list or 0
end

return events
