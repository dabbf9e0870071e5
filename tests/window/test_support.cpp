#include "tests/window/test_support.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace quarvel::testing {

namespace {
void DeleteTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = folder + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        DeleteTree(path + "\\");
      } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}
}  // namespace

TempFolder::TempFolder() {
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  static int counter = 0;
  path_ = std::string(base) + "quarvel-test-" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(++counter) + "\\";
  CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() { DeleteTree(path_); }

void WriteRom(const std::string& path, const std::string& header, size_t size) {
  std::string image(size, '\0');
  for (size_t i = 0; i < header.size() && 160 + i < size; ++i) image[160 + i] = header[i];
  WriteText(path, image);
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
}

std::string ReadText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  std::istringstream text(ReadText(path));
  for (std::string line; std::getline(text, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string TestProgramDir() {
  char path[MAX_PATH * 4];
  std::string module(path, GetModuleFileNameA(nullptr, path, sizeof(path)));
  return module.substr(0, module.find_last_of('\\') + 1);
}

void CopyStandIn(const std::string& appDir) {
  ASSERT_TRUE(CopyFileA((TestProgramDir() + "Quarvel.exe").c_str(), (appDir + "Quarvel.exe").c_str(), FALSE));
}

ScopedEnvironment::ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
  SetEnvironmentVariableA(name, value.c_str());
}
ScopedEnvironment::~ScopedEnvironment() { SetEnvironmentVariableA(name_.c_str(), nullptr); }

MainWindowFixture::MainWindowFixture(bool withTool) {
  if (withTool) CopyStandIn(appDir_.path());
  form_ = std::make_unique<TFormMain>();
  form_->Create(appDir_.path());
  form_->SetFileChooser([this](HWND) -> std::optional<std::vector<std::string>> { return std::nullopt; });
  form_->Show(SW_SHOWNORMAL);
  PumpMessages();
}

void MainWindowFixture::Choose(const std::vector<std::string>& paths) {
  form_->SetFileChooser([paths](HWND) -> std::optional<std::vector<std::string>> { return paths; });
  Command(IDC_BUTTON_ADD);
}

std::string MainWindowFixture::Cell(int row, int column) {
  char text[1024] = {};
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof(text);
  SendMessageA(form_->Control(IDC_LISTVIEW1), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

int MainWindowFixture::RowCount() { return ListView_GetItemCount(form_->Control(IDC_LISTVIEW1)); }

void MainWindowFixture::SelectRows(const std::vector<int>& rows) {
  HWND list = form_->Control(IDC_LISTVIEW1);
  ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
  for (int row : rows) ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
}

std::string MainWindowFixture::StatusText() {
  char text[256] = {};
  // A simple-mode status bar gives its text back as part 0.
  SendMessageA(form_->Control(IDC_STATUSBAR1), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
  return text;
}

void MainWindowFixture::Command(int id) { SendMessageA(form_->Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace quarvel::testing

// The window tests need the common controls registered, as the program's own entry point does.
int main(int argc, char** argv) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
