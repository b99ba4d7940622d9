#include "Dialog.h"

// The front-end independent half of CDialog: message routing and the
// default answers to OK and Cancel.

void CDialog::OnCommand(int id, int code) {
    for (const MessageEntry& entry : GetMessageMap()) {
        if (entry.id == id && entry.code == code) {
            const int outer = m_changing;
            if (code == win32::EN_CHANGE) m_changing = id;
            if (entry.handler != nullptr)
                (this->*entry.handler)();
            else
                (this->*entry.idHandler)(id);
            m_changing = outer;
            return;
        }
    }
    if (code == win32::BN_CLICKED && id == win32::IDOK)
        OnOK();
    else if (code == win32::BN_CLICKED && id == win32::IDCANCEL)
        OnCancel();
}

const MessageMap& CDialog::GetMessageMap() const {
    static const MessageMap none;
    return none;
}

bool CDialog::OnInitDialog() { return true; }

void CDialog::OnOK() { EndDialog(win32::IDOK); }

void CDialog::OnCancel() { EndDialog(win32::IDCANCEL); }

void CDialog::OnClose() { OnCommand(win32::IDCANCEL, win32::BN_CLICKED); }

bool CDialog::WritesResult(int id, const CString& text, int focusedField) const {
    if (text.empty()) return false;  // a field emptied is no result
    return (focusedField != 0 && focusedField != id) || (m_changing != 0 && m_changing != id);
}
