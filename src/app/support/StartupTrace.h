// The start-up trace: with QUORVEL_STARTUP_TRACE set, each named step from main() to the first
// paint (and a few after it) is written to stderr with its time and the memory then resident.
#pragma once

namespace quorvel {

// True when the environment asks for the trace; read once.
bool startupTraceEnabled();

// Writes one line for the step when the trace is on: the milliseconds since the process
// started, since main() and the resident memory in MB. Does nothing otherwise.
void traceStartupStep(const char* step);

// Milliseconds since the process started (the kernel keeps its start in clock ticks since
// boot, so the origin is as coarse as one tick); negative when /proc cannot be read.
double msSinceProcessStart();

// Resident memory now and at its peak, in kB, from /proc/self/status; 0 when unknown.
long residentKb();
long peakResidentKb();

} // namespace quorvel
