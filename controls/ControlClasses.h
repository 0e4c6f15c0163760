// controls/ControlClasses.h -- start-up of the control family
#pragma once

// Fills the character, system-information and graphics tables, loads the hand cursors,
// registers the JPEG picture format and every class of controls/ for window descriptions (the
// shared classes first: the form magnet's base is there; the sx family each under its custom
// and its published name, then TPanel and TUpDown, which the date panel is made of, unless
// registered already). Needs RegisterDesktopClasses first; needs no window; runs once however
// often it is called.
void RegisterFxControlClasses();
void InitControlTables();                 // the tables alone, in their start-up order
