-- Play a cue: the chime when a level starts. Cues are named in Audio/SoundStorage.json.
events.Connect("LevelLoad", "ExamplePlayCue", function()
  lb.sounds_play("Chime")  -- an unknown name prints "Attempted to play invalid cue!"
  print("play_cue: chime")
end)
