// The front-end in this process, each figure against its bare limit measured in the same run:
//   add [repetitions]    1,000 and 10,000 files in one drop, against opening each file once and reading
//                        its 18 header bytes and its size; 10,000 copies of one file, against 10,000
//                        different files;
//   batch [repetitions]  "Test" over 500 rows, against starting and waiting for the same tool 500 times;
//   memory               private memory per row with 10,000 rows listed, and the size of QuarvelFE.exe.
#include "app/form_main.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/control_ids.h"
#include "bench/bench_support.h"
#include "romlist/header_text.h"
#include "tool/command_line.h"
#include "ui/messages.h"

namespace quarvel::bench {
namespace {

// Notices and failure reports are counted, never shown: a dialog would stop the clock.
class CountedMessages : public MessageSink {
 public:
  void ShowNotice(const std::string& text) override { Note(text); }
  void ShowFailureReport(const std::string& message) override { Note(message); }
  int count = 0;

 private:
  void Note(const std::string& text) {
    if (count++ == 0) std::fprintf(stderr, "unexpected message: %s\n", text.c_str());
  }
};

// A main window whose program folder holds the stand-in tool, shown and painted in full as a person's
// window is before they drop anything on it: a fresh window's first paint is not the cost of a drop.
std::unique_ptr<TFormMain> MakeForm(const std::string& appDir) {
  auto form = std::make_unique<TFormMain>();
  form->Create(appDir);
  form->Show(SW_SHOWNORMAL);
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  PumpMessages();
  return form;
}

void DropOn(TFormMain& form, HGLOBAL drop) {
  SendMessageA(form.Control(IDC_LISTVIEW1), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  UpdateWindow(form.Control(IDC_LISTVIEW1));  // the rows the user sees are drawn
}

// The bare limit: each file opened once as the front-end opens it, its header bytes and size read.
double BareRead(const std::vector<std::string>& paths, size_t count) {
  double start = Now();
  uint64_t total = 0;
  for (size_t i = 0; i < count; ++i) {
    HANDLE file = CreateFileA(paths[i].c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    char bytes[kGameNameLength];
    DWORD read = 0;
    SetFilePointer(file, kGameNameOffset, nullptr, FILE_BEGIN);
    ReadFile(file, bytes, sizeof(bytes), &read, nullptr);
    total += GetFileSize(file, nullptr) + read;
    CloseHandle(file);
  }
  double elapsed = Now() - start;
  if (total == 0) std::fprintf(stderr, "nothing read\n");
  return elapsed;
}

// The first count paths dropped on a new window, which then lists rows rows (count, unless paths repeat).
double AppDrop(const std::string& appDir, const std::vector<std::string>& paths, size_t count, size_t rows = 0) {
  auto form = MakeForm(appDir);
  HGLOBAL drop = MakeDrop({paths.begin(), paths.begin() + static_cast<long>(count)});
  double start = Now();
  DropOn(*form, drop);
  double elapsed = Now() - start;
  if (rows == 0) rows = count;
  if (form->Rows().Count() != rows)
    std::fprintf(stderr, "%u rows, not %u\n", unsigned(form->Rows().Count()), unsigned(rows));
  return elapsed;
}

// What the drop's own list costs: every path read back from it, as the drop handler reads them.
double DropListOnly(const std::vector<std::string>& paths, size_t count) {
  HGLOBAL drop = MakeDrop({paths.begin(), paths.begin() + static_cast<long>(count)});
  double start = Now();
  auto handle = static_cast<HDROP>(drop);
  UINT files = DragQueryFileA(handle, 0xFFFFFFFF, nullptr, 0);
  char path[MAX_PATH * 4];
  size_t total = 0;
  for (UINT i = 0; i < files; ++i) total += DragQueryFileA(handle, i, path, sizeof(path));
  double elapsed = Now() - start;
  DragFinish(handle);
  if (total == 0) std::fprintf(stderr, "empty drop\n");
  return elapsed;
}

int Add(int repetitions) {
  ScratchFolder appDir("add-app"), roms("add-roms");
  CopyFileA((ProgramDir() + "Quarvel.exe").c_str(), (appDir.path() + "Quarvel.exe").c_str(), FALSE);
  std::vector<std::string> paths = WriteRoms(roms.path(), 10000);
  CountedMessages messages;
  ScopedMessageSink sink(messages);
  // One file shows what a drop costs whatever its size: the handler and the paint that follows, on the
  // window's first drop and on a later one.
  std::vector<double> handler[2], paint[2];
  for (int i = 0; i < 5; ++i) {
    auto form = MakeForm(appDir.path());
    for (int drop = 0; drop < 2; ++drop) {
      double start = Now();
      SendMessageA(form->Control(IDC_LISTVIEW1), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({paths[drop]})), 0);
      double handled = Now();
      UpdateWindow(form->Control(IDC_LISTVIEW1));
      handler[drop].push_back(handled - start);
      paint[drop].push_back(Now() - handled);
    }
  }
  for (int drop = 0; drop < 2; ++drop)
    PrintRow(std::string("1 file, ") + (drop ? "a later" : "the first") + " drop on a painted window: handler + paint",
             Milliseconds(Median(handler[drop])) + " + " + Milliseconds(Median(paint[drop])),
             Milliseconds(BareRead(paths, 1)), (Median(handler[drop]) + Median(paint[drop])) / BareRead(paths, 1), "", true);
  double perFile[2] = {};
  const size_t counts[] = {1000, 10000};
  for (int which = 0; which < 2; ++which) {
    size_t count = counts[which];
    BareRead(paths, count);  // warms the file cache for both
    // A slow front-end is timed once at 10,000 files, so that the run stays within minutes.
    int runs = which == 1 && perFile[0] * static_cast<double>(count) > 60.0 ? 1 : repetitions;
    std::vector<double> bare, app, list;
    for (int i = 0; i < runs; ++i) {
      bare.push_back(BareRead(paths, count));
      app.push_back(AppDrop(appDir.path(), paths, count));
      list.push_back(DropListOnly(paths, count));
    }
    double ratio = Median(app) / Median(bare);
    perFile[which] = Median(app) / static_cast<double>(count);
    std::string label = std::to_string(count) + " files in one drop (median of " + std::to_string(runs) + ")";
    PrintRow(label, Milliseconds(Median(app)), Milliseconds(Median(bare)) + " (open, read 18 bytes and size, close)",
             ratio, "<= 1.5x", ratio <= 1.5);
    std::printf("| - for comparison: reading the drop's list with DragQueryFileA, one call a path | %s | | %.2fx | | |\n",
                Milliseconds(Median(list)).c_str(), Median(list) / Median(bare));
  }
  double growth = perFile[1] / perFile[0];
  PrintRow("Cost per file, 10,000 against 1,000", Microseconds(perFile[1]) + " per file",
           Microseconds(perFile[0]) + " per file", growth, "<= 1.2x", growth <= 1.2);
  // One file 10,000 times: a listed file is recognised without being opened again, so the drop costs a
  // small part of what 10,000 different files do.
  std::vector<std::string> copies(10000, paths.front());
  std::vector<double> copiesDrop;
  for (int i = 0; i < repetitions; ++i) copiesDrop.push_back(AppDrop(appDir.path(), copies, copies.size(), 1));
  double share = Median(copiesDrop) / (perFile[1] * 10000.0);
  PrintRow("10000 copies of one file in one drop (median of " + std::to_string(repetitions) + ")",
           Milliseconds(Median(copiesDrop)), Milliseconds(perFile[1] * 10000.0) + " (10000 different files)", share,
           "<= 0.25x", share <= 0.25);
  return messages.count == 0 ? 0 : 1;
}

// The bare limit of a batch: the same tool started with the same kind of command line and waited for.
double BareRuns(const std::string& appDir, const std::vector<std::string>& paths) {
  DeleteFileA((appDir + kLogFileName).c_str());
  SetCurrentDirectoryA(appDir.c_str());
  double start = Now();
  for (const std::string& path : paths) {
    std::string line = JoinCommandLine(ToolCommand(appDir), ToolParameters({}, OperationSwitch(Operation::Test), path, appDir));
    std::vector<char> writable(line.begin(), line.end());
    writable.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                        &startup, &info))
      return -1;
    WaitForSingleObject(info.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
  return Now() - start;
}

int Batch(int repetitions) {
  const size_t kRows = 500;
  ScratchFolder appDir("batch-app"), roms("batch-roms");
  CopyFileA((ProgramDir() + "Quarvel.exe").c_str(), (appDir.path() + "Quarvel.exe").c_str(), FALSE);
  std::vector<std::string> paths = WriteRoms(roms.path(), kRows);
  SetEnvironmentVariableA("QUARVEL_STANDIN_EXIT", "0");
  CountedMessages messages;
  ScopedMessageSink sink(messages);
  auto form = MakeForm(appDir.path());
  DropOn(*form, MakeDrop(paths));
  BareRuns(appDir.path(), {paths.begin(), paths.begin() + 20});  // the tool's file in the cache
  std::vector<double> bare, app;
  auto appRun = [&] {
    double start = Now();
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(IDC_BUTTON_TEST, 0), 0);
    app.push_back(Now() - start);
    PumpMessages();
  };
  for (int i = 0; i < repetitions; ++i) {  // the order alternates, so neither always runs first
    if (i % 2) appRun();
    bare.push_back(BareRuns(appDir.path(), paths));
    if (i % 2 == 0) appRun();
  }
  double appRow = Median(app) / kRows, bareRow = Median(bare) / kRows;
  PrintRow("\"Test\" over 500 rows, per row (median of " + std::to_string(repetitions) + ")", Milliseconds(appRow),
           Milliseconds(bareRow) + " (CreateProcess + wait)", appRow / bareRow, "<= 1.1x", appRow / bareRow <= 1.1);
  form.reset();
  DeleteFileA((appDir.path() + kLogFileName).c_str());
  return messages.count == 0 ? 0 : 1;
}

int Memory() {
  const size_t kRows = 10000;
  ScratchFolder appDir("memory-app"), roms("memory-roms");
  CopyFileA((ProgramDir() + "Quarvel.exe").c_str(), (appDir.path() + "Quarvel.exe").c_str(), FALSE);
  std::vector<std::string> paths = WriteRoms(roms.path(), kRows);
  CountedMessages messages;
  ScopedMessageSink sink(messages);
  auto form = MakeForm(appDir.path());
  // One small drop first, so what every list needs once is not counted per row.
  DropOn(*form, MakeDrop({paths.front()}));
  PumpMessages();
  uint64_t before = PrivateBytes();
  // Added while the window is hidden, only to save time (the list view's count changes are slow while
  // shown); then shown and drawn, so the figure is that of 10,000 rows listed and seen.
  ShowWindow(form->Handle(), SW_HIDE);
  DropOn(*form, MakeDrop(paths));
  form->Show(SW_SHOWNORMAL);
  PumpMessages();
  uint64_t after = PrivateBytes();
  if (form->Rows().Count() != kRows) std::fprintf(stderr, "%u rows listed\n", unsigned(form->Rows().Count()));
  double perRow = static_cast<double>(after - before) / static_cast<double>(kRows - 1);
  std::printf("| Private memory per row, 10,000 rows listed | %.0f bytes per row | (%.2f MB for the list) | | | |\n", perRow,
              static_cast<double>(after - before) / 1048576.0);
  WIN32_FILE_ATTRIBUTE_DATA exe{};
  GetFileAttributesExA((ProgramDir() + "QuarvelFE.exe").c_str(), GetFileExInfoStandard, &exe);
  std::printf("| Size of QuarvelFE.exe (release, static, stripped) | %lu KB | | | | |\n", exe.nFileSizeLow / 1024);
  return messages.count == 0 ? 0 : 1;
}

}  // namespace
}  // namespace quarvel::bench

int main(int argc, char** argv) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  std::string what = argc > 1 ? argv[1] : "";
  int repetitions = argc > 2 ? std::atoi(argv[2]) : 0;
  if (what == "add") return quarvel::bench::Add(repetitions > 0 ? repetitions : 5);
  if (what == "batch") return quarvel::bench::Batch(repetitions > 0 ? repetitions : 2);
  if (what == "memory") return quarvel::bench::Memory();
  std::fprintf(stderr, "usage: inprocess_bench.exe add|batch|memory [repetitions]\n");
  return 2;
}
