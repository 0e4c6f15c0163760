// shared/SharedClasses.h -- registers this folder's components for window descriptions
#pragma once

// TUiComponent, TUiDirectories, THttpFetch; registers the desktop classes first. Safe to call more than once.
void RegisterSharedClasses();
