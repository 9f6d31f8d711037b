#pragma once

#include "engine/Pelgine.h"
#include "storage/BuiltinWordData.h"
#include "storage/DataFile.h"

#include <memory>
#include <string_view>

namespace pelmar::testing_support {

// A data file holding exactly the given plain text (sections and items, CR LF or LF lines).
inline std::unique_ptr<TDataFile> dataFromText(std::string_view text) {
    auto data = std::make_unique<TDataFile>(QString());
    data->SetText(text);
    return data;
}

// An engine as the measurement leaves it after Clear: all rule switches on.
inline TPelgine clearedEngine(const TDataFile* data) {
    TPelgine engine;
    engine.Dictionary = data;
    engine.Clear();
    return engine;
}

inline const TDataFile& builtinWordData() {
    static const std::unique_ptr<TDataFile> data = LoadBuiltinWordData();
    return *data;
}

} // namespace pelmar::testing_support
