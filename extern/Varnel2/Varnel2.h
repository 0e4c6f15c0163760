// extern/Varnel2/Varnel2.h -- the outside library's two calls, linked at load time
//
// Both are stdcall and exported under their bare names ("UserName",
// "IsAdministrator"), the way the outside library is built.
//
// Test switches, read from the process environment at each call:
//   SENTINOX_TEST_USERNAME  when set, UserName returns its value instead of the
//                           log-on name; set but empty gives the empty name.
//   SENTINOX_TEST_ISADMIN   when set, IsAdministrator returns 0 for "0" and
//                           1 for any other value instead of asking the token.
#pragma once

#ifdef VARNEL2_BUILD
#define VARNEL2_API extern "C" __declspec(dllexport)
#else
#define VARNEL2_API extern "C" __declspec(dllimport)
#endif

// The current user's log-on name, zero-terminated; the buffer belongs to the
// library and stays valid until the next call. Never null.
VARNEL2_API const char* __stdcall UserName();

// Non-zero when the current user is a member of the Administrators group.
VARNEL2_API int __stdcall IsAdministrator();
