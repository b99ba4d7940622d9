#pragma once
// Reports, once the first top-level window has painted its first frame, the
// time since LAMINO_BENCH_T0_NS (set by the caller just before starting the
// process) and the peak resident memory, then ends the process.

class QApplication;

void ReportFirstFrame(QApplication& app, const char* name);
