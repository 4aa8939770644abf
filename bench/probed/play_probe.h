#pragma once

namespace fathomer {

class TForm1;

// When FATHOMER_PLAY_PROBE_SECONDS is set: plays a scripted game for that long (switching the
// device on, moving and firing now and then, starting again when a game ends), then prints the
// process's CPU share and the game tick's interval deviation from 205 ms, and ends the program.
void installPlayProbe(TForm1 &form);

}  // namespace fathomer
