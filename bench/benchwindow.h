#pragma once

#include <form1.h>

#include <QTemporaryDir>
#include <memory>

class Dialogs;

// The real main window after its start-up, for the benchmarks: settings and
// look files in `scratch`, so the user's own stay untouched, and no home-page
// draw. Closing it abandons the benchmark.
std::unique_ptr<Form1> OpenBenchWindow(Dialogs& dialogs, const QTemporaryDir& scratch);
