#include "MainDlg.h"

#include "AboutDlg.h"

using namespace win32;

namespace {
const char16_t* const kTabLabels[] = {u"单位换算", u"V-CUT削铜", u"金手指倒角", u"沉头孔"};
}

const MessageMap& CMainDlg::GetMessageMap() const {
    static const MessageMap map = {
        OnNotify(TCN_SELCHANGE, IDC_TAB, &CMainDlg::OnSelchangeTab),
        OnNotify(BN_CLICKED, IDM_ABOUTBOX, &CMainDlg::OnSysCommandAbout),
        OnNotify(BN_CLICKED, ID_HELP_ABOUT, &CMainDlg::OnHelp),
    };
    return map;
}

bool CMainDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    const CString about = LoadString(IDS_ABOUTBOX);
    if (!about.empty()) AppendSystemMenuItem(IDM_ABOUTBOX, about);
    SetIcon(IDR_MAINFRAME);

    for (int i = 0; i < 4; ++i) InsertTab(IDC_TAB, i, kTabLabels[i]);
    for (int i = 0; i < 4; ++i) {
        Pages()[i]->Create(this, IDC_TAB);
        Pages()[i]->SetWindowText(kTabLabels[i]);  // what assistive technology calls the page
    }
    PlacePages();
    ShowPage(0);
    return true;
}

// The pages fill the tab control below its row of tabs.
void CMainDlg::PlacePages() {
    PixelRect area = GetClientRect(IDC_TAB);
    area.left += ScaleForDpi(4);
    area.top += ScaleForDpi(20);
    area.right -= ScaleForDpi(4);
    area.bottom -= ScaleForDpi(4);
    for (CDialog* page : Pages()) page->MoveWindow(area);
}

void CMainDlg::ShowPage(int index) {
    int i = 0;
    for (CDialog* page : Pages()) page->ShowWindow(i++ == index ? SW_SHOWNORMAL : SW_HIDE);
}

void CMainDlg::OnSelchangeTab() {
    const int index = GetTabCurSel(IDC_TAB);
    if (index >= 0 && index < 4) ShowPage(index);
}

void CMainDlg::OnSysCommandAbout() { OnHelp(); }

void CMainDlg::OnHelp() {
    CAboutDlg about;
    about.DoModal(this);
}

// Enter and Esc do nothing here; the close box is the way out.
void CMainDlg::OnClose() { CDialog::OnCancel(); }
