// The package reader: the input as the bytes of a wall file (.lx-wqz).
#include "FuzzTarget.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***argv)
{
    wq::fuzz::startQt((*argv)[0], false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    wq::fuzz::report(wq::fuzz::checkPackage(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size))));
    return 0;
}
