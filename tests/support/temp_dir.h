// A fresh directory under $TMPDIR (or /tmp), removed with everything in it
// when the object goes out of scope. For tests that need real files: external
// tools, the command-line binary, the POSIX file system.
//
//   TempDir dir;
//   std::string path = dir.Path("cmbd.dbf");   // <dir>/cmbd.dbf
#pragma once

#include <string>

namespace quirovel::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The directory itself, without a trailing "/".
  const std::string& path() const { return path_; }
  // A path inside it ("a/b.txt" is allowed; parents are not created).
  std::string Path(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Whole-file helpers on the real disk; they fail the current test on error.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

// Runs a shell command and returns what it printed on standard output; exit
// status in *status (the value of std::system's wait status, 0 on success).
std::string RunCommand(const std::string& command, int* status = nullptr);

// True when the command runs and exits 0; what it prints is dropped.
bool CommandWorks(const std::string& command);

// The python3 that can import dbfread, Debian's first (another python3
// earlier on PATH may lack the module); empty when none can.
std::string DbfreadPython();

// Quotes a text for /bin/sh.
std::string ShellQuote(const std::string& text);

}  // namespace quirovel::testing
