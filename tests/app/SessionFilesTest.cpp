// SessionFiles on its own: what answers the form's file questions, and which sessions
// join the recent sessions, by the session commands' own results.
#include "app/SessionFiles.h"
#include "app/RecentSessions.h"
#include "app/tools/RecordingDialogs.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace eee::testing_support {
namespace {

class SessionFilesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QAction* load = fileMenu.addAction("&Load Session");
        fileMenu.addAction("&Save Session");
        files = std::make_unique<SessionFiles>(window, dialogs, "/no/module", &fileMenu, load);
    }

    LoadOutcome Outcome(LoadStatus status, MsgIcon lastIcon, LoadStop stop = LoadStop::None)
    {
        LoadOutcome outcome;
        outcome.Status = status;
        outcome.Stop = stop;
        outcome.Messages.push_back({"told", lastIcon});
        return outcome;
    }

    QDialog window;
    QMenu fileMenu {"&File", &window};
    RecordingDialogs dialogs;
    std::unique_ptr<SessionFiles> files;
};

TEST_F(SessionFilesTest, ALoadIsListedWhenItsOutcomeAnnouncesTheFile)
{
    // The icon of the last message says nothing: the outcome alone decides.
    const std::vector<std::pair<QString, LoadOutcome>> loads {
        {"/s/calculated.xml", Outcome(LoadStatus::Calculated, MsgIcon::Information)},
        // Data too big for its blocks is still a session loaded, to mend.
        {"/s/stopped.xml",
            Outcome(LoadStatus::NotCalculated, MsgIcon::Error, LoadStop::BlocksTooSmall)},
        {"/s/field.xml",
            Outcome(LoadStatus::NotCalculated, MsgIcon::Information, LoadStop::FieldRule)},
        {"/s/refused.xml", Outcome(LoadStatus::Refused, MsgIcon::Information)},
        {"/s/unreadable.xml", Outcome(LoadStatus::Unreadable, MsgIcon::Information)},
    };
    for (const auto& [path, outcome] : loads) {
        dialogs.OpenAnswers = {path};
        ASSERT_EQ(files->AskOpenFileName(), EncodePath(path));
        files->LoadEnded(outcome);
    }
    dialogs.OpenAnswers = {""};
    EXPECT_EQ(files->AskOpenFileName(), std::nullopt);
    files->LoadEnded(std::nullopt);

    EXPECT_EQ(files->Recent().Paths(), (QStringList {"/s/stopped.xml", "/s/calculated.xml"}));
    EXPECT_EQ(files->CurrentFile(), "/s/unreadable.xml");
}

TEST_F(SessionFilesTest, ASaveIsListedWhenTheCommandGivesTheFileItSaved)
{
    dialogs.SaveAnswers = {"/s/failed.xml", "/s/saved.xml"};
    ASSERT_EQ(files->AskSaveFileName(), EncodePath("/s/failed.xml"));
    files->SaveEnded(std::nullopt);
    ASSERT_EQ(files->AskSaveFileName(), EncodePath("/s/saved.xml"));
    files->SaveEnded(EncodePath("/s/saved.xml"));
    EXPECT_EQ(files->Recent().Paths(), QStringList {"/s/saved.xml"});
    EXPECT_EQ(dialogs.SaveFolders.size(), 2u);
}

TEST_F(SessionFilesTest, APathGivenBeforehandAnswersTheOpenQuestionOfItsLoadOnly)
{
    bool ask = true;
    std::vector<std::optional<std::string>> answers;
    QObject::connect(files.get(), &SessionFiles::LoadRequested, [&] {
        if (ask)
            answers.push_back(files->AskOpenFileName());
    });

    files->Open("/s/given.xml");
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0], EncodePath("/s/given.xml"));
    EXPECT_TRUE(dialogs.OpenFolders.empty()) << "the file dialog was opened";
    EXPECT_EQ(files->CurrentFile(), "/s/given.xml");

    // A load that does not get as far as asking leaves the path unused, and no later
    // question takes it.
    ask = false;
    files->Open("/s/unasked.xml");
    EXPECT_EQ(files->AskOpenFileName(), std::nullopt);
    EXPECT_EQ(dialogs.OpenFolders.size(), 1u);
}

} // namespace
} // namespace eee::testing_support
