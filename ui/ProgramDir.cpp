#include "ui/ProgramDir.h"

#include <QCoreApplication>

namespace kanoby {

QString ProgramDirectory() {
    return QCoreApplication::applicationDirPath();
}

}  // namespace kanoby
