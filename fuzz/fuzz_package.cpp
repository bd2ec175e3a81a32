// The package reader: the input as the bytes of a wall file (.lx-wqz).
#include "FuzzTarget.h"

WANDQUIZ_FUZZ_TARGET(false, wq::fuzz::checkPackage)
