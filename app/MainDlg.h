#pragma once
// The main window: a tab control with one calculator page per tab, and the
// Help item that opens the About box.

#include "dialog/Dialog.h"
#include "pages/CountersinkPage.h"
#include "pages/GoldFingerPage.h"
#include "pages/UnitConvPage.h"
#include "pages/VCutPage.h"

#include <array>

class CMainDlg : public CDialog {
public:
    static constexpr int IDD = IDD_MAIN;

    CMainDlg() : CDialog(IDD) {}

    void OnClose() override;

protected:
    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    const MessageMap& GetMessageMap() const override;
    void OnDpiChanged() override { PlacePages(); }

private:
    std::array<CDialog*, 4> Pages() {
        return {&m_unitConvPage, &m_vcutPage, &m_goldFingerPage, &m_countersinkPage};
    }
    void PlacePages();
    void ShowPage(int index);
    void OnSelchangeTab();
    void OnSysCommandAbout();
    void OnHelp();

    CUnitConvPage m_unitConvPage;
    CVCutPage m_vcutPage;
    CGoldFingerPage m_goldFingerPage;
    CCountersinkPage m_countersinkPage;
};
