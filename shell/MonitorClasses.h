// shell/MonitorClasses.h -- registration of the registry and folder monitors and the thread
// components for window descriptions
#pragma once

// Registers them with their published properties and events; safe to call more than once.
void RegisterMonitorClasses();
