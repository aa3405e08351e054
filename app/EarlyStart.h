#pragma once

#include <thread>

// Start-up work that needs no toolkit, begun first thing in main so that it overlaps the
// toolkit's connection to the display: on Linux, one malloc arena for all threads (the few
// helper threads would otherwise each keep their own) and reading the font configuration on a
// worker thread.
class EarlyStart {
public:
    EarlyStart();
    ~EarlyStart();
    EarlyStart(const EarlyStart&) = delete;
    EarlyStart& operator=(const EarlyStart&) = delete;

    // Waits for the worker; call after creating the QApplication, before the first window.
    void Finish();

private:
    std::thread worker_;
};
