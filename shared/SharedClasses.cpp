// shared/SharedClasses.cpp -- property tables of the download and special-folder components
#include "SharedClasses.h"

#include "HttpFetch.h"
#include "UiComponent.h"
#include "UiDirectories.h"
#include "desktop/Classes.h"

namespace {

// Each is computed when read; a description may still name one, and the value is dropped.
const char* const DirectoryProperties[] = {"CurrentDirectory", "WindowsDirectory", "SystemDirectory", "TempPath",
    "ProgramFiles", "ApplicationData", "Cache", "Cookies", "Desktop", "Favorites", "Fonts", "History", "NetHood",
    "Personal", "Programs", "Recent", "SendTo", "StartMenu", "Startup", "Templates", "CommonAdminTools",
    "CommonAppData", "CommonDesktop", "CommonDocuments", "CommonPrograms", "CommonStartMenu", "CommonStartup",
    "CommonTemplates", "CommonPersonal", "AllUsersAppData", "AllUsersDesktop", "AllUsersDocuments",
    "AllUsersPrograms", "AllUsersStartMenu", "AllUsersStartup", "AllUsersTemplates", "AllUsersFavorites"};

}  // namespace

void RegisterSharedClasses() {
    static bool registered = false;
    if (registered) return;
    RegisterDesktopClasses();
    TClassRegistration<TUiComponent>("TUiComponent", "TComponent").String("AboutInfo", &TUiComponent::SetAboutInfo);
    TClassRegistration<TUiDirectories> directories("TUiDirectories", "TUiComponent");
    for (const char* name : DirectoryProperties) directories.Ignore(name);
    TClassRegistration<THttpFetch>("THttpFetch", "TComponent")
        .String("AcceptTypes", &THttpFetch::SetAcceptTypes)
        .String("Agent", &THttpFetch::SetAgent)
        .Bool("BinaryData", &THttpFetch::SetBinaryData)
        .String("URL", &THttpFetch::SetURL)
        .Bool("UseCache", &THttpFetch::SetUseCache)
        .String("FileName", &THttpFetch::SetFileName)
        .String("UserName", &THttpFetch::SetUserName)
        .String("Password", &THttpFetch::SetPassword)
        .String("PostQuery", &THttpFetch::SetPostQuery)
        .String("Referer", &THttpFetch::SetReferer)
        .Bool("WaitThread", &THttpFetch::SetWaitThread)
        .Event<TOnProgressEvent>("OnProgress", &THttpFetch::SetOnProgress)
        .Event<TOnDoneFileEvent>("OnDoneFile", &THttpFetch::SetOnDoneFile)
        .Event<TOnDoneStringEvent>("OnDoneString", &THttpFetch::SetOnDoneString)
        .Event<TNotifyEvent>("OnError", &THttpFetch::SetOnError);
    registered = true;
}
