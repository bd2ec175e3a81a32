// The legacy reader: the input as the bytes of a hand-written wall (.frg)
// read by the game.
#include "FuzzTarget.h"

WANDQUIZ_FUZZ_TARGET(false, wq::fuzz::checkLegacyReader)
