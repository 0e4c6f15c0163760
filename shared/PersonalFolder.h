// shared/PersonalFolder.h -- the folder that holds every per-user file of both programs
#pragma once
#include <string>

// The current user's "Personal" shell folder, ending in "\". When the Shell Folders
// value is missing or empty, the shell's own answer (CSIDL_PERSONAL) stands in, so the
// per-user files never land in whatever folder happens to be current. "" only when
// both fail.
std::string PersonalFolder();
