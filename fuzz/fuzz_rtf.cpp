// The rich-text reader: the input as RTF read into a document and laid out,
// as the help window shows it.
#include "FuzzTarget.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***argv)
{
    wq::fuzz::startQt((*argv)[0], true);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    wq::fuzz::report(wq::fuzz::checkRtf(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size))));
    return 0;
}
