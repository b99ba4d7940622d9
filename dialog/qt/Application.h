#pragma once
// Process-wide set-up of Qt for Lamino's dialogs: style, fonts, identity.

class QApplication;

void ConfigureApplication(QApplication& app);
