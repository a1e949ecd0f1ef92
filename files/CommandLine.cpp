#include "files/CommandLine.h"

#include <QFile>

#ifdef _WIN32
#include <windows.h>
// shellapi.h needs what windows.h defines first.
#include <shellapi.h>
#endif

namespace kanoby {

using namespace Qt::StringLiterals;

CommandLine ReadCommandLine(const QStringList& arguments) {
    if (arguments.isEmpty())
        return {};
    const QString& first = arguments[0];
    if (arguments.size() == 1) {
        if (first == u"--help"_s)
            return {CommandAction::Help, {}};
        if (first == u"--version"_s)
            return {CommandAction::Version, {}};
        if (!first.isEmpty() && !first.startsWith(u'-'))
            return {CommandAction::Run, first};
    }
    if (arguments.size() == 2 && first == u"--"_s && !arguments[1].isEmpty())
        return {CommandAction::Run, arguments[1]};
    if (arguments.size() == 2 && first == u"--export-history"_s && !arguments[1].isEmpty())
        return {CommandAction::ExportHistory, arguments[1]};
    return {CommandAction::Usage, {}};
}

QStringList ProgramArguments([[maybe_unused]] const int argc, [[maybe_unused]] char** argv) {
    QStringList arguments;
#ifdef _WIN32
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; wide != nullptr && i < count; ++i)
        arguments.append(QString::fromWCharArray(wide[i]));
    LocalFree(wide);
#else
    for (int i = 1; i < argc; ++i)
        arguments.append(QFile::decodeName(argv[i]));
#endif
    return arguments;
}

}  // namespace kanoby
