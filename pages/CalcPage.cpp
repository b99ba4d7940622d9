#include "CalcPage.h"

void CCalcPage::RefreshCaret(int id) {
    int start = 0;
    int end = 0;
    GetSel(id, start, end);
    SetSel(id, start, end);
    ScrollCaret(id);
}
