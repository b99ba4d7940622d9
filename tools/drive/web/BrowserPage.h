#pragma once
// The page in the browser, as the scenario driver reaches it: a Node process
// (browser.mjs) that runs lamino.html in one of its browser engines and
// carries out one request at a time. A request is a
// line of tab-separated fields; so is its answer, after "ok" or "error".

#include <string>
#include <sys/types.h>
#include <vector>

class BrowserPage {
public:
    // Starts Node with browser.mjs on the page at `html` (a file) in `engine`.
    BrowserPage(const std::string& script, const std::string& engine, const std::string& html);
    ~BrowserPage();
    BrowserPage(const BrowserPage&) = delete;
    BrowserPage& operator=(const BrowserPage&) = delete;

    // The answer's fields; throws DriveError with the page's reason on "error".
    std::vector<std::string> Ask(const std::vector<std::string>& request);

private:
    pid_t m_node = -1;
    int m_to = -1;
    int m_from = -1;
    std::string m_pending;
};
