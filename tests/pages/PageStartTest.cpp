// What each calculator page writes while it starts, in order: the first
// result of a page comes from the writes of its own defaults.

#include "HostedPage.h"
#include "pages/CountersinkPage.h"
#include "pages/GoldFingerPage.h"
#include "pages/VCutPage.h"

#include <string>
#include <vector>

namespace {

using Writes = std::vector<std::string>;

template <class Page>
Writes WritesWhileStarting() {
    Writes writes;
    CDialog::SetWriteObserver([&](int id, const CString& text) {
        writes.push_back(std::to_string(id) + "=" + std::string(text.begin(), text.end()));
    });
    {
        Page page;
        page.Create();
    }
    CDialog::SetWriteObserver(nullptr);
    return writes;
}

TEST(PageStart, VCutComputesClearanceAfterEachDefault) {
    EXPECT_EQ(WritesWhileStarting<CVCutPage>(),
              (Writes{"1023=0.10", "1024=0.113397", "1021=0.40", "1024=0.059808", "1022=1.60", "1024=0.274167",
                      "1024=0.274167"}));
}

TEST(PageStart, GoldFingerDerivesTheEndFaceOnceFromTheFocusedThickness) {
    EXPECT_EQ(WritesWhileStarting<CGoldFingerPage>(), (Writes{"1026=1.60", "1027=1.20", "1024=0.726471"}));
}

TEST(PageStart, CountersinkComputesTheDepthOnceFromTheFocusedDiameter) {
    EXPECT_EQ(WritesWhileStarting<CCountersinkPage>(),
              (Writes{"1038=90", "1036=5.00", "1035=3.00", "1034=1.60", "1033=1.000000"}));
}

TEST(PageStart, GivesTheFocusWhereTheFirstResultWasComputed) {
    Hosted<CGoldFingerPage> bevel;
    EXPECT_EQ(CDialog::GetFocusId(), IDC_GOLD_D);
    Hosted<CCountersinkPage> countersink;
    EXPECT_EQ(CDialog::GetFocusId(), IDC_SINK_B);
    EXPECT_EQ(countersink.Edit(IDC_SINK_B)->selectedText(), QString());  // no select-all
}

}  // namespace
