// Reporting failed host calls, the progress bar of batch commands, and display helpers.
#pragma once

// Prints "<name> failed with error = <status>" and the host's message, for a non-zero status.
void print_status(const char* name, int status);
// Logs a failed call to the system log and, when it opens, the listing window; answers the status.
int report_error(const char* file, int line, const char* call, int status);
#define UF_CALL(X) (report_error(__FILE__, __LINE__, #X, (X)))

// The host's progress bar, found by name in its display library. A missing library or entry point
// leaves the bar out; the batch goes on.
namespace progress {
long create();
void show(long& handle);
void start(long& handle, int low, int high);
void step(long& handle, int position);
void end(long& handle);
}  // namespace progress

// Fits the work view to the model.
void view_refit();

// Menu action "baijin_heibai": a black background turns white, any other black.
int baijin_heibai();
