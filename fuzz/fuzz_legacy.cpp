// The legacy reader: the input as the bytes of a hand-written wall (.frg)
// read by the game and by the wall tool's checker.
#include "FuzzTarget.h"

WANDQUIZ_FUZZ_TARGET(false,
                     [](QByteArrayView input) { return wq::fuzz::checkLegacy(input, wq::fuzz::workFolder()); })
