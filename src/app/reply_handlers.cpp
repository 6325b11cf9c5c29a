// The main window's handlers of the quick replies: the add button, the list's double-click and the commands
// of its popup menu, over the quick reply file held in the globals.
#include "app/globals.h"
#include "app/main_window.h"
#include "replies/reply_commands.h"
#include "replies/send.h"
#include "util/activate.h"

void MainWindow::runReplyCommand(void (*command)(replies::ReplyPanel& panel)) {
    replies::ReplyListOf<ListView> list{controls_.replyList};
    replies::ReplyInputOf<EditBox> input{controls_.replyInputBox};
    replies::ReplyButtonOf<Button> addButton{controls_.addButton};
    replies::ReplyPanel panel{globals().quickReplyFile, list, input, addButton, handle()};
    command(panel);
}

void MainWindow::addOrUpdateQuickReply() {
    runReplyCommand(replies::addOrUpdateReply);
}

void MainWindow::refreshQuickReplies() {
    runReplyCommand(replies::refreshReplies);
}

void MainWindow::deleteQuickReply() {
    runReplyCommand(replies::deleteReply);
}

void MainWindow::editQuickReply() {
    runReplyCommand(replies::editReply);
}

void MainWindow::clearQuickReplies() {
    runReplyCommand(replies::clearReplies);
}

void MainWindow::openQuickReplyFile() {
    runReplyCommand(replies::openReplyFile);
}

void MainWindow::sendQuickReply() {
    const replies::ReplyListOf<ListView> list{controls_.replyList};
    replies::sendQuickReply(list, globals().currentClientWindow, activateWindow);
}
