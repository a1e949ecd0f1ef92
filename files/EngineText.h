// The engine holds text as std::u16string and Qt as QString; both are UTF-16,
// so crossing over copies code units and never converts.
#pragma once

#include <QString>
#include <QStringView>
#include <string_view>

namespace kanoby {

inline std::u16string_view ToEngineText(QStringView text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

inline QString FromEngineText(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace kanoby
