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

// A system whose code page holds ASCII alone, whose tools open paths of up to 20 characters, and whose short
// names are those given; a path with none is gone (error 2).
PathForms AsciiSystem(std::vector<std::pair<std::string, std::string>> shortNames) {
  auto fit = [](const std::string& path) {
    for (char c : path)
      if (static_cast<unsigned char>(c) >= 0x80) return PathFit::OutsideCodePage;
    return path.size() <= 20 ? PathFit::Fits : PathFit::TooLong;
  };
  auto shortForm = [shortNames](const std::string& path) {
    for (const auto& [name, shortName] : shortNames)
      if (name == path) return ShortForm{shortName};
    return ShortForm{"", 2};
  };
  return {fit, shortForm};
}

std::string Handed(const HandedPath& handed) {
  const char* problem = handed.problem == PathFit::TooLong ? "too long" : "outside";
  return handed.path ? *handed.path : problem + (", error " + std::to_string(handed.error));
}

TEST(ToolPaths, APathThatFitsIsHandedAsItIsElseItsShortFormElseWhyNot) {
  const std::string polish = "C:\\r\\\xC5\x81\xC3\xB3" "dz.gba";  // its short form is itself: no short names
  const std::string deep = "C:\\roms\\deeper\\file.gba";
  PathForms system = AsciiSystem({{"C:\\r\\Caf\xC3\xA9.gba", "C:\\r\\CAF~1.GBA"}, {polish, polish},
                                  {deep, "C:\\ROMS\\DEEPER~1\\FILE.GBA"},
                                  {"C:\\roms\\a long name.gba", "C:\\roms\\ALONGN~1.GBA"}});
  EXPECT_EQ(Handed(PathForTool("C:\\r\\Cafe.gba", system)), "C:\\r\\Cafe.gba");
  EXPECT_EQ(Handed(PathForTool("C:\\r\\Caf\xC3\xA9.gba", system)), "C:\\r\\CAF~1.GBA");
  EXPECT_EQ(Handed(PathForTool(polish, system)), "outside, error 0") << "a short form that does not fit";
  EXPECT_EQ(Handed(PathForTool("C:\\r\\\xE3\x83\x9D.gba", system)), "outside, error 2") << "the system's reason";
  EXPECT_EQ(Handed(PathForTool(deep, system)), "too long, error 0") << "a short form still too long";
  EXPECT_EQ(Handed(PathForTool("C:\\roms\\a long name.gba", system)), "C:\\roms\\ALONGN~1.GBA") << "23 characters";
}

TEST(ToolPaths, TheProgramFolderGoesByItsShortFormWhereItsLongestFileDoesNotFit) {
  PathForms system = AsciiSystem({{"C:\\\xE3\x83\x9D\\", "C:\\6B~1\\"}, {"C:\\\xC5\x81\\", "C:\\6B~1"},
                                  {"C:\\a folder\\", "C:\\AF~1\\"}});
  EXPECT_EQ(Handed(FolderForTool("C:\\fe\\", "Quarvel.exe", system)), "C:\\fe\\");
  EXPECT_EQ(Handed(FolderForTool("C:\\\xE3\x83\x9D\\", "Quarvel.exe", system)), "C:\\6B~1\\");
  EXPECT_EQ(Handed(FolderForTool("C:\\\xC5\x81\\", "log.txt", system)), "C:\\6B~1\\") << "a separator added";
  EXPECT_EQ(Handed(FolderForTool("C:\\a folder\\", "log.txt", system)), "C:\\a folder\\");
  EXPECT_EQ(Handed(FolderForTool("C:\\a folder\\", "Quarvel.exe", system)), "C:\\AF~1\\") << "23 characters";
  EXPECT_EQ(Handed(FolderForTool("C:\\\xC3\xA9\\", "log.txt", system)), "outside, error 2");
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
