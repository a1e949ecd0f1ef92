#pragma once

#include <QString>

namespace kanoby {

// The directory of the running program, where word.txt and Roman.ini live.
QString ProgramDirectory();

}  // namespace kanoby
