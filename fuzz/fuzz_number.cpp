// The number reading of scores and stakes: parseNumber on the input as UTF-8
// and as Latin-1, with and without a decimal-comma locale, and formatNumber
// reading back as the same value.
#include "FuzzTarget.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***argv)
{
    wq::fuzz::startQt((*argv)[0], false);
    if (wq::fuzz::prepareDecimalCommaLocale(wq::fuzz::workFolder()).isEmpty())
        std::fprintf(stderr, "No decimal-comma locale: numbers are read in the C locale only.\n");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    wq::fuzz::report(wq::fuzz::checkNumber(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size))));
    return 0;
}
