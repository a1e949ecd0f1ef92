// What the command line asks: a list to open, --help, --version, or a usage error.
#include <gtest/gtest.h>

#include "files/CommandLine.h"

namespace kanoby {
namespace {

using namespace Qt::StringLiterals;

TEST(CommandLineTest, ReadsAListToOpenAndRejectsWhatItDoesNotKnow) {
    const struct {
        QStringList arguments;
        CommandAction action;
        QString listFile;
    } rows[] = {
        {{}, CommandAction::Run, {}},
        {{u"list.txt"_s}, CommandAction::Run, u"list.txt"_s},
        {{u"--"_s, u"-list.txt"_s}, CommandAction::Run, u"-list.txt"_s},
        {{u"--help"_s}, CommandAction::Help, {}},
        {{u"--version"_s}, CommandAction::Version, {}},
        {{u"--export-history"_s, u"out.csv"_s}, CommandAction::ExportHistory, u"out.csv"_s},
        {{u"--export-history"_s}, CommandAction::Usage, {}},
        {{u"-list.txt"_s}, CommandAction::Usage, {}},
        {{u"--bogus"_s}, CommandAction::Usage, {}},
        {{u"--"_s}, CommandAction::Usage, {}},
        {{u"a.txt"_s, u"b.txt"_s}, CommandAction::Usage, {}},
        {{u"--help"_s, u"a.txt"_s}, CommandAction::Usage, {}},
        {{u"a.txt"_s, u"--version"_s}, CommandAction::Usage, {}},
    };
    for (const auto& row : rows) {
        const CommandLine read = ReadCommandLine(row.arguments);
        const std::string shown = row.arguments.join(u' ').toStdString();
        EXPECT_EQ(read.action, row.action) << shown;
        EXPECT_EQ(read.listFile, row.listFile) << shown;
    }
}

}  // namespace
}  // namespace kanoby
