// The value unpacker: packer::unpack on the input as UTF-8 and as raw UTF-16,
// pack(unpack(x)) unpacking to the same list, and the wall and field
// unpackers built on it.
#include "FuzzTarget.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***argv)
{
    wq::fuzz::startQt((*argv)[0], false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    wq::fuzz::report(wq::fuzz::checkPacker(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size))));
    return 0;
}
