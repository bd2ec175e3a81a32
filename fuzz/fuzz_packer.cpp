// The value unpacker: packer::unpack on the input as UTF-8 and as raw UTF-16,
// pack(unpack(x)) unpacking to the same list, and the wall and field
// unpackers built on it.
#include "FuzzTarget.h"

WANDQUIZ_FUZZ_TARGET(false, wq::fuzz::checkPacker)
