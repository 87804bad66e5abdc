// Sending a crash report through its windows, against a loopback server.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "app_test_environment.h"
#include "framework/app/crash_catcher.h"
#include "framework/app/crash_submit.h"
#include "framework/app/crash_window.h"
#include "loopback_http_server.h"
#include "platform/headless/recording_dialog_presenter.h"
#include "platform/message_box.h"
#include "test_app.h"

namespace app_test {
namespace {

using namespace Kavo;
using Answer = platform::RecordingDialogPresenter::Answer;

class FieldsApp : public TestApp {
public:
    using TestApp::TestApp;
    void AddCrashReportFields(std::map<std::string, std::string>& fields) override { fields["build"] = "7"; }
};

// A port on 127.0.0.1 with nothing listening: connecting is refused.
int RefusedPort() {
    const int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t size = sizeof address;
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size);
    close(probe);
    return ntohs(address.sin_port);
}

class CrashSubmitTest : public AppTestEnvironment {
protected:
    CrashSubmitTest() {
        mCatcher.mErrorTitle = "Exception at 0001:00000010";
        mCatcher.mErrorText = "Exception: Access Violation\r\n";
    }

    std::vector<std::string> ShownClasses() {
        std::vector<std::string> classes;
        for (const platform::DialogLayout& layout : mPresenter->Shown())
            classes.push_back(layout.className);
        return classes;
    }

    std::shared_ptr<platform::RecordingDialogPresenter> mPresenter =
        std::make_shared<platform::RecordingDialogPresenter>();
    CrashCatcher mCatcher;
};

TEST(CrashSubmitLayout, DetailsAndProgressWindows) {
    const platform::DialogLayout details = BuildSubmitInfoLayout(false);
    EXPECT_EQ(details.caption, "Error Details");
    ASSERT_EQ(details.controls.size(), 4u);
    EXPECT_FALSE(details.controls[1].readOnly);
    EXPECT_EQ(details.controls[2].text, "Continue");
    EXPECT_FALSE(details.controls[2].enabled);
    EXPECT_TRUE(details.controls[2].isDefault);
    EXPECT_EQ(details.controls[3].text, "Abort");
    EXPECT_EQ(details.controls[3].x, 204);
    EXPECT_TRUE(BuildSubmitInfoLayout(true).controls[2].enabled);

    const platform::DialogLayout progress = BuildSubmitProgressLayout();
    EXPECT_EQ(progress.caption, "Submitting Report");
    EXPECT_EQ(progress.clientWidth, 240);
    EXPECT_EQ(progress.controls[0].text, "Please Wait");
    const struct {
        int tick;
        const char* text;
    } cases[] = {
        {0, "Please Wait"}, {3, "Please Wait . . ."}, {10, "Please Wait"}, {19, "Please Wait . . . . . . . . ."}};
    for (const auto& c : cases)
        EXPECT_EQ(SubmitProgressText(c.tick), c.text) << c.tick;
}

TEST_F(CrashSubmitTest, WithoutASubmitHostOnlyCloseNowIsOffered) {
    FieldsApp app(WorkFolder());
    mCatcher.mSubmitHost = "";
    mPresenter->QueueAnswer({kCrashSendButton, ""}); // not on offer: ignored
    mCatcher.RunWindows(*mPresenter, &app);
    const auto shown = mPresenter->Shown();
    ASSERT_EQ(shown.size(), 1u);
    ASSERT_EQ(shown[0].controls.size(), 3u);
    EXPECT_EQ(shown[0].controls[2].text, "Close Now");
    EXPECT_EQ(shown[0].controls[2].x, 8);
    EXPECT_EQ(shown[0].controls[2].width, 384);
}

TEST_F(CrashSubmitTest, SendReportPostsTheFormWithTheUsersTextAndTheDemo) {
    FieldsApp app(WorkFolder());
    app.mProductVersion = "1.2";
    std::ofstream(WorkFolder() + "/last.dmo", std::ios::binary) << std::string("DM\0\1", 4);
    mCatcher.mAttachDemo = true;
    mCatcher.mDemoFileName = "last.dmo";
    LoopbackHttpServer server({"HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok"});
    mCatcher.mSubmitHost = server.Address();
    mPresenter->QueueAnswer({kCrashSendButton, ""});
    mPresenter->QueueAnswer({kCrashContinueButton, "It happened when I " + std::string(9000, 'x')});

    mCatcher.RunWindows(*mPresenter, &app);
    EXPECT_EQ(ShownClasses(), (std::vector<std::string>{"SEHWindow", "SubmitInfoWindow", "SEHProgressWindow"}));
    EXPECT_EQ(mCatcher.mUserText.size(), kCrashUserTextLimit);

    CrashUpload expected;
    expected.extraFields["build"] = "7";
    expected.product = "KavoTest";
    expected.version = "1.2";
    expected.userText = mCatcher.mUserText;
    expected.errorTitle = mCatcher.mErrorTitle;
    expected.errorText = mCatcher.mErrorText;
    expected.attachDemo = true;
    expected.demoBytes = std::string("DM\0\1", 4);
    EXPECT_EQ(server.Request(), BuildCrashUploadRequest(server.Address(), BuildCrashUploadBody(expected)));
    EXPECT_TRUE(Platform().Desktop().MessageBoxLog().empty());
}

TEST_F(CrashSubmitTest, AFailedConnectionOffersRetryUntilCancelled) {
    FieldsApp app(WorkFolder());
    mCatcher.mSubmitHost = "127.0.0.1:" + std::to_string(RefusedPort());
    mPresenter->QueueAnswer({kCrashSendButton, ""});
    mPresenter->QueueAnswer({kCrashContinueButton, "details"});
    Platform().Desktop().QueueMessageBoxAnswer(platform::kIdRetry);
    Platform().Desktop().QueueMessageBoxAnswer(platform::kIdCancel);

    mCatcher.RunWindows(*mPresenter, &app);
    const auto boxes = Platform().Desktop().MessageBoxLog();
    ASSERT_EQ(boxes.size(), 2u);
    for (const auto& box : boxes) {
        EXPECT_EQ(box.text, "Failed to connect to server.");
        EXPECT_EQ(box.caption, "Connection Failed");
        EXPECT_EQ(box.flags & platform::kMbButtonMask, platform::kMbRetryCancel);
    }
}

TEST_F(CrashSubmitTest, AbortEndsTheProgressWindowWithoutAFailureBox) {
    FieldsApp app(WorkFolder());
    LoopbackHttpServer server({}, true); // takes the request and never answers
    mCatcher.mSubmitHost = server.Address();
    mPresenter->QueueAnswer({kCrashSendButton, ""});
    mPresenter->QueueAnswer({kCrashContinueButton, ""});
    mPresenter->QueueAnswer({kCrashAbortButton, ""});
    mCatcher.RunWindows(*mPresenter, &app);
    EXPECT_EQ(ShownClasses().size(), 3u);
    EXPECT_TRUE(Platform().Desktop().MessageBoxLog().empty());
}

TEST_F(CrashSubmitTest, AbortOnTheDetailsWindowSendsNothing) {
    FieldsApp app(WorkFolder());
    LoopbackHttpServer server({"HTTP/1.1 200 OK\r\n\r\n"});
    mCatcher.mSubmitHost = server.Address();
    mPresenter->QueueAnswer({kCrashSendButton, ""});
    mPresenter->QueueAnswer({kCrashAbortButton, "never mind"});
    mCatcher.RunWindows(*mPresenter, &app);
    EXPECT_EQ(ShownClasses(), (std::vector<std::string>{"SEHWindow", "SubmitInfoWindow"}));
    EXPECT_FALSE(server.Accepted());
}

} // namespace
} // namespace app_test
