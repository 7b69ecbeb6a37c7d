// The companion's argument splitting: options, their values, and "--" ending them.
#include "tools/tavoli/arguments.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tavoli::tool {
namespace {

TEST(SplitArguments, OptionsValuesAndTheEndOfOptions) {
    using Options = std::vector<std::pair<std::string, std::string>>;
    const std::vector<std::string_view> icsOptions = {"--memos", "--kinds", "-o"};
    struct Case {
        std::vector<std::string> arguments;
        std::vector<std::string_view> commandOptions;
        std::vector<std::string> positional;
        std::optional<std::string> zone;
        Options options;
        bool help;
        std::string error;
    } cases[] = {
        {{"%Y", "2024-01-01"}, {}, {"%Y", "2024-01-01"}, {}, {}, false, ""},
        // Everything after "--" is positional, also what looks like an option.
        {{"--", "--%Y", "2024-01-01"}, {}, {"--%Y", "2024-01-01"}, {}, {}, false, ""},
        {{"--tz", "+0900", "--", "--tz", "-h", "--frob"}, {}, {"--tz", "-h", "--frob"}, "+0900", {}, false, ""},
        {{"a", "--", "--"}, {}, {"a", "--"}, {}, {}, false, ""},
        {{"a", "--"}, {}, {"a"}, {}, {}, false, ""},
        {{"--", "-o", "x"}, icsOptions, {"-o", "x"}, {}, {}, false, ""},
        // A value is taken as it is, even "--".
        {{"--tz", "--", "a"}, {}, {"a"}, "--", {}, false, ""},
        {{"-o", "--", "a"}, icsOptions, {"a"}, {}, {{"-o", "--"}}, false, ""},
        {{"-h"}, {}, {}, {}, {}, true, ""},
        {{"x", "--help"}, {}, {"x"}, {}, {}, true, ""},
        {{"-"}, {}, {"-"}, {}, {}, false, ""},
        {{"--frob", "x"}, {}, {}, {}, {}, false, "unknown option --frob"},
        {{"x", "--tz"}, {}, {"x"}, {}, {}, false, "--tz needs a value"},
        // A command's own options; another command takes them for what they look like.
        {{"-o", "out.ics", "2024-01-01", "--kinds", "3"},
         icsOptions,
         {"2024-01-01"},
         {},
         {{"-o", "out.ics"}, {"--kinds", "3"}},
         false,
         ""},
        {{"-o", "out.ics"}, {}, {"-o", "out.ics"}, {}, {}, false, ""},
        {{"--kinds", "3"}, {}, {}, {}, {}, false, "unknown option --kinds"},
        {{"--memos"}, icsOptions, {}, {}, {}, false, "--memos needs a value"},
    };
    for (const Case& c : cases) {
        std::string label;
        for (const std::string& a : c.arguments) label += " [" + a + "]";
        const Arguments args = SplitArguments(c.arguments, c.commandOptions);
        EXPECT_EQ(args.positional, c.positional) << label;
        EXPECT_EQ(args.zone, c.zone) << label;
        EXPECT_EQ(args.options, c.options) << label;
        EXPECT_EQ(args.help, c.help) << label;
        EXPECT_EQ(args.error, c.error) << label;
    }
}

TEST(SplitArguments, TheLastValueOfARepeatedOptionCounts) {
    const Arguments args = SplitArguments({"--kinds", "3", "x", "--kinds", "4,5"}, {"--kinds", "-o"});
    EXPECT_EQ(args.Option("--kinds"), std::optional<std::string>("4,5"));
    EXPECT_EQ(args.Option("-o"), std::nullopt);
    EXPECT_EQ(args.positional, std::vector<std::string>{"x"});
}

}  // namespace
}  // namespace tavoli::tool
