// The wall tool's checker: the input as a hand-written wall (.frg), checked
// and read by the game; the checker must call it unreadable exactly when the
// game cannot read it.
#include "FuzzTarget.h"

WANDQUIZ_FUZZ_TARGET(false, [](QByteArrayView input) {
    return wq::fuzz::checkLegacyChecker(input, wq::fuzz::workFolder());
})
