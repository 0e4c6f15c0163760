// shell/ShellComponentClasses.h -- registration of the shell components no window of the product
// places, so that a window description can: the file components, the wave sound, the Start-button
// properties, the colour picker and the window-procedure hook
#pragma once

// Registers them with their published properties and events, in the family's order; safe to
// call more than once.
void RegisterShellComponentClasses();
