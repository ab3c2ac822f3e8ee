#include "platform/MessageBox.h"

#include "StartupTestSupport.h"

namespace {

class MessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("ZELVO_MESSAGEBOX_LOG", (root / "boxes.txt").c_str(), 1);
        MessageBox::ResetScriptedAnswers();
    }
    void TearDown() override {
        unsetenv("ZELVO_MESSAGEBOX_LOG");
        unsetenv("ZELVO_ANSWERS");
        MessageBox::ResetScriptedAnswers();
        MessageBox::SetTestHook({});
    }
    static MessageBox::Request Box(MessageBox::Buttons buttons, int defaultButton = 0) {
        MessageBox::Request request;
        request.caption = QStringLiteral("Zelvo");
        request.text = QStringLiteral("Text");
        request.buttons = buttons;
        request.icon = MessageBox::Icon::Question;
        request.defaultButton = defaultButton;
        return request;
    }
    FreshRoot root;
};

TEST_F(MessageBoxTest, LogsOneLinePerBoxWithBreaksEscaped) {
    MessageBox::Request request = Box(MessageBox::Buttons::YesNo);
    request.caption = QStringLiteral("Zelvo Wireless");
    request.text = QStringLiteral("Line one\nLine two\r\nthree\tcolumn");
    EXPECT_EQ(MessageBox::Show(request), MessageBox::Answer::Yes);
    EXPECT_EQ(MessageBox::Show(QStringLiteral("Cap"), QStringLiteral("Plain")), MessageBox::Answer::Ok);
    EXPECT_EQ(ReadLines(root / "boxes.txt"),
              (std::vector<std::string>{"Zelvo Wireless\tLine one\\nLine two\\nthree\\tcolumn\tYESNO\tQUESTION",
                                        "Cap\tPlain\tOK\tNONE"}));
}

TEST_F(MessageBoxTest, AnswersWithTheDefaultButtonOrTheNextFittingScriptedAnswer) {
    using B = MessageBox::Buttons;
    using A = MessageBox::Answer;
    // Without a script: the default button; a default position past the buttons is the first.
    EXPECT_EQ(MessageBox::Show(Box(B::YesNoCancel, 2)), A::Cancel);
    EXPECT_EQ(MessageBox::Show(Box(B::OkCancel, 1)), A::Cancel);
    EXPECT_EQ(MessageBox::Show(Box(B::YesNo, 7)), A::Yes);

    setenv("ZELVO_ANSWERS", "no, CANCEL ,yes,bogus", 1);
    MessageBox::ResetScriptedAnswers();
    EXPECT_EQ(MessageBox::Show(Box(B::YesNo)), A::No);
    EXPECT_EQ(MessageBox::Show(Box(B::OkCancel)), A::Cancel);
    // "yes" does not fit an OK box: the default answers, and the script moves on.
    EXPECT_EQ(MessageBox::Show(Box(B::Ok)), A::Ok);
    EXPECT_EQ(MessageBox::Show(Box(B::YesNo, 1)), A::No);  // "bogus"
    EXPECT_EQ(MessageBox::Show(Box(B::YesNo)), A::Yes);    // script used up
    EXPECT_EQ(ReadLines(root / "boxes.txt").size(), 8u);
}

TEST_F(MessageBoxTest, HookSeesTheRequestAndReplacesTheLog) {
    MessageBox::Request seen;
    MessageBox::SetTestHook([&](const MessageBox::Request& request) {
        seen = request;
        return MessageBox::Answer::Retry;
    });
    EXPECT_EQ(MessageBox::Show(QStringLiteral("C"), QStringLiteral("T"), MessageBox::Buttons::RetryCancel,
                               MessageBox::Icon::Error),
              MessageBox::Answer::Retry);
    EXPECT_EQ(seen.caption, QStringLiteral("C"));
    EXPECT_EQ(seen.text, QStringLiteral("T"));
    EXPECT_EQ(seen.buttons, MessageBox::Buttons::RetryCancel);
    EXPECT_EQ(seen.icon, MessageBox::Icon::Error);
    EXPECT_FALSE(std::filesystem::exists(root / "boxes.txt"));
}

}  // namespace
