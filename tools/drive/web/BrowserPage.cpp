#include "BrowserPage.h"

#include "ScenarioSession.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string Escape(const std::string& field) {
    std::string out;
    for (const char c : field) {
        if (c == '\\') out += "\\\\";
        else if (c == '\t') out += "\\t";
        else if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else out += c;
    }
    return out;
}

std::vector<std::string> Split(const std::string& line) {
    std::vector<std::string> fields(1);
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\t') {
            fields.emplace_back();
        } else if (c == '\\' && i + 1 < line.size()) {
            const char e = line[++i];
            fields.back() += e == 't' ? '\t' : e == 'n' ? '\n' : e == 'r' ? '\r' : e;
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

}  // namespace

BrowserPage::BrowserPage(const std::string& script, const std::string& engine, const std::string& html) {
    int toNode[2], fromNode[2];
    if (pipe(toNode) != 0 || pipe(fromNode) != 0) throw DriveError("no pipe to Node");
    m_node = fork();
    if (m_node < 0) throw DriveError("could not start Node");
    if (m_node == 0) {
        dup2(toNode[0], STDIN_FILENO);
        dup2(fromNode[1], STDOUT_FILENO);
        for (int fd : {toNode[0], toNode[1], fromNode[0], fromNode[1]}) close(fd);
        execlp("node", "node", script.c_str(), "--engine", engine.c_str(), html.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(toNode[0]);
    close(fromNode[1]);
    m_to = toNode[1];
    m_from = fromNode[0];
    signal(SIGPIPE, SIG_IGN);
    Ask({"ready"});
}

BrowserPage::~BrowserPage() {
    if (m_to >= 0) close(m_to);  // Node closes the browser at the end of its input
    if (m_node > 0) {
        int status = 0;
        waitpid(m_node, &status, 0);
    }
    if (m_from >= 0) close(m_from);
}

std::vector<std::string> BrowserPage::Ask(const std::vector<std::string>& request) {
    std::string line;
    for (size_t i = 0; i < request.size(); ++i) {
        if (i > 0) line += '\t';
        line += Escape(request[i]);
    }
    line += '\n';
    for (size_t written = 0; written < line.size();) {
        const ssize_t n = write(m_to, line.data() + written, line.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw DriveError("the browser has gone");
        written += static_cast<size_t>(n);
    }
    for (;;) {
        const size_t end = m_pending.find('\n');
        if (end != std::string::npos) {
            std::vector<std::string> answer = Split(m_pending.substr(0, end));
            m_pending.erase(0, end + 1);
            if (answer[0] == "error") throw DriveError(answer.size() > 1 ? answer[1] : "the page failed");
            answer.erase(answer.begin());
            return answer;
        }
        char buffer[65536];
        const ssize_t n = read(m_from, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw DriveError("the browser has gone");
        m_pending.append(buffer, static_cast<size_t>(n));
    }
}
