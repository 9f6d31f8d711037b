// Arbitrary bytes as a container. Decoding must either fail with a reason or give bytes that
// encode and decode back to themselves; the sanitizers catch any read or write out of bounds.
#include "storage/DeltaCode.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    pelmar::TDeltaCode coder;
    coder.Compressed =
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (!coder.Decode()) {
        if (coder.ErrorText.isEmpty()) {
            std::abort();
        }
        return 0;
    }
    const QByteArray plain = coder.Plain;
    if (!coder.Encode()) {
        std::abort();
    }
    coder.Plain.clear();
    if (!coder.Decode() || coder.Plain != plain) {
        std::abort();
    }
    return 0;
}
