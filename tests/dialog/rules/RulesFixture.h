#pragma once
// A dialog on template 100 of kRulesScript over the recording front end,
// which writes down each notification with what the control held then.

#include "RecordingDialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rules {

using Log = std::vector<std::string>;

class Probe : public CDialog {
public:
    explicit Probe(int templateId = 100) : CDialog(templateId) {}

    RecordingDialog& Native() const { return *reinterpret_cast<RecordingDialog*>(Window()); }

    Log log;
    bool initFocus = true;  // what OnInitDialog answers
    // A write the dialog makes as it answers field 11's change.
    int answerId = 0;
    CString answerText;
    std::function<void(Probe&)> onInit;

protected:
    const MessageMap& GetMessageMap() const override {
        static const MessageMap map = {
            OnNotify(win32::EN_CHANGE, 10, &Probe::OnEdit),
            OnNotify(win32::EN_CHANGE, 11, &Probe::OnEdit),
        };
        return map;
    }
    bool OnInitDialog() override {
        log.push_back("OnInitDialog");
        if (onInit) onInit(*this);
        return initFocus;
    }

private:
    void OnEdit(int id) {
        log.push_back("EN_CHANGE " + std::to_string(id) + " '" + Narrow(GetDlgItemText(id)) + "' focus=" +
                      std::to_string(GetFocusId()));
        if (id == 11 && answerId != 0) SetDlgItemText(answerId, answerText);
    }
};

class Rules : public testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override {
        CDialog::SetWriteObserver(nullptr);
        Reset();
    }
    // A created dialog, its window shown.
    static void Open(Probe& probe) {
        ASSERT_TRUE(probe.Create());
        probe.ShowWindow(win32::SW_SHOWNORMAL);
    }
};

}  // namespace rules
