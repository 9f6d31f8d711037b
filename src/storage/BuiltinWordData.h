#pragma once

#include "storage/DataFile.h"

#include <QByteArray>

#include <memory>

namespace pelmar {

// The container of the built-in word data, as compiled into the program.
[[nodiscard]] QByteArray BuiltinWordDataContainer();

// The engine's word data: a nameless, read-only data file loaded from the built-in container.
// If the container cannot be decoded the data is empty and the spelling rules alone count.
[[nodiscard]] std::unique_ptr<TDataFile> LoadBuiltinWordData();

} // namespace pelmar
