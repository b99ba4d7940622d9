#pragma once
// The tab that Ctrl+Tab (step 1) or Ctrl+Shift+Tab (step -1) leads to: as in
// a property sheet, the last tab is followed by the first.

namespace dlg {

constexpr int SteppedTab(int current, int count, int step) {
    if (count <= 0) return -1;
    if (current < 0 || current >= count) return step > 0 ? 0 : count - 1;
    return ((current + step) % count + count) % count;
}

}  // namespace dlg
