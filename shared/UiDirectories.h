// shared/UiDirectories.h -- TUiDirectories: the paths of the special folders, each ending in "\"
//
// Every property is looked up when it is read; nothing is cached. A folder that
// cannot be found (key or value missing, value not a string) reads as "".
#pragma once
#include <string>

#include "UiComponent.h"

class TUiDirectories : public TUiComponent {
public:
    explicit TUiDirectories(TComponent* owner) : TUiComponent(owner) {}

    // From the system calls of the same name.
    std::string CurrentDirectory() const;
    std::string WindowsDirectory() const;
    std::string SystemDirectory() const;
    std::string TempPath() const;
    std::string ProgramFiles() const;        // HKLM "...\CurrentVersion" value "ProgramFilesDir"

    // The current user's shell folders (HKCU "...\Explorer\Shell Folders").
    std::string ApplicationData() const { return GetShellFolder(0); }
    std::string Cache() const { return GetShellFolder(1); }
    std::string Cookies() const { return GetShellFolder(2); }
    std::string Desktop() const { return GetShellFolder(3); }
    std::string Favorites() const { return GetShellFolder(4); }
    std::string Fonts() const { return GetShellFolder(5); }
    std::string History() const { return GetShellFolder(6); }
    std::string NetHood() const { return GetShellFolder(7); }
    std::string Personal() const { return GetShellFolder(8); }   // home of every per-user file
    std::string Programs() const { return GetShellFolder(9); }
    std::string Recent() const { return GetShellFolder(10); }
    std::string SendTo() const { return GetShellFolder(11); }
    std::string StartMenu() const { return GetShellFolder(12); }
    std::string Startup() const { return GetShellFolder(13); }
    std::string Templates() const { return GetShellFolder(14); }

    // The machine's shell folders (HKLM "...\Explorer\Shell Folders"), as stored.
    std::string CommonAdminTools() const { return GetCommonFolder(0); }
    std::string CommonAppData() const { return GetCommonFolder(1); }
    std::string CommonDesktop() const { return GetCommonFolder(2); }
    std::string CommonDocuments() const { return GetCommonFolder(3); }
    std::string CommonPrograms() const { return GetCommonFolder(4); }
    std::string CommonStartMenu() const { return GetCommonFolder(5); }
    std::string CommonStartup() const { return GetCommonFolder(6); }
    std::string CommonTemplates() const { return GetCommonFolder(7); }
    std::string CommonPersonal() const { return GetCommonFolder(8); }

    // The same machine values with %VARIABLES% expanded.
    std::string AllUsersAppData() const { return GetAllUsersFolder(1); }
    std::string AllUsersDesktop() const { return GetAllUsersFolder(2); }
    std::string AllUsersDocuments() const { return GetAllUsersFolder(3); }
    std::string AllUsersPrograms() const { return GetAllUsersFolder(4); }
    std::string AllUsersStartMenu() const { return GetAllUsersFolder(5); }
    std::string AllUsersStartup() const { return GetAllUsersFolder(6); }
    std::string AllUsersTemplates() const { return GetAllUsersFolder(7); }
    std::string AllUsersFavorites() const { return GetAllUsersFolder(9); }

    std::string GetShellFolder(int index) const;      // per-user table, 0 to 14; "" outside it
    std::string GetCommonFolder(int index) const;     // machine table, 0 to 9
    std::string GetAllUsersFolder(int index) const;   // machine table, expanded
};
