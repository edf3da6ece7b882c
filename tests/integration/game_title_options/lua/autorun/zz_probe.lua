-- Reports what the test waits on, and the settings in force at each load.
events.Connect("PauseMenuPaused", "ProbePaused", function() lb.print("probe: paused") end)
events.Connect("PauseMenuUnPaused", "ProbeUnPaused", function() lb.print("probe: unpaused") end)
events.Connect("LevelLoad", "ProbeLoad", function()
  lb.print(string.format("probe: level loaded, fullscreen %s, music muted %s, all muted %s",
    tostring(lb.graphics_get_fullscreen()), tostring(lb.sounds_music_muted()), tostring(lb.sounds_all_muted())))
end)
