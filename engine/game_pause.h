#pragma once
// Pausing the game itself: the time scale and the music and effect buses. The
// pause menu, the editor toggle and the scripts all pause through these, so the
// menu needs nothing from the game flow that opens it.

// timeScale 0 / 1. Pausing twice, or resuming while running, does nothing.
// The "UI" bus and "Master Bus" keep playing, so menu sounds stay audible.
void PauseGame();
void ResumeGame();
