// Accumulates the time spent inside chosen stretches of code, in microseconds.
#pragma once

#include <windows.h>

namespace tilu::bench {

class Stopwatch {
public:
    Stopwatch() { QueryPerformanceFrequency(&frequency_); }

    template <class Work>
    void Time(Work&& work) {
        LARGE_INTEGER start;
        LARGE_INTEGER stop;
        QueryPerformanceCounter(&start);
        work();
        QueryPerformanceCounter(&stop);
        ticks_ += stop.QuadPart - start.QuadPart;
    }

    double Microseconds() const {
        return static_cast<double>(ticks_) * 1e6 / static_cast<double>(frequency_.QuadPart);
    }

private:
    LARGE_INTEGER frequency_;
    long long ticks_ = 0;
};

}  // namespace tilu::bench
