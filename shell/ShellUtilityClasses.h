// shell/ShellUtilityClasses.h -- registration of the autostart, shutdown, single-instance and
// application-properties components for window descriptions
#pragma once

// Registers TApplicationEvents, TsxApplicationProperties, TsxAutoRun, TsxOneInstance and
// TsxShutdown with their published properties and events; safe to call more than once.
void RegisterShellUtilityClasses();
