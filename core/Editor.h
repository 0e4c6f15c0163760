// core/Editor.h -- Teditor: the main window "Sentinox Control Center"
#pragma once
#include "desktop/Form.h"

class TLabel;
class TPageControl;
class TPanel;
class TTabSheet;

class Teditor : public TForm {
public:
    explicit Teditor(TComponent* owner);

    // Components of the description.
    TPanel* header = nullptr;
    TPanel* menu = nullptr;
    TLabel* version = nullptr;
    TPageControl* Engine = nullptr;
    TTabSheet* pgHome = nullptr;
    TTabSheet* pgSettings = nullptr;
    TTabSheet* pgScanning = nullptr;
    TTabSheet* pgTrashcan = nullptr;
    TTabSheet* pgHelp = nullptr;
    TTabSheet* pgUpdate = nullptr;
    TTabSheet* pgProcesses = nullptr;
    TTabSheet* pgAbout = nullptr;
    TTabSheet* pgTools = nullptr;
    TTabSheet* pgLists = nullptr;
};

// Registers the main program's window classes with their handlers and fields.
void RegisterCoreClasses();
