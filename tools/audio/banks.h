#pragma once
// The banks (our JSON bank format), the two bank lists and the cue table,
// all made from the sound table.
//
//   audio/Master.bank          the buses: bus:/ (master), bus:/Music, bus:/SFX, bus:/UI
//   audio/Music.bank           the music events
//   audio/SFX.bank             ambience and effects
//   audio/Master.strings.bank  the strings bank
//   audio/bankFiles.txt, audio/stringFiles.txt   one bank file per line, each line ended
//   Audio/SoundStorage.json    the cue table
#include <map>
#include <string>

namespace synth {

// Relative path -> file content, for everything listed above.
std::map<std::string, std::string> BankFiles();

}  // namespace synth
