#pragma once
// The application object: one static instance whose InitInstance runs the
// program once the front end has started.

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp() = default;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Runs the program; its result does not become the exit status.
    virtual bool InitInstance() = 0;

    static CWinApp* Instance();
};
