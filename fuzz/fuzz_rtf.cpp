// The rich-text reader: the input as RTF read into a document and laid out,
// as the help window shows it.
#include "FuzzTarget.h"

WANDQUIZ_FUZZ_TARGET(true, wq::fuzz::checkRtf)
