#pragma once
// A scenario session on a dialog layer of this process (Qt, Win32): the
// program's writes are traced through CDialog's write observer.

#include "ScenarioSession.h"
#include "dialog/Dialog.h"

class InProcessSession : public ScenarioSession {
public:
    using ScenarioSession::ScenarioSession;
    ~InProcessSession() override { CDialog::SetWriteObserver(nullptr); }

protected:
    void TraceWrites(bool on) override {
        if (on)
            CDialog::SetWriteObserver([this](int id, const CString& text) { PrintWrite(id, text); });
        else
            CDialog::SetWriteObserver(nullptr);
    }
};
