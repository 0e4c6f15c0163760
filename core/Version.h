// core/Version.h -- the installation's version and update number, as written to the settings file
#pragma once

inline constexpr const char* CoreVersion = "3.0.6";
// Compared by both programs' update checks with the number the product's web site publishes.
inline constexpr int UpdateNumber = 5;
