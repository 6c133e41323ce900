// Reporting failed host calls, the progress bar of batch commands, and display helpers.
#pragma once
#include <uf_defs.h>

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

// A bar made and shown for one batch, taken down when the batch ends, however it ends.
class ProgressBar {
public:
    ProgressBar() : handle_(progress::create()) { progress::show(handle_); }
    ~ProgressBar() { end(); }
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;
    void start(int low, int high) { if (live_) progress::start(handle_, low, high); }
    void step(int position) { if (live_) progress::step(handle_, position); }
    void end() {
        if (live_) progress::end(handle_);
        live_ = false;
    }
private:
    long handle_;
    bool live_ = true;
};

// Whether a tag names an object that still exists.
bool alive(tag_t object);
// Tells the user how many objects of a list were gone and passed over; nothing when none were.
void reportSkipped(int missing);

// Fits the work view to the model.
void view_refit();

// Menu action "baijin_heibai": a black background turns white, any other black.
int baijin_heibai();
