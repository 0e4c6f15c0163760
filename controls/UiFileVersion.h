// controls/UiFileVersion.h -- a module's file name and a file's fixed version block
#pragma once
#include <windows.h>
#include <string>

std::string ModuleLocation(HMODULE module);
// False (info untouched) when the file has no version resource, it cannot be read, or its
// root block is not exactly a VS_FIXEDFILEINFO.
bool ReadFixedFileVersion(const std::string& fileName, VS_FIXEDFILEINFO& infoOut);
