#pragma once
// Every sound the generator makes, one function each. Music is stereo and
// loops; ambience is mono and loops (it is placed in the world); effects are
// mono one-shots.
#include "tools/audio/synth.h"

namespace synth {

// Music (the files loop seamlessly: their length is a whole number of bars).
Stereo TitleTheme();      // D major lullaby in 3/4: music box, harp, flute
Stereo ClearingTheme();   // G major by the campfire: fingerpicked strings, flute
Stereo HollowTheme();     // A minor, deep woods: pads, bells, low flute, echoes
Stereo LakesideTheme();   // F major in 3/4 by the water: rippling music box, harp

// Ambience loops.
Mono CampfireCrackle();
Mono LakeWater();
Mono WindInTrees();
Mono NightInsects();

// Effects.
Mono FootstepGrass(int variant);  // variants 0, 1, 2 differ a little
Mono DoorOpen();
Mono ButtonHover();
Mono ButtonSelect();
Mono SoftChime();

}  // namespace synth
