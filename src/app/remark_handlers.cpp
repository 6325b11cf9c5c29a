// The main window's handlers of the friend remarks: the nickname box's content change and the save button,
// over the remark store held in the globals.
#include "app/globals.h"
#include "app/main_window.h"
#include "remarks/remark_store.h"
#include "util/message_pump.h"

void MainWindow::lookupRemark() {
    const TextFieldOf<EditBox> nickname{controls_.nicknameBox};
    TextFieldOf<EditBox> remark{controls_.remarkBox};
    ::lookupRemark(globals().remarkDataset, nickname, remark);
}

void MainWindow::saveRemark() {
    const TextFieldOf<EditBox> nickname{controls_.nicknameBox};
    const TextFieldOf<EditBox> remark{controls_.remarkBox};
    StatusLabelOf<Label> status{controls_.statusLabel};
    // The status wait lets other handlers run, a second save among them.
    ::saveRemark(globals().remarkDataset, nickname, remark, status, waitProcessingMessages);
}
