// What the whole-job benchmarks share: the module started in a quiet session, menu picks driven by
// a scripted user, generated plants opened, and timing.
#pragma once
#include <chrono>
#include <functional>
#include <type_traits>
#include <string>
#include "model/session.h"
#include "plant.h"
#include "ui/dialog.h"

namespace bench {

// Starts the module on the build's installation folder, with the transcript thrown away.
void startModule();
// Picks a menu action; `onDialog` plays the user in its dialog, which is closed afterwards.
void pick(const std::string& action, std::function<void(host::ui::Dialog&)> onDialog);
// A fresh session holding the plant, written and built in a folder of its own (on a memory file
// system when there is one: the disk's own costs of making many files are not the commands').
host::Part& openPlant(const PlantShape& shape, const std::string& name);
// The component batch, then the drawing command in component mode, as a designer runs them.
void batchThenDraw();

// Runs `f` in a child process of its own, so that nothing it makes or keeps is found made by the next
// round, and hands back the plain record it answers; false when the child died or answered nothing.
bool inChild(const std::function<void(void* out)>& f, void* out, size_t size);
template <class T>
bool inChild(const std::function<T()>& f, T& out) {
    static_assert(std::is_trivially_copyable_v<T>, "a record that goes through a pipe as it lies");
    return inChild([&](void* at) { *static_cast<T*>(at) = f(); }, &out, sizeof(T));
}
// Runs `f` and answers its seconds.
double seconds(const std::function<void()>& f);
// The median of `runs` values of `f`.
double median(int runs, const std::function<double()>& f);

}  // namespace bench
