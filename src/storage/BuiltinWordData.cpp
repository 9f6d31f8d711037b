#include "storage/BuiltinWordData.h"

#include "WordDataContainer.inc"

namespace pelmar {

QByteArray BuiltinWordDataContainer() {
    return QByteArray::fromRawData(reinterpret_cast<const char*>(kWordDataContainer),
                                   static_cast<qsizetype>(sizeof kWordDataContainer));
}

std::unique_ptr<TDataFile> LoadBuiltinWordData() {
    auto data = std::make_unique<TDataFile>(QString());
    data->ReadOnly = true;
    (void)data->LoadFromCompressedStream(BuiltinWordDataContainer());
    return data;
}

} // namespace pelmar
