// The rich-text reader: the input as RTF read into a document (laying it out
// is fuzz_rtflayout's).
#include "FuzzTarget.h"

WANDQUIZ_FUZZ_TARGET(true, wq::fuzz::checkRtf)
