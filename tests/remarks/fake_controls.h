// Stand-ins for the panel's controls in the portable tests and the benchmark. The label keeps a log of
// what was done to it, with the waits in between, so that the order of a save's status steps can be checked.
#pragma once

#include <string>
#include <vector>

#include "remarks/remark_controls.h"

class FakeField : public TextField {
public:
    explicit FakeField(Text initial = Text()) : text_(std::move(initial)) {}
    Text text() const override { return text_; }
    void setText(const Text& text) override { text_ = text; }

private:
    Text text_;
};

class LoggingLabel : public StatusLabel {
public:
    void setText(const Text& text) override { log.push_back("text " + text); }
    void setVisible(bool visible) override { log.push_back(visible ? "show" : "hide"); }
    std::vector<std::string> log;
};

// The wait of the last save; records into `waitLog` what the label showed.
inline std::vector<std::string>* waitLog = nullptr;
inline void loggedWait(unsigned milliseconds) {
    if (waitLog) waitLog->push_back("wait " + std::to_string(milliseconds));
}
