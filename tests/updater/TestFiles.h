// tests/updater/TestFiles.h -- the files and folders the updater tests work on, from the test's side
#pragma once
#include <string>

namespace updtest {

std::string ReadFile(const std::string& path);                        // "<missing>" when it cannot be read
void WriteFile(const std::string& path, const std::string& bytes);
void RemoveTree(const std::string& folder);                          // folder ends in "\"; read-only files too
// An empty folder of this name under %TEMP%, per test process, with a trailing "\".
std::string FreshTempFolder(const std::string& name);

} // namespace updtest
