// The pages downloaded for the dollar rate and the VAT rates.
#include "calculator/RateDownload.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray body(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    (void)RateDownload::parseDollar(body);
    for (const RateDownload::Vat& vat : RateDownload::parseVat(body))
        (void)vat.key.size();
    return 0;
}
