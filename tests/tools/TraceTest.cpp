// The command-line contract of kanoby-trace, run as the real program.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <string>

namespace {

struct TraceRun {
    int exitCode;
    std::string out;
    std::string err;
};

// Runs kanoby-trace with `arguments` (already quoted for the shell).
TraceRun RunTrace(const std::string& arguments) {
    // ctest runs tests side by side, each in a process of its own.
    const std::string errFile =
        testing::TempDir() + "kanoby-trace-stderr-" + std::to_string(getpid());
    const std::string command =
        std::string(KANOBY_TRACE_PROGRAM) + " " + arguments + " 2>" + errFile;
    TraceRun run{-1, {}, {}};
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return run;
    std::array<char, 4096> buffer;
    for (std::size_t n; (n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
        run.out.append(buffer.data(), n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (FILE* err = fopen(errFile.c_str(), "r")) {
        for (std::size_t n; (n = fread(buffer.data(), 1, buffer.size(), err)) > 0;)
            run.err.append(buffer.data(), n);
        fclose(err);
    }
    std::remove(errFile.c_str());
    return run;
}

const std::string kHeader =
    "key\tverdict\tReadPos\tUnitKeys\tUnitRest\tGuideText\tTypedKeys\tReadingDone\n";

TEST(TraceTest, PrintsTheHeaderAndTheStartRow) {
    const TraceRun run = RunTrace("'きゃ'");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, kHeader + "(start)\t\t1\t\t\tkya\t\t\n");
    EXPECT_EQ(run.err, "");
}

TEST(TraceTest, EmptyReadingGivesEmptyFields) {
    const TraceRun run = RunTrace("'' A");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, kHeader + "(start)\t\t1\t\t\t\t\t\nA\trejected\t1\t\t\t\t\t\n");
}

TEST(TraceTest, ReadingAfterDoubleDashMayBeginWithADash) {
    const TraceRun run = RunTrace("-- '-ー' OemMinus");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, kHeader + "(start)\t\t1\t\t\t--\t\t\nOemMinus\taccepted\t2\t\t\t-\t-\t\n");
}

// Ignored keys and mode switches are rows of tests/judge/worked_sequences.txt.

TEST(TraceTest, TypeWritesTheGeneratedKeysWithShift) {
    const TraceRun run = RunTrace("--type 'C~' -- 'C~'");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, kHeader +
                           "(start)\t\t1\t\t\tC~\t\t\n"
                           "Shift+C\taccepted\t2\t\t\t~\tC\t\n"
                           "Shift+Oem7\taccepted\t3\t\t\t\tC~\t1\n");
}

struct UsageCase {
    const char* name;
    const char* arguments;
};

void PrintTo(const UsageCase& row, std::ostream* out) {
    *out << row.name;
}

class TraceUsageTest : public ::testing::TestWithParam<UsageCase> {};

TEST_P(TraceUsageTest, ExitsWithTwoAndOneLineOnStderr) {
    const TraceRun run = RunTrace(GetParam().arguments);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    ASSERT_FALSE(run.err.empty());
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
}

const UsageCase kUsageCases[] = {
    {"NoReading", ""},
    {"UnknownOption", "--verbose 'か'"},
    {"ReadingLikeAnOption", "'-か'"},
    {"UnknownKey", "'か' Hyper+K"},
    {"BadRawCode", "'か' '#1x'"},
    {"TypeWithoutValue", "--type"},
    {"TypeWithKeys", "--type ka 'か' K"},
    {"NothingTypesTheCharacter", "--type 'か' 'か'"},
    {"MissingPreferenceFile", "--roman-ini /nonexistent/Roman.ini 'か'"},
};

INSTANTIATE_TEST_SUITE_P(Errors, TraceUsageTest, ::testing::ValuesIn(kUsageCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
