// Replays worked_sequences.txt: each block is a kanoby-trace command line and
// the rows the trace must print, so a failing case reads like a trace. Lines
// that begin with "# " are comments.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/Trace.h"

namespace kanoby {
namespace {

struct Sequence {
    std::string name;
    std::vector<std::string> args;
    std::string expected;
};

void PrintTo(const Sequence& sequence, std::ostream* out) {
    *out << sequence.name;
}

// The data file writes a space as ␣ so that rows stay readable.
std::string VisibleSpaces(std::string text, bool toVisible) {
    const std::string space = " ";
    const std::string visible = "␣";
    const std::string& from = toVisible ? space : visible;
    const std::string& to = toVisible ? visible : space;
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

std::vector<Sequence> LoadSequences() {
    const std::string dataDir = KANOBY_JUDGE_TEST_DATA;
    std::ifstream file(dataDir + "/worked_sequences.txt");
    std::vector<Sequence> sequences;
    std::string line;
    while (std::getline(file, line)) {
        if (line.starts_with("== ")) {
            sequences.push_back({line.substr(3), {}, std::string(kTraceHeader) + "\n"});
        } else if (line.starts_with("$ ") && !sequences.empty()) {
            std::istringstream words(line.substr(2));
            for (std::string word; words >> word;) {
                if (word == "''")
                    word.clear();
                const std::string marker = "@DATA@";
                if (const auto at = word.find(marker); at != std::string::npos) {
                    word.replace(at, marker.size(), dataDir);
                }
                sequences.back().args.push_back(VisibleSpaces(word, false));
            }
        } else if (!line.empty() && !line.starts_with("# ") && !sequences.empty()) {
            sequences.back().expected += VisibleSpaces(line, false) + "\n";
        }
    }
    return sequences;
}

class WorkedSequenceTest : public ::testing::TestWithParam<Sequence> {};

TEST_P(WorkedSequenceTest, TracesAsWritten) {
    const Sequence& sequence = GetParam();
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(RunTrace(sequence.args, out, err), 0) << err.str();
    EXPECT_EQ(VisibleSpaces(out.str(), true), VisibleSpaces(sequence.expected, true));
}

INSTANTIATE_TEST_SUITE_P(Data, WorkedSequenceTest, ::testing::ValuesIn(LoadSequences()),
                         [](const auto& info) { return info.param.name; });

TEST(WorkedSequenceDataTest, IsThere) {
    EXPECT_GE(LoadSequences().size(), 40u);
}

}  // namespace
}  // namespace kanoby
