// kanoby-trace run as the real program.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryFile>

using namespace Qt::StringLiterals;

// What the program wrote, then "|", what it wrote on stderr and its exit code.
// The arguments go through the shell, so that they can hold any bytes (UTF-16 on Windows).
std::string Trace(const QString& arguments) {
    QProcess trace;
#ifdef _WIN32
    trace.start(QStringLiteral(KANOBY_TRACE_PROGRAM), arguments.split(u' ', Qt::SkipEmptyParts));
#else
    trace.start(u"sh"_s,
                {u"-c"_s, u"exec \"$0\" "_s + arguments, QStringLiteral(KANOBY_TRACE_PROGRAM)});
#endif
    EXPECT_TRUE(trace.waitForFinished());
    return (trace.readAllStandardOutput() + '|' + trace.readAllStandardError()).toStdString() +
           std::to_string(trace.exitCode());
}

TEST(TraceTest, PrintsTheStateAfterEachKeyAndRejectsBadUsage) {
    EXPECT_EQ(Trace(u"--type C~ -- C~"_s),
              "key\tverdict\tReadPos\tUnitKeys\tUnitRest\tGuideText\tTypedKeys\tReadingDone\n"
              "(start)\t\t1\t\t\tC~\t\t\nShift+C\taccepted\t2\t\t\t~\tC\t\n"
              "Shift+Oem7\taccepted\t3\t\t\t\tC~\t1\n|0");
    QTemporaryFile ini;
    ASSERT_TRUE(ini.open() && ini.write("\"\x82\xB5\",\"ci\"\r\n") == 11 && ini.flush());
    EXPECT_TRUE(Trace(u"--roman-ini "_s + ini.fileName() + u" しか"_s).ends_with("\tcika\t\t\n|0"));
    EXPECT_TRUE(Trace(u"し S mode:kana"_s).ends_with("\nmode:kana\t\t1\t\t\tｼ\t\t\n|0"));
    for (const QString& arguments : {
             u""_s, u"--verbose か"_s, u"-か"_s, u"か Hyper+K"_s, u"--type"_s, u"--type ka か K"_s,
             u"--roman-ini / か"_s,
#ifdef _WIN32
             u"\xD800"_s,  // a surrogate without its partner
#else
                                     u"$(printf '\\355\\240\\200')"_s,  // a surrogate
                                     u"--type $(printf 'k\\343\\201') か"_s,
#endif
         }) {
        const std::string output = Trace(arguments);
        EXPECT_TRUE(output.starts_with("|kanoby-trace: ") && output.ends_with("\n2") &&
                    output.find('\n') == output.size() - 2)
            << output;
    }
}
