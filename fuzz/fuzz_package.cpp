// The package reader: the input as a wall file x.lx-wqz read by cls_Wall::LOAD.
#include "FuzzTarget.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***argv)
{
    wq::fuzz::startQt((*argv)[0], false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    wq::fuzz::report(wq::fuzz::checkPackage(
        QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)), wq::fuzz::workFolder()));
    return 0;
}
