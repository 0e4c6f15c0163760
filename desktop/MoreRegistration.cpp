// desktop/MoreRegistration.cpp -- registers timers, menus, image lists, images, shapes, speed buttons and the open dialog
#include "ClassList.h"
#include "Dialogs.h"
#include "Image.h"
#include "ImageList.h"
#include "Menus.h"
#include "Shape.h"
#include "SpeedButton.h"
#include "Timer.h"

void RegisterMenuAndDialogClasses() {
    RegisterTimerClass();
    RegisterImageListClass();
    RegisterMenuClasses();
    RegisterImageClass();
    RegisterShapeClass();
    RegisterSpeedButtonClass();
    RegisterDialogClasses();
}
