// The wall tool's checker and the package writer on what the legacy reader
// makes: the input as a hand-written wall (.frg), checked and read by the
// game; the checker calls it unreadable exactly when the game cannot read it,
// and a wall read saves and reads back the same.
#include "FuzzTarget.h"

WANDQUIZ_FUZZ_TARGET(false, [](QByteArrayView input) {
    return wq::fuzz::checkLegacyChecker(input, wq::fuzz::workFolder());
})
