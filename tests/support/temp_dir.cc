#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace quirovel::testing {

TempDir::TempDir() {
  const char* base = std::getenv("TMPDIR");
  path_ = std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/quirovel-test-XXXXXX";
  if (::mkdtemp(path_.data()) == nullptr) ADD_FAILURE() << "cannot create a directory " << path_;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) ADD_FAILURE() << "cannot read " << path;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) ADD_FAILURE() << "cannot write " << path;
}

std::string RunCommand(const std::string& command, int* status) {
  std::string output;
  FILE* pipe = ::popen(command.c_str(), "r");
  char block[4096];
  for (std::size_t n; pipe != nullptr && (n = std::fread(block, 1, sizeof block, pipe)) > 0;)
    output.append(block, n);
  const int rc = pipe == nullptr ? -1 : ::pclose(pipe);
  if (status != nullptr) *status = rc;
  return output;
}

bool CommandWorks(const std::string& command) {
  int status = 0;
  RunCommand(command + " >/dev/null 2>&1", &status);
  return status == 0;
}

std::string DbfreadPython() {
  for (const char* p : {"/usr/bin/python3", "python3"})
    if (CommandWorks(std::string(p) + " -c 'import dbfread'")) return p;
  return {};
}

std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace quirovel::testing
