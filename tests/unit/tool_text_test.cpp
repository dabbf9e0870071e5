#include <gtest/gtest.h>

#include "tool/command_line.h"
#include "tool/tool_path.h"
#include "tool/result_code.h"

namespace quarvel {
namespace {

std::string CommandLineFor(const ToolOptions& options, Operation operation, const std::string& rom,
                           const std::string& appDir) {
  return JoinCommandLine(ToolCommand(appDir), ToolParameters(options, OperationSwitch(operation), rom, appDir + "log.txt"));
}

TEST(ToolCommandLine, AllThreeOptionsWithFix) {
  ToolOptions all{true, true, true};
  EXPECT_EQ(CommandLineFor(all, Operation::Fix, "D:\\roms\\a.gba", "C:\\fe\\"),
            R"("C:\fe\Quarvel.exe" -r -m -i -f "D:\roms\a.gba" >> "C:\fe\log.txt")");
}

TEST(ToolCommandLine, NoOptionsWithPatchHasNoLeadingSpace) {
  EXPECT_EQ(ToolParameters({}, OperationSwitch(Operation::Patch), "D:\\roms\\a.gba", "C:\\fe\\log.txt"),
            R"("D:\roms\a.gba" >> "C:\fe\log.txt")");
  EXPECT_EQ(CommandLineFor({}, Operation::Patch, "D:\\roms\\a.gba", "C:\\fe\\"),
            R"("C:\fe\Quarvel.exe" "D:\roms\a.gba" >> "C:\fe\log.txt")");
}

TEST(ToolCommandLine, EachOptionAndSwitchInItsPlace) {
  EXPECT_EQ(CommandLineFor({false, true, false}, Operation::Unpatch, "D:\\a.gba", "C:\\"),
            R"("C:\Quarvel.exe" -m -u "D:\a.gba" >> "C:\log.txt")");
  EXPECT_EQ(CommandLineFor({true, false, false}, Operation::Test, "D:\\a.gba", "C:\\"),
            R"("C:\Quarvel.exe" -r -t "D:\a.gba" >> "C:\log.txt")");
  EXPECT_EQ(CommandLineFor({false, false, true}, Operation::Patch, "D:\\a.gba", "C:\\"),
            R"("C:\Quarvel.exe" -i "D:\a.gba" >> "C:\log.txt")");
}

TEST(ToolCommandLine, PathsWithSpacesStayOneQuotedArgument) {
  EXPECT_EQ(CommandLineFor({}, Operation::Test, "D:\\my roms\\a b.gba", "C:\\Program Files\\fe\\"),
            R"("C:\Program Files\fe\Quarvel.exe" -t "D:\my roms\a b.gba" >> "C:\Program Files\fe\log.txt")");
}

TEST(ToolCommandLine, APathEndingInABackslashKeepsItsClosingQuote) {
  EXPECT_EQ(ToolParameters({}, "-t", "C:\\roms\\", "C:\\fe\\log.txt"), R"(-t "C:\roms\\" >> "C:\fe\log.txt")");
}

TEST(ToolCommandLine, CommandIsQuotedOnlyWhenNotEmptyAndNotQuotedAlready) {
  EXPECT_EQ(JoinCommandLine("C:\\x y\\t.exe", "a"), "\"C:\\x y\\t.exe\" a");
  EXPECT_EQ(JoinCommandLine("\"C:\\t.exe\"", "a"), "\"C:\\t.exe\" a");
  EXPECT_EQ(JoinCommandLine("", "a"), " a");
}

TEST(ToolCommandLine, TrimRemovesControlCharactersAndSpacesAtBothEnds) {
  EXPECT_EQ(TrimControl(" \t\r\n a b \x01\x1f "), "a b");
  EXPECT_EQ(TrimControl("   "), "");
  EXPECT_EQ(TrimControl("caf\xe9 "), "caf\xe9") << "bytes above 127 are text, not control characters";
}

// A system whose code page holds ASCII alone, and whose short names are those given.
PathForms AsciiSystem(std::vector<std::pair<std::string, std::string>> shortNames) {
  auto fits = [](const std::string& path) {
    for (char c : path)
      if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
  };
  auto shortForm = [shortNames](const std::string& path) -> std::optional<std::string> {
    for (const auto& [name, shortName] : shortNames)
      if (name == path) return shortName;
    return std::nullopt;
  };
  return {fits, shortForm};
}

TEST(ToolPaths, APathThatFitsIsHandedAsItIsElseItsShortFormElseNone) {
  const std::string polish = "C:\\roms\\\xC5\x81\xC3\xB3" "dz.gba";  // its short form is itself: no short names
  PathForms system = AsciiSystem({{"C:\\roms\\Caf\xC3\xA9.gba", "C:\\roms\\CAF~1.GBA"}, {polish, polish}});
  EXPECT_EQ(PathForTool("C:\\roms\\Cafe.gba", system), "C:\\roms\\Cafe.gba");
  EXPECT_EQ(PathForTool("C:\\roms\\Caf\xC3\xA9.gba", system), "C:\\roms\\CAF~1.GBA");
  EXPECT_EQ(PathForTool(polish, system), std::nullopt) << "a short form that does not fit";
  EXPECT_EQ(PathForTool("C:\\roms\\\xE3\x83\x9D.gba", system), std::nullopt) << "no short form";
}

TEST(ToolPaths, ANewFileGoesByItsFoldersShortForm) {
  PathForms system = AsciiSystem({{"C:\\\xE3\x83\x9D\\", "C:\\6B1B~1\\"}, {"C:\\\xC5\x81\\", "C:\\6B1B~1"}});
  EXPECT_EQ(NewFilePathForTool("C:\\fe\\", "log.txt", system), "C:\\fe\\log.txt");
  EXPECT_EQ(NewFilePathForTool("C:\\\xE3\x83\x9D\\", "log.txt", system), "C:\\6B1B~1\\log.txt");
  EXPECT_EQ(NewFilePathForTool("C:\\\xC5\x81\\", "log.txt", system), "C:\\6B1B~1\\log.txt") << "a separator added";
  EXPECT_EQ(NewFilePathForTool("C:\\\xC3\xA9\\", "log.txt", system), std::nullopt);
}

TEST(ResultCodes, ExitCodesMapByTheTable) {
  EXPECT_EQ(MapExitCode(0), kResultOk);
  EXPECT_EQ(MapExitCode(-1), kResultProblems);
  EXPECT_EQ(MapExitCode(-2), kResultBroken);
  EXPECT_EQ(MapExitCode(-3), kResultError);
  EXPECT_EQ(MapExitCode(-4), kResultPatched);
  EXPECT_EQ(MapExitCode(1), kResultError);
  EXPECT_EQ(MapExitCode(static_cast<int32_t>(0xC0000005u)), kResultError);
  EXPECT_EQ(MapExitCode(static_cast<int32_t>(0xFFFFFFFCu)), kResultPatched);
  EXPECT_EQ(MapExitCode(INT32_MIN), kResultError);
}

TEST(ResultCodes, NamesOfTheFiveCodesAndUnknownForAnythingElse) {
  EXPECT_EQ(ResultName(0), "OK");
  EXPECT_EQ(ResultName(1), "PROBLEMS");
  EXPECT_EQ(ResultName(2), "BROKEN");
  EXPECT_EQ(ResultName(3), "ERROR");
  EXPECT_EQ(ResultName(4), "PATCHED");
  EXPECT_EQ(ResultName(5), "UNKNOWN");
  EXPECT_EQ(ResultName(-1), "UNKNOWN");
}

}  // namespace
}  // namespace quarvel
