// tests/shared/SharedClassesTest.cpp -- the shared components as a window description names them
#include <gtest/gtest.h>

#include <string>

#include "desktop/Classes.h"
#include "desktop/DescriptionReader.h"
#include "shared/HttpFetch.h"
#include "shared/SharedClasses.h"
#include "shared/UiDirectories.h"

namespace {

// A root with the handlers and fields a program's window would have.
class TDownloadRoot : public TComponent {
public:
    explicit TDownloadRoot(TComponent* owner) : TComponent(owner) {}
    void dlfileProgress(TObject*, int totalSize, int readed) { Progress = readed * 1000 + totalSize; }
    void dlfileDoneFile(TObject*, const std::string& fileName, int fileSize) { Done = fileName + ":" + std::to_string(fileSize); }
    void dlfileDoneString(TObject*, const std::string& result) { Done = result; }
    void dlfileError(TObject* sender) { ErrorSender = sender; }
    THttpFetch* dlfile = nullptr;
    TUiDirectories* dirs = nullptr;
    int Progress = 0;
    std::string Done;
    TObject* ErrorSender = nullptr;
};

const TClassInfo& RootClass() {
    RegisterSharedClasses();
    static TClassInfo& info = TClassRegistration<TDownloadRoot>("TDownloadRoot", "TComponent")
                                  .Handler("dlfileProgress", &TDownloadRoot::dlfileProgress)
                                  .Handler("dlfileDoneFile", &TDownloadRoot::dlfileDoneFile)
                                  .Handler("dlfileDoneString", &TDownloadRoot::dlfileDoneString)
                                  .Handler("dlfileError", &TDownloadRoot::dlfileError)
                                  .Field("dlfile", &TDownloadRoot::dlfile)
                                  .Field("dirs", &TDownloadRoot::dirs)
                                  .Info();
    return info;
}

}  // namespace

TEST(SharedClassesTest, DescriptionSetsEveryPublishedPropertyAndEvent) {
    TDownloadRoot root(nullptr);
    RegisterSharedClasses();   // a second call changes nothing
    LoadDescription(&root, RootClass(), R"(object main: TDownloadRoot
  object dlfile: THttpFetch
    AcceptTypes = 'application/zip'
    Agent = 'Agent'
    BinaryData = True
    URL = 'http://host.example/dir/file.zip'
    UseCache = True
    FileName = 'C:\update.zip'
    UserName = 'user'
    Password = 'secret'
    PostQuery = 'a=1'
    Referer = 'http://ref.example/'
    WaitThread = True
    OnProgress = dlfileProgress
    OnDoneFile = dlfileDoneFile
    OnDoneString = dlfileDoneString
    OnError = dlfileError
  end
  object dirs: TUiDirectories
    AboutInfo = 'folders'
    Personal = 'ignored'
  end
end
)");
    ASSERT_NE(root.dlfile, nullptr);
    THttpFetch& f = *root.dlfile;
    EXPECT_EQ(f.AcceptTypes(), "application/zip");
    EXPECT_EQ(f.Agent(), "Agent");
    EXPECT_TRUE(f.BinaryData());
    EXPECT_EQ(f.URL(), "http://host.example/dir/file.zip");
    EXPECT_TRUE(f.UseCache());
    EXPECT_EQ(f.FileName(), "C:\\update.zip");
    EXPECT_EQ(f.UserName(), "user");
    EXPECT_EQ(f.Password(), "secret");
    EXPECT_EQ(f.PostQuery(), "a=1");
    EXPECT_EQ(f.Referer(), "http://ref.example/");
    EXPECT_TRUE(f.WaitThread());
    f.OnProgress()(&f, 2500, 1025);
    EXPECT_EQ(root.Progress, 1025 * 1000 + 2500);
    f.OnDoneFile()(&f, "x", 7);
    EXPECT_EQ(root.Done, "x:7");
    f.OnDoneString()(&f, "text");
    EXPECT_EQ(root.Done, "text");
    f.OnError()(&f);
    EXPECT_EQ(root.ErrorSender, &f);

    ASSERT_NE(root.dirs, nullptr);
    EXPECT_EQ(root.dirs->AboutInfo(), "folders");
    // Computed when read: the written value is dropped.
    EXPECT_NE(root.dirs->Personal(), "ignored");
}
