// desktop/ClassList.h -- the registration functions of this library's class families
#pragma once

void RegisterControlClasses();          // TComponent, TControl
void RegisterFormClasses();             // TForm
void RegisterStandardControlClasses();  // buttons, labels, edits, lists, panels, pages, ...
void RegisterMenuAndDialogClasses();    // timers, menus, image lists, images, shapes, speed buttons, the open dialog
void RegisterScrollBoxClass();          // TScrollBox
