// The legacy reader: the input as the bytes of a hand-written wall (.frg)
// read by the game and by the wall tool's checker.
#include "FuzzTarget.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***argv)
{
    wq::fuzz::startQt((*argv)[0], false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    wq::fuzz::report(wq::fuzz::checkLegacy(
        QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)), wq::fuzz::workFolder()));
    return 0;
}
