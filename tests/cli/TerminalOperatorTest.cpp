#include "cli/TerminalOperator.h"

#include <gtest/gtest.h>
#include <sstream>

namespace zeb40::cli {
namespace {

Answer AskOnce(TerminalSettings settings, std::istream* input, std::ostringstream& err,
               Buttons buttons = Buttons::OkCancel) {
    TerminalOperator op(input, err, settings);
    return op.Ask("Replace it?\nSecond line", "Caption", buttons, MessageIcon::Warning, Answer::Ok);
}

TEST(TerminalOperator, WithoutTerminalAndWithoutYesAQuestionIsRefusedAtOnce) {
    std::ostringstream err;
    std::istringstream input("y\n"); // there, but not a terminal: never read
    TerminalOperator op(&input, err, {});
    EXPECT_EQ(
        op.Ask("Replace it?\nmore", "Caption", Buttons::OkCancel, MessageIcon::Warning, Answer::Ok),
        Answer::Cancel);
    EXPECT_TRUE(op.QuestionUnanswerable());
    EXPECT_EQ(err.str(), "zeb40ctl: Replace it? (not asked: standard input is not a terminal; "
                         "add --yes to answer OK)\n");
    EXPECT_EQ(input.tellg(), 0);
}

TEST(TerminalOperator, YesAnswersAffirmatively) {
    std::ostringstream err;
    EXPECT_EQ(AskOnce({.assumeYes = true}, nullptr, err), Answer::Ok);
    EXPECT_EQ(AskOnce({.assumeYes = true}, nullptr, err, Buttons::YesNoCancel), Answer::Yes);
    std::ostringstream quiet;
    AskOnce({.assumeYes = true, .quiet = true}, nullptr, quiet);
    EXPECT_EQ(quiet.str(), "");
}

TEST(TerminalOperator, OnATerminalTheAnswerIsRead) {
    std::ostringstream err;
    std::istringstream yes("yes\n");
    EXPECT_EQ(AskOnce({.inputIsTerminal = true}, &yes, err), Answer::Ok);
    EXPECT_NE(err.str().find("Caption\nReplace it?\nSecond line\n[y/N] "), std::string::npos);
    std::istringstream no("n\n");
    EXPECT_EQ(AskOnce({.inputIsTerminal = true}, &no, err), Answer::Cancel);
    std::istringstream ended("");
    EXPECT_EQ(AskOnce({.inputIsTerminal = true}, &ended, err), Answer::Cancel);
    std::istringstream saveNo("n\n");
    EXPECT_EQ(AskOnce({.inputIsTerminal = true}, &saveNo, err, Buttons::YesNoCancel), Answer::No);
}

TEST(TerminalOperator, MessagesAreOneLineEach) {
    std::ostringstream err;
    std::ostringstream info;
    TerminalOperator op(nullptr, err, {}, &info);
    op.ShowMessage("Error while updating Flash ROM.  Please try again.\nVerify error(41)", "ZEB40",
                   MessageIcon::Exclamation);
    op.SetSubject("a.zeb");
    op.ShowMessage("Failed to open file!\n", "ZEB40", MessageIcon::Exclamation);
    op.SetSubject({});
    op.ShowMessage("Flash update successfully completed", "ZEB40", MessageIcon::Information);
    EXPECT_EQ(err.str(), "zeb40ctl: Error while updating Flash ROM.  Please try again. Verify "
                         "error(41)\n"
                         "zeb40ctl: a.zeb: Failed to open file!\n");
    EXPECT_EQ(info.str(), "Flash update successfully completed\n");
    EXPECT_EQ(op.Messages().size(), 3u);
}

TEST(TerminalOperator, ProgressAsPlainLinesOrAsABar) {
    std::ostringstream plain;
    TerminalOperator lines(nullptr, plain, {});
    lines.ShowProgress("Update", 0, 1000);
    for (int position : {10, 50, 99, 100, 550, 1000})
        lines.SetProgress(position);
    lines.CloseProgress();
    EXPECT_EQ(plain.str(), "Update: 0%\nUpdate: 10%\nUpdate: 50%\nUpdate: 100%\n");

    std::ostringstream terminal;
    TerminalOperator bar(nullptr, terminal, {.errorIsTerminal = true});
    bar.ShowProgress("Update", 0, 1000);
    bar.SetProgress(500);
    bar.CloseProgress();
    EXPECT_NE(
        terminal.str().find("\rUpdate [" + std::string(20, '#') + std::string(20, ' ') + "] 50%"),
        std::string::npos);
    EXPECT_EQ(terminal.str().back(), '\n');

    std::ostringstream quiet;
    TerminalOperator silent(nullptr, quiet, {.quiet = true});
    silent.ShowProgress("Update", 0, 1000);
    silent.SetProgress(1000);
    EXPECT_EQ(quiet.str(), "");
}

TEST(TerminalOperator, TheNamedFileStandsInForTheFileDialog) {
    std::ostringstream err;
    TerminalOperator op(nullptr, err, {});
    EXPECT_FALSE(op.ChooseFile({}));
    op.SetChosenFile("/tmp/packages/fw.v2.zcf");
    auto chosen = op.ChooseFile({});
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->path, "/tmp/packages/fw.v2.zcf");
    EXPECT_EQ(chosen->title, "fw.v2");
}

} // namespace
} // namespace zeb40::cli
