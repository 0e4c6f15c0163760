// controls/ControlClasses.h -- start-up of the control family
#pragma once

// Fills the character, system-information and graphics tables, loads the hand cursors,
// registers the JPEG picture format and every class of controls/ for window descriptions
// (the shared classes first: the form magnet's base is there). Safe to call again.
void RegisterFxControlClasses();
void InitControlTables();                 // the tables alone, in their start-up order
