// The rich-text reader as the help window uses it: read, then laid out.
#include "FuzzTarget.h"

WANDQUIZ_FUZZ_TARGET(true, [](QByteArrayView input) { return wq::fuzz::checkRtf(input, true); })
