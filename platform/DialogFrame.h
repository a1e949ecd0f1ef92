// The frame of the program's dialogs: small and fixed, so a title and a close
// button and nothing to minimise or maximise.
#pragma once

#include <Qt>

namespace kanoby {

inline constexpr Qt::WindowFlags kDialogFrame =
    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
    Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

}  // namespace kanoby
