// The spreadsheet reader: the input as the bytes of a wall table (.csv),
// refusals leaving the wall alone and a wall read written and read back.
#include "FuzzTarget.h"

WANDQUIZ_FUZZ_TARGET(false, wq::fuzz::checkCsv)
